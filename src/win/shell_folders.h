#pragma once
// The shell's special-folder service, taken from shell32 or, where shell32 lacks it, from
// SHFolder.dll; loaded once and freed with this object.
#include <optional>
#include <string>

#include "win/handles.h"

namespace kestova::win {

enum ShellFolder : int {
  kDocumentsFolder = 5,
  kRecentFolder = 8,
  kRecycleBinFolder = 10,
  kInternetCacheFolder = 32,
  kCookiesFolder = 33,
  kHistoryFolder = 34,
  kWindowsFolder = 36,
  kSystemFolder = 37,
  kProgramFilesFolder = 38,
  kProfileFolder = 40,
  kProgramFilesX86Folder = 42,
};

class ShellFolders {
 public:
  ShellFolders();
  // Nothing when the service is missing or does not know the folder.
  std::optional<std::wstring> path(int csidl) const;

 private:
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  Module library_;
  GetFolderPath getFolderPath_ = nullptr;
};

}  // namespace kestova::win
