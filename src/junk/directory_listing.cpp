#include "junk/directory_listing.h"

#include <optional>

#include "win/error.h"
#include "win/links.h"
#include "win/handles.h"

namespace kestova::junk {

namespace {

// Nothing when the folder cannot be enumerated; GetLastError tells why.
std::optional<std::vector<DirectoryEntry>> enumerate(const std::wstring& folder) {
  std::vector<DirectoryEntry> entries;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW(joinPath(folder, L"*.*").c_str(), &data));
  if (!find.valid()) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return entries;  // a folder with no entries
    return std::nullopt;
  }
  do {
    entries.push_back({data.cFileName, data.cAlternateFileName, data.dwFileAttributes,
                       (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                       (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime});
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

}  // namespace

std::vector<DirectoryEntry> readDirectory(const std::wstring& folder) {
  return enumerate(folder).value_or(std::vector<DirectoryEntry>{});
}

std::vector<DirectoryEntry> readDirectoryOrThrow(const std::wstring& folder) {
  auto entries = enumerate(folder);
  if (!entries) win::throwLastError(L"Cannot open folder " + folder);
  return std::move(*entries);
}

bool sameFolder(const std::wstring& a, const std::wstring& b) {
  std::wstring x = a, y = b;
  while (!x.empty() && x.back() == L'\\') x.pop_back();
  while (!y.empty() && y.back() == L'\\') y.pop_back();
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, x.c_str(), static_cast<int>(x.size()), y.c_str(),
                        static_cast<int>(y.size())) == CSTR_EQUAL;
}

bool isLinkEntry(const std::wstring& folder, const DirectoryEntry& entry) {
  std::wstring base = folder;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  return win::isLink(base, entry.name, entry.attributes);
}

bool removeLinkEntry(const std::wstring& path) { return win::removeLink(path); }

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

}  // namespace kestova::junk
