#include "harness/junk_results.h"

#include <windows.h>

#include <shellapi.h>

#include <stdexcept>

#include "win/handles.h"
#include "win/shell_link.h"

namespace kestova::test {
namespace {

void makeParents(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
}

}  // namespace

void writeSizedFile(const std::wstring& path, std::uint64_t size) {
  makeParents(path);
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot create a test file");
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) {
    throw std::runtime_error("cannot size a test file");
  }
}

void writeShortcut(const std::wstring& path, const std::wstring& target, std::uint64_t size) {
  makeParents(path);
  if (!win::saveShortcut(path, target)) throw std::runtime_error("cannot save a shortcut");
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER current;
  if (!file || !GetFileSizeEx(file.get(), &current)) throw std::runtime_error("cannot open a shortcut");
  if (static_cast<std::uint64_t>(current.QuadPart) >= size) return;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) {
    throw std::runtime_error("cannot pad a shortcut");
  }
}

long long recycleBinItems() {
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof info;
  if (FAILED(SHQueryRecycleBinW(nullptr, &info))) throw std::runtime_error("the recycle bin cannot be counted");
  return info.i64NumItems;
}

void setAttributes(const std::wstring& path, unsigned attributes) {
  if (!SetFileAttributesW(path.c_str(), attributes) || (GetFileAttributesW(path.c_str()) & attributes) != attributes) {
    throw std::runtime_error("the file system refuses the attributes");
  }
}

}  // namespace kestova::test
