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

// Collects the files of one folder listing and queues its walked subfolders.
void readFolder(const std::wstring& folder, bool limit, const std::set<std::wstring>& passedOver, WorkList& work,
                std::vector<CollectedFile>& files) {
  std::wstring upperFolder;
  for (const win::DirectoryEntry& entry : win::readDirectory(folder)) {
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
    if (upperFolder.empty()) upperFolder = upperCase(folder);
    files.push_back({upperCase(entry.name), upperFolder, entry.size, entry.lastWrite, folder + L"\\" + entry.name,
                     entry.attributes});
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

std::optional<std::vector<CollectedFile>> collectFiles(const std::wstring& root, bool limit,
                                                       const std::function<bool(const std::wstring&)>& folderRead) {
  std::vector<CollectedFile> files;
  WorkList work;
  const std::vector<std::wstring> system = systemFoldersOn(root);
  const std::set<std::wstring> passedOver(system.begin(), system.end());
  readFolder(root, limit, passedOver, work, files);
  if (!folderRead(root)) return std::nullopt;
  bool stopped = false;
  work.drain([&](const std::wstring& folder) {
    if (stopped) return;  // the rest of the list is passed over
    readFolder(folder, limit, passedOver, work, files);
    if (!folderRead(folder)) stopped = true;
  });
  if (stopped) return std::nullopt;
  return files;
}

}  // namespace kestova::dupes
