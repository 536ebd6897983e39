// The folders no browser cleaner empties, against the prefix's real Windows, profile and program
// folders, whatever name or drive letter reaches them.
#include <gtest/gtest.h>

#include <windows.h>

#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"
#include "junk/folder_guard.h"
#include "win/program_folder.h"
#include "win/shell_folders.h"

namespace kestova::test {
namespace {

std::wstring shellFolder(int csidl) {
  auto path = win::ShellFolders().path(csidl);
  if (!path) throw std::runtime_error("no shell folder");
  return *path;
}

std::wstring shortPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no short name");
  return buffer;
}

std::wstring parentOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

TEST(FolderGuard, RefusesSystemProfileAndProgramFoldersAndEveryFolderAboveThem) {
  std::wstring windows = shellFolder(win::kWindowsFolder);
  std::wstring profile = shellFolder(win::kProfileFolder);
  std::wstring programs = shellFolder(win::kProgramFilesFolder);
  TempFolder temp;  // below the profile, as a browser's folders are
  std::wstring own = temp.path() + L"Unzipped\\Kestova Program";
  temp.writeFile(L"Unzipped\\Kestova Program\\config.TXT", "x");
  temp.writeFile(L"Unzipped\\Kestova Program\\Cache\\page.htm", "x");
  temp.writeFile(L"Other profile\\prefs.js", "x");
  MappedDrive drive;
  win::setProgramFolder(own);
  junk::FolderGuard guard;
  win::setProgramFolder(temp.path());

  EXPECT_TRUE(guard.refuses(windows));
  EXPECT_TRUE(guard.refuses(shortPath(programs)));
  EXPECT_TRUE(guard.refuses(profile));
  EXPECT_TRUE(guard.refuses(parentOf(profile) + L"\\Public")) << "another user's profile";
  EXPECT_TRUE(guard.refuses(parentOf(profile)));
  EXPECT_TRUE(guard.refuses(L"C:\\"));
  EXPECT_TRUE(guard.refuses(drive.root()));
  EXPECT_TRUE(guard.refuses(shortPath(own)));
  EXPECT_TRUE(guard.refuses(temp.path() + L"Unzipped"));

  EXPECT_FALSE(guard.refuses(windows + L"\\Temp"));
  EXPECT_FALSE(guard.refuses(temp.path() + L"Other profile"));
  EXPECT_FALSE(guard.refuses(own + L"\\Cache"));
  EXPECT_FALSE(guard.refuses(temp.path() + L"missing"));
}

}  // namespace
}  // namespace kestova::test
