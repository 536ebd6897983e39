#include "stats/collector.h"

#include <windows.h>

#include <cstdint>

#include "core/long_path.h"
#include "core/work_list.h"
#include "win/handles.h"
#include "win/links.h"

namespace kestova::stats {
namespace {

constexpr std::uint64_t kLinkTestedBytes = 1 << 20;

bool isDirectory(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

std::uint64_t sizeOf(const WIN32_FIND_DATAW& data) {
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool isDots(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

// A folder of the listing that the walk enters: every one but a link (the system's own folders
// count in their top-level folder's total like any other).
bool isWalkedFolder(win::LinkTest& links, const std::wstring& folder, const WIN32_FIND_DATAW& data) {
  return isDirectory(data) && !isDots(data.cFileName) && !links.isLink(folder, data.cFileName, data.dwFileAttributes);
}

// Counts one entry of `folder`.
void count(win::LinkTest& links, const std::wstring& folder, const WIN32_FIND_DATAW& data, DiskStats& stats) {
  if (isDirectory(data)) {
    // A folder whose name has a three-letter extension counts as a file of size 0, walked or not.
    if (hasThreeLetterExtension(data.cFileName)) stats.addFile(data.cFileName, 0);
    return;
  }
  // Every file, by its directory entry; a link to a file elsewhere is not counted. Under Wine a
  // host link looks like a plain file of its target's size and only opening it tells; that is
  // done for files large enough to matter, so the walk keeps near the speed of a bare listing.
  const std::uint64_t bytes = sizeOf(data);
  const bool mayBeLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || bytes >= kLinkTestedBytes;
  if (mayBeLink && links.isLink(folder, data.cFileName, data.dwFileAttributes)) return;
  stats.addFile(data.cFileName, bytes);
}

// Counts the files of `folder` as they are listed and hands each walked subfolder's path to
// `subfolder`; nothing of the listing is kept. False when the folder cannot be listed.
template <typename Subfolder>
bool scan(win::LinkTest& links, const std::wstring& folder, DiskStats& stats, Subfolder&& subfolder) {
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW(longPathForm(folder + L"\\*.*").c_str(), &data));
  if (!find.valid()) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    stats.beginFolder(folder);
    stats.endFolder();
    return true;
  }
  stats.beginFolder(folder);
  do {
    count(links, folder, data, stats);
    if (isWalkedFolder(links, folder, data)) subfolder(folder + L"\\" + data.cFileName);
  } while (FindNextFileW(find.get(), &data));
  stats.endFolder();
  return true;
}

}  // namespace

bool CollectStatistics(wchar_t letter, DiskStats& stats, const FolderReport& report) {
  stats.reset();
  const std::wstring root = std::wstring(1, letter) + L":";
  WorkList queue;
  win::LinkTest links;  // one for the walk: a folder's place is resolved once
  if (scan(links, root, stats, [&](std::wstring path) {
        stats.addTopFolder(path);  // beyond the table's end the folder is walked without a row
        queue.add(std::move(path));
      })) {
    if (!report(root)) return false;
  }
  bool going = true;
  queue.drain([&](const std::wstring& folder) {
    if (!going) return;
    // A folder that cannot be listed (access denied, vanished) adds nothing and is not entered.
    scan(links, folder, stats, [&](std::wstring path) { queue.add(std::move(path)); });
    going = report(folder);
  });
  return going;
}

}  // namespace kestova::stats
