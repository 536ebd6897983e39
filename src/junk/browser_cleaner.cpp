#include "junk/browser_cleaner.h"

#include "core/cleaner_rules.h"
#include "core/junk_rules.h"
#include "core/removal_accounting.h"
#include "win/directory_listing.h"
#include "win/removal.h"
#include "win/url_cache.h"
#include "win/volume_info.h"

namespace kestova::junk {

using win::deleteFile;
using win::DirectoryEntry;
using win::pathExists;
using win::readDirectory;
using win::removeLinkEntry;

namespace {

constexpr int kFileRowLimit = 100;

std::wstring withoutSlash(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

bool isBrowserKeptName(const std::wstring& name) {
  for (const wchar_t* kept : {L"desktop.ini", L"index.dat", L"INFO2", L"info2", L"DESKTOP.INI", L"INDEX.DAT"}) {
    if (name == kept) return true;
  }
  return false;
}

BrowserCleaner::BrowserCleaner(const CleanerContext& context)
    : context_(context), emptiers_(context.accounting, context.results, true) {}

bool BrowserCleaner::emptyCacheFolder(const std::wstring& folder) {
  if (isSystemCacheFolder(folder)) return false;
  std::wstring base = withoutSlash(folder);
  for (const DirectoryEntry& entry : readDirectory(base)) {
    if (entry.isDots()) continue;
    std::wstring path = base + L"\\" + entry.name;
    if (isLinkEntry(base, entry)) {
      removeLinkEntry(path);
    } else if (entry.isDirectory()) {
      emptiers_.emptyAndRemove(path);
    } else {
      bool listed = !isBrowserKeptName(entry.name) && context_.results.rowCount() <= kFileRowLimit;
      removeListed(base, entry.name, entry.size, false, listed);
    }
  }
  return true;
}

int BrowserCleaner::cleanUrlCache(int rowLimit) {
  int unlisted = 0;
  for (const win::UrlCacheEntry& entry : win::urlCacheEntries()) {
    if (!entry.normal() || isCookieUrl(entry.url) || isVisitedUrl(entry.url)) continue;
    bool gone = win::deleteUrlCacheEntry(entry.url);
    context_.results.pump();
    if (!gone) continue;
    countRemovedBytes(context_.accounting, entry.size, kTempFolderExtraKB);
    if (context_.results.rowCount() < rowLimit) {
      context_.results.addRow({L"IE Cache item  ", entry.url, fileSizeText(entry.size), L"Shredded"});
    } else {
      ++unlisted;
    }
  }
  return unlisted;
}

void BrowserCleaner::emptyContentFolder(const std::wstring& folder, bool list) {
  std::wstring base = withoutSlash(folder);
  for (const DirectoryEntry& entry : readDirectory(base)) {
    std::wstring path = base + L"\\" + entry.name;
    if (!entry.isDots() && isLinkEntry(base, entry)) {
      removeLinkEntry(path);
      continue;
    }
    bool plainFolder = entry.attributes == FILE_ATTRIBUTE_DIRECTORY ||
                       entry.attributes == (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
    if (plainFolder && !entry.name.starts_with(L".")) {
      emptyContentFolder(path, list);
      continue;
    }
    if (entry.isDirectory() || isKeptContentName(entry.name)) continue;
    deleteFile(path);
    context_.results.pump();
    if (pathExists(path)) continue;
    countRemovedBytes(context_.accounting, entry.size, kTempFolderExtraKB);
    if (list && context_.results.rowCount() <= kFileRowLimit) {
      context_.results.addRow({entry.name, base + L"\\", fileSizeText(entry.size), L"Shredded"});
    }
  }
}

void BrowserCleaner::cleanProfileHistory(const std::wstring& profile) {
  std::wstring base = withoutSlash(profile);
  for (const wchar_t* name : {L"netscape.hst", L"history.dat", L"places.sqlite"}) {
    std::wstring path = base + L"\\" + name;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    bool bookmarks = std::wstring(name) == L"places.sqlite";
    removeListed(base, name, size, bookmarks || context_.toRecycleBin, true);
  }
}

void BrowserCleaner::cleanHistoryFolder(const std::wstring& folder) {
  std::wstring base = withoutSlash(folder);
  for (const DirectoryEntry& entry : readDirectory(base)) {
    if (entry.isDots()) continue;
    std::wstring path = base + L"\\" + entry.name;
    if (isLinkEntry(base, entry)) {
      removeLinkEntry(path);
    } else if (entry.isDirectory()) {
      emptiers_.emptyAndRecycle(path + L"\\");
      if (!pathExists(path)) context_.accounting.recoveredKB += kBrowserFolderExtraKB;
    } else if (!isBrowserKeptName(entry.name)) {
      removeListed(base, entry.name, entry.size, context_.toRecycleBin, true);
    }
  }
}

void BrowserCleaner::cleanCookiesFolder(const std::wstring& folder) { walkFolder(folder); }

void BrowserCleaner::walkFolder(const std::wstring& folder) {
  std::wstring base = withoutSlash(folder);
  for (const DirectoryEntry& entry : readDirectory(base)) {
    if (entry.isDots()) continue;
    std::wstring path = base + L"\\" + entry.name;
    if (isLinkEntry(base, entry)) {
      removeLinkEntry(path);
    } else if (entry.isDirectory()) {
      emptiers_.emptyAndRecycle(path + L"\\");
    } else {
      removeListed(base, entry.name, entry.size, context_.toRecycleBin, !isBrowserKeptName(entry.name));
    }
  }
}

void BrowserCleaner::cleanProfileCookies(const std::wstring& profile) {
  std::wstring base = withoutSlash(profile);
  std::wstring path = base + L"\\cookies.txt";
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
  std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  removeListed(base, L"cookies.txt", size, context_.toRecycleBin, true);
}

void BrowserCleaner::deleteCookieEntries() {
  for (const win::UrlCacheEntry& entry : win::urlCacheEntries()) {
    if (!isCookieUrl(entry.url)) continue;
    win::deleteUrlCacheEntry(entry.url);
    context_.results.pump();
  }
}

bool BrowserCleaner::removeListed(const std::wstring& folder, const std::wstring& name, std::uint64_t size,
                                  bool toRecycleBin, bool listed) {
  bool gone = removeByMode(folder + L"\\" + name, toRecycleBin, context_.recycler, context_.owner);
  context_.results.pump();
  if (!gone) return false;
  context_.results.addToTotal(size);
  countRemovedBytes(context_.accounting, size, kBrowserFolderExtraKB);
  if (listed) context_.results.addRow({name, folder + L"\\", fileSizeText(size), L"Shredded"});
  return true;
}

}  // namespace kestova::junk
