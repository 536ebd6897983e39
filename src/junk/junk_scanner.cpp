#include "junk/junk_scanner.h"

#include "core/dos_wildcard.h"
#include "core/junk_rules.h"
#include "junk/removal.h"
#include "win/links.h"

namespace kestova::junk {

JunkScanner::JunkScanner(PatternChoice choice, CodedFolders& folders, bool recycleKnown, ResultSink& results,
                         ScanHooks hooks)
    : choice_(choice), folders_(folders), recycleKnown_(recycleKnown), results_(results), hooks_(std::move(hooks)) {}

void JunkScanner::scan(const std::wstring& root) {
  deadLinks_ = 0;
  links_ = win::LinkTest();
  work_.reset();
  hooks_.progress(root);
  visit(root, readDirectory(root), true);
  work_.drain([this](const std::wstring& folder) {
    if (hooks_.stopped()) return;  // the rest of the queue drains unread
    std::vector<DirectoryEntry> entries = readDirectory(folder);
    listPatterns(folder, entries);
    hooks_.progress(folder);
    visit(folder, entries, false);
  });
  work_.reset();
}

void JunkScanner::listPatterns(const std::wstring& folder, const std::vector<DirectoryEntry>& entries) {
  // A file that two ticked patterns match is listed once, under the first.
  std::vector<bool> listed(entries.size());
  for (std::size_t i = 0; i < kPatternCount; ++i) {
    if (choice_.patterns[i]) listPattern(folder, kJunkPatterns[i].mask, entries, listed);
  }
  if (choice_.deadLinks) listDeadLinks(folder, entries);
}

void JunkScanner::listPattern(const std::wstring& folder, const std::wstring& mask,
                              const std::vector<DirectoryEntry>& entries, std::vector<bool>& listed) {
  if (skipsFolderForPattern(folder, mask, folders_[FolderCode::lx])) return;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DirectoryEntry& entry = entries[i];
    // A folder whose name looks like junk is not a junk file.
    if (listed[i] || entry.isDirectory() || !dosMatchEntry(mask, entry.name, entry.shortName)) continue;
    if (isProtectedName(entry.name)) continue;
    // Read-only files stay out by their attribute too: an account that may write anyway (root
    // under Wine) would otherwise open them.
    if (entry.attributes & FILE_ATTRIBUTE_READONLY) continue;
    {
      // A file that cannot be opened alone is in use (or gone). A link is not the file it points
      // at, which may lie outside the drive; the open handle tells where it leads.
      win::FileHandle file = openUnshared(joinPath(folder, entry.name));
      if (!file || links_.isLink(folder, entry.name, entry.attributes, file.get())) continue;
    }
    listed[i] = true;
    add({entry.name, folder + L"\\", fileSizeText(entry.size), L"Yes"}, entry.size);
  }
}

void JunkScanner::listDeadLinks(const std::wstring& folder, const std::vector<DirectoryEntry>& entries) {
  if (skipsFolderForLinks(folder, folders_[FolderCode::lx])) return;
  for (const DirectoryEntry& entry : entries) {
    if (entry.attributes == FILE_ATTRIBUTE_DIRECTORY || entry.isDots()) continue;
    if (!dosMatchEntry(kLinkMask, entry.name, entry.shortName)) continue;
    std::wstring shortcut = folder + L"\\" + entry.name;
    std::wstring file = shortcut.find(L".lnk") == std::wstring::npos ? shortcut + L".lnk" : shortcut;
    std::wstring target = shortcuts_.target(file);
    if (!isReportableShortcut(shortcut, target) || pathExists(target)) continue;
    if (links_.isLink(folder, entry.name, entry.attributes)) continue;
    add({entry.name, folder + L"\\", linkSizeText(entry.size), L"Yes"}, entry.size);
    ++deadLinks_;
  }
}

void JunkScanner::visit(const std::wstring& folder, const std::vector<DirectoryEntry>& entries, bool root) {
  for (const DirectoryEntry& entry : entries) {
    if (!known(FolderCode::hi) && isHistoryEntry(folder, entry.name)) {
      found(FolderCode::hi, L"C:\\Windows\\" + entry.name);
    }
    if (countsAsFile(entry.name, entry.attributes)) {
      if (isNetscapeHistoryFile(entry.name)) found(FolderCode::ni, folder);
      if (root) {
        listPatterns(folder, entries);
        hooks_.progress(folder);
        root = false;
      }
      continue;
    }
    if (entry.isDots()) continue;
    std::wstring path = folder + L"\\" + entry.name;
    if (isNetscapeCacheFolder(folder, entry.name)) found(FolderCode::nc, path);
    if (!known(FolderCode::ie) && isInternetCacheFolder(entry.name)) found(FolderCode::ie, path);
    if (!known(FolderCode::lx) && isRecycleCandidate(entry.name, entry.attributes)) {
      if (!recycleKnown_) found(FolderCode::lx, path);
      if (isRecycleName(entry.name)) recycleKnown_ = true;
    }
    if (isWalkedSubfolder(path)) work_.add(std::move(path));
  }
}

void JunkScanner::found(FolderCode code, const std::wstring& path) {
  folders_[code] = path;
  hooks_.folderFound(code, path);
}

void JunkScanner::add(JunkRow row, std::uint64_t bytes) {
  results_.addRow(std::move(row));
  results_.addToTotal(bytes);
}

}  // namespace kestova::junk
