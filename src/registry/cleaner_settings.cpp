#include "registry/cleaner_settings.h"

#include <algorithm>

#include "win/error.h"
#include "win/handles.h"
#include "win/text_file.h"

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
  // Written into a copy beside the file, which then takes its place in one step: a crash or a
  // full disk on the way leaves the old file.
  const std::wstring copy = win::replacementPath(path);
  if (!CopyFileW(path.c_str(), copy.c_str(), FALSE)) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) win::throwLastError(L"Cannot write " + path);
    DeleteFileW(copy.c_str());  // a copy left by a crash is no base for a new file
  }
  try {
    for (const auto& [key, value] : keys) writeInt(copy, kPlacement, key, value);
    writeInt(copy, kSettings, L"ActivePage", settings.activePage);
    writeInt(copy, kSettings, L"PerPage", settings.perPage);
    writeInt(copy, kSettings, L"MaxRslt", settings.maxRslt);
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, copy.c_str());  // out of the profile cache
    win::FileHandle written(CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!written || !FlushFileBuffers(written.get())) win::throwLastError(L"Cannot write " + path);
  } catch (...) {
    DeleteFileW(copy.c_str());
    throw;
  }
  win::commitReplacement(copy, path);
}

}  // namespace kestova::registry
