#include "junk/junk_scanner.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/dos_wildcard.h"
#include "core/junk_rules.h"
#include "win/links.h"
#include "win/removal.h"
#include "win/volume_info.h"

namespace kestova::junk {

using win::DirectoryEntry;
using win::joinPath;
using win::openUnshared;
using win::pathExists;
using win::readDirectory;

namespace {

// Per pattern, the character every name it matches ends in (0: any).
const std::array<wchar_t, kPatternCount> kRequiredLast = [] {
  std::array<wchar_t, kPatternCount> last{};
  for (std::size_t p = 0; p < kPatternCount; ++p) last[p] = requiredLastChar(kJunkPatterns[p].mask);
  return last;
}();

bool holdsProfileMarker(const std::vector<DirectoryEntry>& entries) {
  return std::any_of(entries.begin(), entries.end(),
                     [](const DirectoryEntry& entry) { return !entry.isDirectory() && isProfileMarker(entry.name); });
}

}  // namespace

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
  // Each file is listed once, under the first ticked pattern that matches it where that pattern
  // searches; the rows come pattern by pattern, each in the folder's order.
  std::vector<std::pair<std::size_t, std::size_t>> matches;  // (pattern, entry)
  std::array<std::optional<bool>, kPatternCount> skipped;  // asked only of a pattern that matched here
  for (std::size_t e = 0; e < entries.size(); ++e) {
    const DirectoryEntry& entry = entries[e];
    if (entry.isDirectory()) continue;  // a folder whose name looks like junk is not a junk file
    // Most names end in a character no mask ends in: one comparison per pattern rules them out.
    wchar_t last = entry.name.empty() ? 0 : foldCase(entry.name.back());
    wchar_t shortLast = entry.shortName.empty() ? 0 : foldCase(entry.shortName.back());
    for (std::size_t p = 0; p < kPatternCount; ++p) {
      wchar_t required = kRequiredLast[p];
      if (!choice_.patterns[p] || (required && required != last && required != shortLast)) continue;
      if (!dosMatchEntry(kJunkPatterns[p].mask, entry.name, entry.shortName)) continue;
      if (!skipped[p]) skipped[p] = skipsFolderForPattern(folder, kJunkPatterns[p].mask, folders_[FolderCode::lx]);
      if (!*skipped[p]) {
        matches.emplace_back(p, e);
        break;
      }
    }
  }
  std::stable_sort(matches.begin(), matches.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [pattern, e] : matches) listFile(folder, entries[e]);
  if (choice_.deadLinks) listDeadLinks(folder, entries);
}

void JunkScanner::listFile(const std::wstring& folder, const DirectoryEntry& entry) {
  if (isProtectedName(entry.name)) return;
  // Read-only files stay out by their attribute too: an account that may write anyway (root
  // under Wine) would otherwise open them.
  if (entry.attributes & FILE_ATTRIBUTE_READONLY) return;
  {
    // A file that cannot be opened alone is in use (or gone). A link is not the file it points
    // at, which may lie outside the drive; the open handle tells where it leads.
    win::FileHandle file = openUnshared(joinPath(folder, entry.name));
    if (!file || links_.isLink(folder, entry.name, entry.attributes, file.get())) return;
  }
  add({entry.name, folder + L"\\", fileSizeText(entry.size), L"Yes"}, entry.size);
}

void JunkScanner::listDeadLinks(const std::wstring& folder, const std::vector<DirectoryEntry>& entries) {
  std::optional<bool> skipped;  // asked only of a folder that holds a shortcut
  for (const DirectoryEntry& entry : entries) {
    if (entry.attributes == FILE_ATTRIBUTE_DIRECTORY || entry.isDots()) continue;
    if (!dosMatchEntry(kLinkMask, entry.name, entry.shortName)) continue;
    if (!skipped) skipped = skipsFolderForLinks(folder, folders_[FolderCode::lx]);
    if (*skipped) return;
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
  if (holdsProfileMarker(entries)) foundProfile(folder, entries);
  for (const DirectoryEntry& entry : entries) {
    if (!known(FolderCode::hi) && isHistoryEntry(folder, entry.name)) {
      found(FolderCode::hi, L"C:\\Windows\\" + entry.name);
    }
    if (!known(FolderCode::hi) && entry.isDirectory() && isCurrentHistoryFolder(folder, entry.name)) {
      found(FolderCode::hi, folder + L"\\" + entry.name);
    }
    if (countsAsFile(entry.name, entry.attributes)) {
      if (root) {
        listPatterns(folder, entries);
        hooks_.progress(folder);
        root = false;
      }
      continue;
    }
    if (entry.isDots()) continue;
    std::wstring path = folder + L"\\" + entry.name;
    if (!known(FolderCode::ie) && isInternetCacheFolder(entry.name)) found(FolderCode::ie, path);
    if (!known(FolderCode::lx) && isRecycleCandidate(entry.name, entry.attributes)) {
      if (!recycleKnown_) found(FolderCode::lx, path);
      if (isRecycleName(entry.name)) recycleKnown_ = true;
    }
    if (isWalkedSubfolder(path)) work_.add(std::move(path));
  }
}

void JunkScanner::foundProfile(const std::wstring& folder, const std::vector<DirectoryEntry>& entries) {
  found(FolderCode::ni, folder);
  if (!isNetscapeFamilyPath(folder)) return;
  std::wstring cache = cacheFolderIn(folder, entries);
  std::wstring twin = localProfileTwin(folder);
  if (cache.empty() && !twin.empty()) cache = cacheFolderIn(twin, readDirectory(twin));
  if (!cache.empty()) found(FolderCode::nc, cache);
}

std::wstring JunkScanner::cacheFolderIn(const std::wstring& folder, const std::vector<DirectoryEntry>& entries) {
  for (std::wstring_view name : kProfileCacheNames) {
    for (const DirectoryEntry& entry : entries) {
      if (entry.name == name && entry.isDirectory() && !links_.isLink(folder, entry.name, entry.attributes)) {
        return folder + L"\\" + entry.name;
      }
    }
  }
  return {};
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
