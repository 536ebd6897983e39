#include "dupes/duplicate_walk.h"

#include <windows.h>

#include "core/duplicate_rules.h"
#include "core/work_list.h"
#include "junk/directory_listing.h"
#include "win/links.h"

namespace kestova::dupes {
namespace {

bool isHiddenOrSystem(DWORD attributes) { return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0; }

// Collects the files of one folder listing and queues its walked subfolders.
void readFolder(const std::wstring& folder, bool limit, WorkList& work, std::vector<CollectedFile>& files) {
  std::wstring upperFolder;
  for (const junk::DirectoryEntry& entry : junk::readDirectory(folder)) {
    if (entry.isDots() || isHiddenOrSystem(entry.attributes)) continue;
    if (entry.isDirectory()) {
      if (isWalkedFolderName(entry.name) && !win::isLink(folder, entry.name, entry.attributes)) {
        work.add(folder + L"\\" + entry.name);
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

std::optional<std::vector<CollectedFile>> collectFiles(const std::wstring& root, bool limit,
                                                       const std::function<bool(const std::wstring&)>& folderRead) {
  std::vector<CollectedFile> files;
  WorkList work;
  readFolder(root, limit, work, files);
  if (!folderRead(root)) return std::nullopt;
  bool stopped = false;
  work.drain([&](const std::wstring& folder) {
    if (stopped) return;  // the rest of the list is passed over
    readFolder(folder, limit, work, files);
    if (!folderRead(folder)) stopped = true;
  });
  if (stopped) return std::nullopt;
  return files;
}

}  // namespace kestova::dupes
