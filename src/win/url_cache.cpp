#include "win/url_cache.h"

#include <wininet.h>

#include <algorithm>

namespace kestova::win {
namespace {

class UrlCacheFind {
 public:
  UrlCacheFind() = default;
  UrlCacheFind(const UrlCacheFind&) = delete;
  UrlCacheFind& operator=(const UrlCacheFind&) = delete;
  ~UrlCacheFind() {
    if (h_) FindCloseUrlCache(h_);
  }
  HANDLE h_ = nullptr;
};

// Calls `read` with a buffer that grows while it reports ERROR_INSUFFICIENT_BUFFER.
template <typename Read>
bool readEntry(std::vector<BYTE>& buffer, Read read) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = static_cast<DWORD>(buffer.size());
    if (read(reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data()), &size)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    buffer.resize(std::max<std::size_t>(size, buffer.size() * 2));
  }
  return false;
}

UrlCacheEntry entryOf(const std::vector<BYTE>& buffer) {
  const auto* info = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
  UrlCacheEntry entry;
  if (info->lpszSourceUrlName) entry.url = info->lpszSourceUrlName;
  entry.type = info->CacheEntryType;
  entry.size = (static_cast<std::uint64_t>(info->dwSizeHigh) << 32) | info->dwSizeLow;
  return entry;
}

}  // namespace

std::vector<UrlCacheEntry> urlCacheEntries() {
  std::vector<UrlCacheEntry> entries;
  std::vector<BYTE> buffer(4096);
  UrlCacheFind find;
  bool more = readEntry(buffer, [&](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
    find.h_ = FindFirstUrlCacheEntryW(nullptr, info, size);
    return find.h_ != nullptr;
  });
  while (more) {
    entries.push_back(entryOf(buffer));
    more = readEntry(buffer, [&](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
      return FindNextUrlCacheEntryW(find.h_, info, size) != FALSE;
    });
  }
  return entries;
}

bool deleteUrlCacheEntry(const std::wstring& url) { return DeleteUrlCacheEntryW(url.c_str()) != FALSE; }

}  // namespace kestova::win
