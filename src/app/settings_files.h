#pragma once
// The hub's three settings files beside the executable: "Data.TXT", "config.TXT", "idiom.TXT".
// Every read or write first makes the program's folder current and uses the bare file name.
#include <vector>

#include "core/config_file.h"
#include "core/drive_table.h"
#include "core/text_lines.h"

namespace kestova::app {

inline constexpr const wchar_t* kDataFile = L"Data.TXT";
inline constexpr const wchar_t* kConfigFile = L"config.TXT";
inline constexpr const wchar_t* kLanguageFile = L"idiom.TXT";

// "Data.TXT" and "config.TXT"; a missing file is first created with the shipped defaults.
Lines loadSettings(const wchar_t* name);
void saveSettings(const wchar_t* name, const Lines& lines);

// Measures every fixed or network drive of the list from its second entry on and puts its line
// into "Data.TXT".
void updateDriveLines(const std::vector<wchar_t>& driveList);
DriveTable readDriveTable(const std::vector<wchar_t>& driveList);

// Records a folder entry in "config.TXT", saving only when it changed.
void recordFolderEntry(FolderCode code, const std::wstring& path);

// "idiom.TXT" as the hub holds it; one empty line when the file is missing.
Lines loadLanguageLines();
void saveLanguageLines(const Lines& lines);

}  // namespace kestova::app
