#include "junk/bin_cleaner.h"

#include <shellapi.h>

#include "core/junk_rules.h"
#include "core/removal_accounting.h"
#include "junk/emptiers.h"
#include "win/directory_listing.h"
#include "win/removal.h"
#include "win/volume_info.h"

namespace kestova::junk {

using win::deleteFile;
using win::DirectoryEntry;
using win::isLinkEntry;
using win::pathExists;
using win::readDirectory;
using win::removeEmptyFolder;
using win::removeLinkEntry;

namespace {

std::wstring withoutSlash(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

// Removes one entry of a folder from disk; true when it is gone.
bool removeEntry(const std::wstring& folder, const DirectoryEntry& entry) {
  std::wstring path = folder + L"\\" + entry.name;
  if (isLinkEntry(folder, entry)) return removeLinkEntry(path);
  if (entry.isDirectory()) {
    removeEmptyFolder(path);
  } else {
    deleteFile(path);
  }
  return !pathExists(path);
}

void listGone(const std::wstring& folder, const DirectoryEntry& entry, double extraKB, const CleanerContext& context) {
  countRemovedBytes(context.accounting, entry.size, extraKB);
  context.results.addRow({entry.name, folder + L"\\", fileSizeText(entry.size), L"Deleted"});
}

}  // namespace

bool isRecycleFolderName(const std::wstring& folder) {
  std::wstring base = withoutSlash(folder);
  std::wstring last = base.substr(base.find_last_of(L'\\') == std::wstring::npos ? 0 : base.find_last_of(L'\\') + 1);
  for (const wchar_t* mark : {L"RECYCLE", L"Recycle", L"recycle"}) {
    if (last.find(mark) != std::wstring::npos) return true;
  }
  return false;
}

void cleanRecycleFolder(const std::wstring& folder, bool firstPress, const CleanerContext& context) {
  std::wstring base = withoutSlash(folder);
  Emptiers emptiers(context.accounting, context.results, true);
  for (const DirectoryEntry& entry : readDirectory(base)) {
    if (entry.isDots() || entry.name == L"NPROTECT") continue;
    if (entry.isDirectory() && firstPress && !isLinkEntry(base, entry)) {
      emptiers.emptyListing(base + L"\\" + entry.name + L"\\");
    }
    bool gone = removeEntry(base, entry);
    context.results.pump();
    if (gone) listGone(base, entry, kBrowserFolderExtraKB, context);
  }
}

void cleanRecentFolder(const std::wstring& folder, const CleanerContext& context) {
  std::wstring base = withoutSlash(folder);
  for (const DirectoryEntry& entry : readDirectory(base)) {
    if (entry.isDots()) continue;
    bool gone = removeEntry(base, entry);
    context.results.pump();
    if (gone) listGone(base, entry, kTempFolderExtraKB, context);
  }
}

bool emptyRecycleBins(HWND owner) { return SUCCEEDED(SHEmptyRecycleBinW(owner, nullptr, SHERB_NOCONFIRMATION)); }

}  // namespace kestova::junk
