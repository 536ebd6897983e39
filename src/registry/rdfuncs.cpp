#include "registry/rdfuncs.h"

#include <windows.h>

#include <vector>

#include "registry/regequiv.h"
#include "win/error.h"

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

}  // namespace

void InitializeRegistryCleaner() {
  InitializeKeyEquivalents();
  std::wstring path = executablePath();
  const std::size_t dot = path.rfind(L'.');
  const std::size_t slash = path.rfind(L'\\');
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.erase(dot);
  settingsPath() = path + L".INI";
}

const std::wstring& SettingsFilePath() { return settingsPath(); }

}  // namespace kestova::registry
