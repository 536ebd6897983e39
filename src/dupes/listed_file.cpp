#include "dupes/listed_file.h"

#include <cstdint>
#include <optional>

#include "core/long_path.h"
#include "win/handles.h"

namespace kestova::dupes {
namespace {

std::uint64_t joined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

bool sameFacts(DWORD sizeHigh, DWORD sizeLow, const FILETIME& written, std::uint64_t bytes, std::uint64_t lastWrite) {
  return joined(sizeHigh, sizeLow) == bytes && joined(written.dwHighDateTime, written.dwLowDateTime) == lastWrite;
}

// The entry at `path` whose name is exactly the path's last part.
std::optional<WIN32_FIND_DATAW> entryNamed(const std::wstring& path) {
  std::size_t cut = path.find_last_of(L'\\');
  std::wstring name = cut == std::wstring::npos ? path : path.substr(cut + 1);
  // A listed name is never a pattern; one that looked like one would find other files.
  if (name.empty() || name.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW(longPathForm(path).c_str(), &data));
  if (!find.valid()) return std::nullopt;
  // The name matches in either case, so every file that differs from it only in case comes too.
  do {
    if (name == data.cFileName) return data;
  } while (FindNextFileW(find.get(), &data));
  return std::nullopt;
}

}  // namespace

bool stillAsListed(HANDLE file, std::uint64_t bytes, std::uint64_t lastWrite) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return false;
  return sameFacts(info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime, bytes, lastWrite);
}

bool stillAsListed(const CollectedFile& listed) {
  auto entry = entryNamed(listed.path);
  return entry && !(entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         sameFacts(entry->nFileSizeHigh, entry->nFileSizeLow, entry->ftLastWriteTime, listed.bytes, listed.lastWrite);
}

bool listedNameExists(const std::wstring& path) { return entryNamed(path).has_value(); }

}  // namespace kestova::dupes
