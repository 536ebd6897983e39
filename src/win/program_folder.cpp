#include "win/program_folder.h"

#include <windows.h>

#include <vector>

#include "win/error.h"

namespace kestova::win {
namespace {

std::wstring& overrideFolder() {
  static std::wstring folder;
  return folder;
}

std::wstring withBackslash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

}  // namespace

std::wstring programFolder() {
  if (!overrideFolder().empty()) return overrideFolder();
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) throwLastError(L"Cannot find the program's folder");
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      return withBackslash(path.substr(0, path.find_last_of(L'\\')));
    }
    buffer.resize(buffer.size() * 2);
  }
}

void setProgramFolder(const std::wstring& folder) { overrideFolder() = withBackslash(folder); }

void enterProgramFolder() {
  std::wstring folder = programFolder();
  if (!SetCurrentDirectoryW(folder.c_str())) throwLastError(L"Cannot enter " + folder);
}

}  // namespace kestova::win
