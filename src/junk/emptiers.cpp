#include "junk/emptiers.h"

#include "core/junk_rules.h"
#include "core/removal_accounting.h"
#include "win/directory_listing.h"
#include "win/removal.h"
#include "win/volume_info.h"

namespace kestova::junk {

using win::deleteFile;
using win::DirectoryEntry;
using win::joinPath;
using win::pathExists;
using win::readDirectory;
using win::recycle;
using win::recycleWithCursor;
using win::removeEmptyFolder;
using win::removeLinkEntry;
using win::tryReadDirectory;

namespace {

bool isLinkedFolder(const DirectoryEntry& entry) {
  return entry.isDirectory() && (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool isKeptName(const std::wstring& name) {
  for (const wchar_t* kept : {L"desktop.ini", L"index.dat", L"INFO2", L"info2", L"DESKTOP.INI", L"INDEX.DAT"}) {
    if (name == kept) return true;
  }
  return false;
}

std::wstring withoutTrailingSlash(std::wstring path) {
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

std::uint64_t folderSize(const std::wstring& folder) {
  std::uint64_t total = 0;
  for (const DirectoryEntry& entry : readDirectory(folder)) {
    total += entry.size;
    if (entry.isDirectory() && !isLinkedFolder(entry) && !entry.name.starts_with(L".")) {
      total += folderSize(joinPath(folder, entry.name));
    }
  }
  return total;
}

void Emptiers::emptyTree(const std::wstring& folder) { emptyTreeEntries(folder); }

bool Emptiers::isKept(const std::wstring& folder) const {
  return kept_ && win::fileIdentity(folder) == kept_;
}

bool Emptiers::emptyTreeEntries(const std::wstring& folder) {
  if (isKept(folder)) return false;
  std::optional<std::vector<DirectoryEntry>> entries = tryReadDirectory(folder);
  if (!entries) {
    if (!pathExists(folder)) return true;  // removed meanwhile: nothing left to do
    unreadable_.insert(folder);
    return false;
  }
  bool whole = true;
  for (const DirectoryEntry& entry : *entries) {
    if (entry.isDots()) continue;
    std::wstring path = joinPath(folder, entry.name);
    bool removed;
    if (isLinkEntry(folder, entry)) {
      // A link is removed as a link; what it points at stays and is not counted.
      removeLinkEntry(path);
      results_.pump();
      continue;
    } else if (entry.isDirectory()) {
      if (!emptyTreeEntries(path + L"\\")) {
        whole = false;
        continue;
      }
      removed = removeEmptyFolder(path);
      if (!removed) {
        removed = recycle(path);
        results_.pump();
      }
    } else {
      removed = deleteFile(path);
    }
    results_.pump();
    if (removed && !pathExists(path)) countRemovedBytes(accounting_, entry.size, kTempFolderExtraKB);
  }
  return whole;
}

void Emptiers::emptyListing(const std::wstring& folder) { emptyFolder(folder, false); }

void Emptiers::emptyAndRecycle(const std::wstring& folder) { emptyFolder(folder, true); }

void Emptiers::emptyAndRemove(const std::wstring& folder) {
  std::wstring base = withoutTrailingSlash(folder);
  emptyListing(base + L"\\");
  removeSubfolder(base);
}

void Emptiers::emptyFolder(const std::wstring& folder, bool recycleAfter) {
  // The folder is not made the current directory: a current directory cannot be removed.
  std::wstring base = withoutTrailingSlash(folder);
  for (const DirectoryEntry& entry : readDirectory(base)) {
    if (entry.isDots()) continue;
    std::wstring path = base + L"\\" + entry.name;
    if (isLinkEntry(base, entry)) {
      removeLinkEntry(path);
      continue;
    }
    if (entry.isDirectory()) {
      emptyAndRecycle(path + L"\\");
      removeSubfolder(path);
      continue;
    }
    if (!deleteFile(path) && pathExists(path)) continue;
    if (!isKeptName(entry.name) && results_.rowCount() <= 100) {
      results_.addRow({entry.name, base + L"\\", fileSizeText(entry.size), L"Deleted"});
    }
    results_.addToTotal(entry.size);
    results_.pump();
    countRemovedBytes(accounting_, entry.size, kBrowserFolderExtraKB);
  }
  if (recycleAfter) {
    std::uint64_t left = folderSize(base);
    if (recycleWithCursor(base, busy_) && !pathExists(base)) countFreedBytes(accounting_, left);
  }
}

void Emptiers::removeSubfolder(const std::wstring& path) {
  // What E3 could not send away goes entry by entry, each by its own name.
  for (const DirectoryEntry& entry : readDirectory(path)) {
    if (entry.isDots()) continue;
    if (isLinkEntry(path, entry)) {
      removeLinkEntry(path + L"\\" + entry.name);
    } else {
      recycle(path + L"\\" + entry.name);
    }
  }
  removeEmptyFolder(path);
}

}  // namespace kestova::junk
