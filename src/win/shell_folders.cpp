#include "win/shell_folders.h"

namespace kestova::win {

ShellFolders::ShellFolders() {
  for (const wchar_t* dll : {L"shell32.dll", L"SHFolder.dll"}) {
    Module library(LoadLibraryW(dll));
    if (!library) continue;
    auto proc = GetProcAddress(library.get(), "SHGetFolderPathW");
    if (proc) {
      getFolderPath_ = reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(proc));
      library_ = std::move(library);
      return;
    }
  }
}

std::optional<std::wstring> ShellFolders::path(int csidl) const {
  if (!getFolderPath_) return std::nullopt;
  wchar_t buffer[MAX_PATH] = {};
  if (getFolderPath_(nullptr, csidl, nullptr, 0, buffer) != S_OK) return std::nullopt;
  return std::wstring(buffer);
}

}  // namespace kestova::win
