#include "traces/folder_emptier.h"

#include <windows.h>

#include <vector>

#include "core/long_path.h"
#include "win/links.h"
#include "win/error.h"
#include "win/handles.h"

namespace kestova::traces {
namespace {

std::wstring withoutBackslash(std::wstring folder) {
  while (folder.size() > 1 && folder.back() == L'\\') folder.pop_back();
  return folder;
}

// Every entry of the folder, hidden, system and read-only ones included; throws win::Error when
// the folder cannot be read.
std::vector<WIN32_FIND_DATAW> readFolder(const std::wstring& folder) {
  std::vector<WIN32_FIND_DATAW> entries;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW(longPathForm(folder + L"\\*.*").c_str(), &data));
  if (!find.valid()) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return entries;  // nothing to empty
    win::throwLastError(L"Cannot read folder " + folder);
  }
  do {
    entries.push_back(data);
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

// True when the folder is gone, also when something else removed it first.
bool removeFolder(const std::wstring& path) {
  if (RemoveDirectoryW(longPathForm(path).c_str())) return true;
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool isDots(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

// False when the pump asked to stop.
void count(Tally& tally, bool removed) { ++(removed ? tally.removed : tally.left); }

bool emptyLevel(const std::wstring& folder, const EmptyHooks& hooks, Tally& tally) {
  for (const WIN32_FIND_DATAW& entry : readFolder(folder)) {
    if (isDots(entry.cFileName)) continue;
    std::wstring path = folder + L"\\" + entry.cFileName;
    bool directory = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (directory && entry.cFileName[0] == L'.') {
      // a folder whose name begins with "." stays with everything in it
    } else if (win::isLink(folder, entry)) {
      count(tally, win::removeLink(path));  // what it points at is outside: a failure changes nothing here
    } else if (directory) {
      bool read = true;
      try {
        if (!emptyLevel(path, hooks, tally)) return false;
      } catch (const std::exception& e) {
        if (hooks.failed) hooks.failed(e);
        read = false;
        ++tally.left;
      }
      if (read && !removeFolder(path)) return true;  // what is left of this folder stays
    } else {
      count(tally, DeleteFileW(longPathForm(path).c_str()) != FALSE);  // a file in use or read-only stays
    }
    if (hooks.pump && !hooks.pump()) return false;
  }
  return true;
}

}  // namespace

bool emptyFolder(const std::wstring& folder, const EmptyHooks& hooks, Tally& tally) {
  try {
    return emptyLevel(withoutBackslash(folder), hooks, tally);
  } catch (const std::exception& e) {
    if (hooks.failed) hooks.failed(e);
    ++tally.left;
  }
  return true;
}

}  // namespace kestova::traces
