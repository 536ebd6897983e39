#include "junk/temp_cleaner.h"

#include "core/junk_rules.h"
#include "core/removal_accounting.h"
#include "junk/emptiers.h"
#include "win/directory_listing.h"
#include "win/removal.h"

namespace kestova::junk {

using win::DirectoryEntry;
using win::readDirectory;
using win::removeLinkEntry;

namespace {

bool isDirectory(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::size_t cleanTempFolders(const std::vector<std::wstring>& candidates, const CleanerContext& context,
                             const std::wstring& kept) {
  Emptiers emptiers(context.accounting, context.results, true);
  emptiers.keep(kept);
  for (const std::wstring& folder : candidates) {
    if (!isDirectory(folder) || emptiers.isKept(folder)) continue;
    for (const DirectoryEntry& entry : readDirectory(folder)) {
      if (entry.isDots()) continue;
      std::wstring path = folder + L"\\" + entry.name;
      if (isLinkEntry(folder, entry)) {
        removeLinkEntry(path);
        continue;
      }
      if (entry.isDirectory()) {
        emptiers.emptyTree(path + L"\\");
        continue;
      }
      bool gone = removeByMode(path, context.toRecycleBin, context.recycler, context.owner);
      context.results.pump();
      if (!gone) continue;  // held or protected: kept, without a row or a count
      countRemovedBytes(context.accounting, entry.size, kTempFolderExtraKB);
      context.results.addRow({entry.name, folder + L"\\", fileSizeText(entry.size), L"Deleted"});
    }
    if (isDirectory(folder)) emptiers.emptyTree(folder + L"\\");
  }
  return emptiers.unreadableFolders();
}

}  // namespace kestova::junk
