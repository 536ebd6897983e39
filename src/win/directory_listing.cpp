#include "win/directory_listing.h"

#include "core/long_path.h"
#include "win/handles.h"
#include "win/links.h"

namespace kestova::win {

std::optional<std::vector<DirectoryEntry>> tryReadDirectory(const std::wstring& folder) {
  std::vector<DirectoryEntry> entries;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW(longPathForm(joinPath(folder, L"*.*")).c_str(), &data));
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

std::vector<DirectoryEntry> readDirectory(const std::wstring& folder) {
  return tryReadDirectory(folder).value_or(std::vector<DirectoryEntry>{});
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

}  // namespace kestova::win
