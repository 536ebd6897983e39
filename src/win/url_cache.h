#pragma once
// The WinINet URL cache: its entries read whole, and the deletion of one entry.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kestova::win {

struct UrlCacheEntry {
  std::wstring url;
  DWORD type = 0;  // NORMAL_CACHE_ENTRY, COOKIE_CACHE_ENTRY, ... bits
  std::uint64_t size = 0;

  bool normal() const { return (type & 0x1) != 0; }  // NORMAL_CACHE_ENTRY
};

// Every entry of the URL cache, read before any is deleted; the entry buffer grows as the cache
// asks, so a long URL never ends the walk. Empty when the cache has no entry.
std::vector<UrlCacheEntry> urlCacheEntries();
// True when the entry is gone.
bool deleteUrlCacheEntry(const std::wstring& url);

}  // namespace kestova::win
