#include "dupes/duplicate_walk.h"

#include <windows.h>

#include <set>

#include "core/duplicate_rules.h"
#include "core/work_list.h"
#include "win/directory_listing.h"
#include "win/links.h"
#include "win/shell_folders.h"

namespace kestova::dupes {
namespace {

bool isHiddenOrSystem(DWORD attributes) { return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0; }

// Collects the files of one folder listing and queues its walked subfolders. The folder's text
// is added to the walk's folders once, with its first collected file.
void readFolder(const std::wstring& folder, bool limit, const std::set<std::wstring>& passedOver, WorkList& work,
                WalkedFiles& walk) {
  bool folderAdded = false;
  for (win::DirectoryEntry& entry : win::readDirectory(folder)) {
    if (entry.isDots() || isHiddenOrSystem(entry.attributes)) continue;
    if (entry.isDirectory()) {
      std::wstring path = folder + L"\\" + entry.name;
      if (!passedOver.count(upperCase(path)) && !win::isLink(folder, entry.name, entry.attributes)) {
        work.add(std::move(path));
      }
      continue;
    }
    // A link to a file is left to the comparison, which tests the few files that share a name
    // and size: testing every large file here would cost two opens each.
    if (!isCollectedSize(entry.size, limit)) continue;
    if (!folderAdded) {
      walk.folders.push_back({folder, isComparableFolder(upperCase(folder))});
      folderAdded = true;
    }
    walk.files.push_back({std::move(entry.name), entry.size, entry.lastWrite,
                          static_cast<std::uint32_t>(walk.folders.size() - 1), entry.attributes});
  }
}

}  // namespace

std::wstring upperCase(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::vector<std::wstring> systemFoldersOn(const std::wstring& root) {
  std::vector<std::wstring> folders;
  const std::wstring drive = upperCase(root);
  auto add = [&](std::wstring path) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    path = upperCase(std::move(path));
    if (path.size() > drive.size() && path.compare(0, drive.size(), drive) == 0 && path[drive.size()] == L'\\') {
      folders.push_back(std::move(path));
    }
  };
  win::ShellFolders shell;
  for (int csidl : {win::kWindowsFolder, win::kProgramFilesFolder, win::kProgramFilesX86Folder}) {
    if (auto path = shell.path(csidl)) add(*path);
  }
  // The 64-bit "Program Files", which a 32-bit program is not told of by the shell.
  wchar_t native[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"ProgramW6432", native, MAX_PATH);
  if (length > 0 && length < MAX_PATH) add(native);
  for (const wchar_t* name : {L"$RECYCLE.BIN", L"RECYCLER", L"RECYCLED", L"SYSTEM VOLUME INFORMATION"}) {
    folders.push_back(drive + L"\\" + name);
  }
  return folders;
}

bool collectFiles(const std::wstring& root, bool limit, WalkedFiles& walk,
                  const std::function<bool(const std::wstring&)>& folderRead) {
  walk.clear();
  WorkList work;
  const std::vector<std::wstring> system = systemFoldersOn(root);
  const std::set<std::wstring> passedOver(system.begin(), system.end());
  readFolder(root, limit, passedOver, work, walk);
  if (!folderRead(root)) return false;
  bool stopped = false;
  work.drain([&](const std::wstring& folder) {
    if (stopped) return;  // the rest of the list is passed over
    readFolder(folder, limit, passedOver, work, walk);
    if (!folderRead(folder)) stopped = true;
  });
  return !stopped;
}

}  // namespace kestova::dupes
