#include "shell/program_ini.h"

#include <windows.h>

#include <vector>

#include "win/error.h"
#include "win/program_folder.h"

namespace kestova::shell {
namespace {

std::wstring& fixedPath() {
  static std::wstring path;
  return path;
}

std::wstring executablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) win::throwLastError(L"Cannot find the program's path");
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring pathNow() {
  std::wstring name = executablePath();
  name.erase(0, name.rfind(L'\\') + 1);
  const std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return win::programFolder() + name + L".INI";
}

}  // namespace

std::wstring programIniPath() { return fixedPath().empty() ? pathNow() : fixedPath(); }

void fixProgramIniPath() { fixedPath() = pathNow(); }

}  // namespace kestova::shell
