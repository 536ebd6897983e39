#include "harness/many_files.h"

#include <windows.h>

#include <stdexcept>

#include "win/handles.h"

namespace kestova::test {

void fillTree(const std::wstring& root, int folders, int filesPerFolder, std::uint64_t bytes) {
  for (int d = 0; d < folders; ++d) {
    const std::wstring folder = root + L"d" + std::to_wstring(d) + L"\\";
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      throw std::runtime_error("cannot create a test folder");
    }
    for (int f = 0; f < filesPerFolder; ++f) {
      const std::wstring path = folder + L"f" + std::to_wstring(f) + L".bin";
      win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      if (!file) throw std::runtime_error("cannot create a test file");
      if (bytes == 0) continue;
      LARGE_INTEGER end;
      end.QuadPart = static_cast<LONGLONG>(bytes);
      if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) {
        throw std::runtime_error("cannot size a test file");
      }
    }
  }
}

}  // namespace kestova::test
