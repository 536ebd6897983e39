#include "app/settings_files.h"

#include <windows.h>

#include "res/resource_ids.h"
#include "win/error.h"
#include "win/program_folder.h"
#include "win/text_file.h"
#include "win/volume.h"

namespace kestova::app {
namespace {

std::string shippedDefault(const wchar_t* name) {
  int id = std::wstring(name) == kDataFile ? IDR_DEFAULT_DATA : IDR_DEFAULT_CONFIG;
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw win::Error(std::wstring(L"The shipped default of ") + name + L" is missing");
  return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

}  // namespace

Lines loadSettings(const wchar_t* name) {
  win::enterProgramFolder();
  if (auto lines = win::readLinesIfExists(name)) return *lines;
  win::replaceBytes(name, shippedDefault(name));
  return win::readLines(name);
}

void saveSettings(const wchar_t* name, const Lines& lines) {
  win::enterProgramFolder();
  win::writeLines(name, lines);
}

void updateDriveLines(const std::vector<wchar_t>& driveList) {
  Lines lines = loadSettings(kDataFile);
  for (std::size_t entry = 1; entry < driveList.size(); ++entry) {
    wchar_t letter = driveList[entry];
    unsigned type = win::driveType(letter);
    if (type != DRIVE_FIXED && type != DRIVE_REMOTE) continue;
    auto space = win::diskSpace(letter);
    if (!space) continue;
    if (putDriveLine(lines, driveLine(letter, space->capacity, space->freeToUser))) {
      saveSettings(kDataFile, lines);
    }
  }
  saveSettings(kDataFile, lines);
}

DriveTable readDriveTable(const std::vector<wchar_t>& driveList) {
  return DriveTable::read(loadSettings(kDataFile), driveList);
}

void recordFolderEntry(FolderCode code, const std::wstring& path) {
  Lines lines = loadSettings(kConfigFile);
  if (recordFolder(lines, code, path)) saveSettings(kConfigFile, lines);
}

Lines loadLanguageLines() {
  win::enterProgramFolder();
  if (auto lines = win::readLinesIfExists(kLanguageFile)) return lines->empty() ? Lines{L""} : *lines;
  return Lines{L""};
}

void saveLanguageLines(const Lines& lines) { saveSettings(kLanguageFile, lines); }

}  // namespace kestova::app
