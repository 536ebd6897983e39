#include "registry/cleaner_settings.h"

#include <algorithm>

#include "win/error.h"

namespace kestova::registry {
namespace {

constexpr const wchar_t* kSettings = L"Settings";
constexpr const wchar_t* kPlacement = L"MainForm Settings";

int readInt(const std::wstring& path, const wchar_t* key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntW(kSettings, key, fallback, path.c_str()));
}

void writeInt(const std::wstring& path, const wchar_t* section, const wchar_t* key, long value) {
  if (!WritePrivateProfileStringW(section, key, std::to_wstring(value).c_str(), path.c_str())) {
    win::throwLastError(L"Cannot write " + path);
  }
}

}  // namespace

void clampStoredValues(CleanerSettings& settings) {
  settings.perPage = std::clamp(settings.perPage, 0, 4);
  settings.maxRslt = std::clamp(settings.maxRslt, 0, 3);
}

CleanerSettings readCleanerSettings(const std::wstring& path) {
  CleanerSettings settings;
  settings.buttons = readInt(path, L"Buttons", 0);
  int page = readInt(path, L"ActivePage", 0);
  settings.activePage = page < 0 ? 0 : std::min(page, 1);
  settings.perPage = readInt(path, L"PerPage", 0);
  settings.maxRslt = readInt(path, L"MaxRslt", 2);
  clampStoredValues(settings);
  return settings;
}

void writeCleanerSettings(const std::wstring& path, const CleanerSettings& settings, const WINDOWPLACEMENT& placement) {
  const std::pair<const wchar_t*, long> keys[] = {
      {L"Left", placement.rcNormalPosition.left},     {L"Top", placement.rcNormalPosition.top},
      {L"Right", placement.rcNormalPosition.right},   {L"Bottom", placement.rcNormalPosition.bottom},
      {L"MinX", placement.ptMinPosition.x},            {L"MinY", placement.ptMinPosition.y},
      {L"MaxX", placement.ptMaxPosition.x},            {L"MaxY", placement.ptMaxPosition.y},
      {L"ShowCmd", static_cast<long>(placement.showCmd)}, {L"flags", static_cast<long>(placement.flags)},
  };
  for (const auto& [key, value] : keys) writeInt(path, kPlacement, key, value);
  writeInt(path, kSettings, L"ActivePage", settings.activePage);
  writeInt(path, kSettings, L"PerPage", settings.perPage);
  writeInt(path, kSettings, L"MaxRslt", settings.maxRslt);
}

}  // namespace kestova::registry
