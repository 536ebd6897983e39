#pragma once
// The registry cleaner's settings file: "Settings" with the tab and two stored values, and the
// window placement in "MainForm Settings".
#include <windows.h>

#include <string>

namespace kestova::registry {

struct CleanerSettings {
  int buttons = 0;     // 1 draws the tab as a button
  int activePage = 0;  // below 0 reads as 0, 2 or more as 1 (a tab that does not exist)
  int perPage = 0;     // 0..4
  int maxRslt = 2;     // 0..3
};

// "PerPage" and "MaxRslt" within their ranges, wherever they were read from.
void clampStoredValues(CleanerSettings& settings);
CleanerSettings readCleanerSettings(const std::wstring& path);
// Writes the placement, then "ActivePage", "PerPage" and "MaxRslt"; throws win::Error on failure.
void writeCleanerSettings(const std::wstring& path, const CleanerSettings& settings, const WINDOWPLACEMENT& placement);

}  // namespace kestova::registry
