#include "registry/rdfuncs.h"

#include <windows.h>

#include <vector>

#include "registry/regequiv.h"
#include "win/error.h"
#include "win/program_folder.h"

namespace kestova::registry {
namespace {

std::wstring& settingsPath() {
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

// The program's folder (a test's own folder in tests) + the executable's name with ".INI".
std::wstring settingsPathNow() {
  std::wstring name = executablePath();
  name.erase(0, name.rfind(L'\\') + 1);
  const std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return win::programFolder() + name + L".INI";
}

}  // namespace

void InitializeRegistryCleaner() {
  InitializeKeyEquivalents();
  settingsPath() = settingsPathNow();
}

std::wstring SettingsFilePath() { return settingsPath().empty() ? settingsPathNow() : settingsPath(); }

}  // namespace kestova::registry
