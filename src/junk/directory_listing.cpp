#include "junk/directory_listing.h"

#include "win/handles.h"

namespace kestova::junk {

std::vector<DirectoryEntry> readDirectory(const std::wstring& folder) {
  std::vector<DirectoryEntry> entries;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW(joinPath(folder, L"*.*").c_str(), &data));
  if (!find.valid()) return entries;
  do {
    entries.push_back({data.cFileName, data.cAlternateFileName, data.dwFileAttributes,
                       (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

}  // namespace kestova::junk
