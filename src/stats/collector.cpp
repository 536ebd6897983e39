#include "stats/collector.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/long_path.h"
#include "core/work_list.h"
#include "win/links.h"
#include "win/handles.h"

namespace kestova::stats {
namespace {

struct Entry {
  WIN32_FIND_DATAW data;
  bool directory() const { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  std::uint64_t size() const {
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
};

// Every entry of `folder` + "\*.*"; false when the folder cannot be listed.
bool list(const std::wstring& folder, std::vector<Entry>& entries) {
  entries.clear();
  Entry entry;
  win::FindHandle find(FindFirstFileW(longPathForm(folder + L"\\*.*").c_str(), &entry.data));
  if (!find.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    entries.push_back(entry);
  } while (FindNextFileW(find.get(), &entry.data));
  return true;
}

constexpr std::uint64_t kLinkTestedBytes = 1 << 20;

bool isDots(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

bool isLinkEntry(win::LinkTest& links, const std::wstring& folder, const Entry& entry) {
  return links.isLink(folder, entry.data.cFileName, entry.data.dwFileAttributes);
}

// A folder of the listing that the walk enters: every one but a link (the system's own folders
// count in their top-level folder's total like any other).
bool isWalkedFolder(win::LinkTest& links, const std::wstring& folder, const Entry& entry) {
  return entry.directory() && !isDots(entry.data.cFileName) && !isLinkEntry(links, folder, entry);
}

void scanFiles(win::LinkTest& links, const std::wstring& folder, const std::vector<Entry>& entries,
               DiskStats& stats) {
  stats.beginFolder(folder);
  for (const auto& entry : entries) {
    if (entry.directory()) {
      // A folder whose name has a three-letter extension counts as a file of size 0.
      if (hasThreeLetterExtension(entry.data.cFileName)) stats.addFile(entry.data.cFileName, 0);
      continue;
    }
    // Every file, by its directory entry; a link to a file elsewhere is not counted. Under Wine a
    // host link looks like a plain file of its target's size and only opening it tells; that is
    // done for files large enough to matter, so the walk keeps near the speed of a bare listing.
    const bool mayBeLink =
        (entry.data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || entry.size() >= kLinkTestedBytes;
    if (mayBeLink && isLinkEntry(links, folder, entry)) continue;
    stats.addFile(entry.data.cFileName, entry.size());
  }
  stats.endFolder();
}

}  // namespace

void CollectStatistics(wchar_t letter, DiskStats& stats, const FolderReport& report) {
  stats.reset();
  const std::wstring root = std::wstring(1, letter) + L":";
  WorkList queue;
  win::LinkTest links;  // one for the walk: a folder's place is resolved once
  std::vector<Entry> entries;
  bool going = true;
  if (list(root, entries)) {
    bool rootScanned = false;
    for (const auto& entry : entries) {
      if (isWalkedFolder(links, root, entry)) {
        std::wstring path = root + L"\\" + entry.data.cFileName;
        stats.addTopFolder(path);  // beyond the table's end the folder is walked without a row
        queue.add(std::move(path));
      } else if (!rootScanned) {
        rootScanned = true;
        scanFiles(links, root, entries, stats);
        going = report(root);
        if (!going) return;
      }
    }
  }
  queue.drain([&](const std::wstring& folder) {
    if (!going) return;
    // A folder that cannot be listed (access denied, vanished) adds nothing and is not entered.
    bool listed = list(folder, entries);
    if (listed) scanFiles(links, folder, entries, stats);
    going = report(folder);
    if (!going || !listed) return;
    for (const auto& entry : entries) {
      if (isWalkedFolder(links, folder, entry)) queue.add(folder + L"\\" + entry.data.cFileName);
    }
  });
}

}  // namespace kestova::stats
