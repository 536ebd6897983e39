#include "win/links.h"

#include <optional>

#include "core/long_path.h"
#include "win/handles.h"

namespace kestova::win {
namespace {

using GetFinalPath = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// Vista and later; XP has no symbolic links and marks its junctions with the attribute.
GetFinalPath finalPathFunction() {
  static const GetFinalPath function = reinterpret_cast<GetFinalPath>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
  return function;
}

// The path the system resolves `path` to; empty when it cannot tell.
std::wstring resolved(const std::wstring& path) {
  if (!finalPathFunction()) return {};
  win::FileHandle handle(CreateFileW(longPathForm(path).c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return {};
  return resolvedPath(handle.get());
}

bool samePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

struct FileDispositionInformation {
  BOOLEAN deleteFile;
};
struct IoStatusBlock {
  void* status;
  ULONG_PTR information;
};
using SetInformationFile = LONG(NTAPI*)(HANDLE, IoStatusBlock*, void*, ULONG, int);
constexpr int kFileDispositionInformation = 13;

// The folder's resolution ending in "\\"; empty when it cannot be resolved.
std::wstring folderResolution(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';  // "X:" alone is the drive's current folder
  std::wstring place = resolved(folder);
  if (!place.empty() && place.back() != L'\\') place += L'\\';
  return place;
}

// An entry resolves to a place other than its own folder's resolution plus its name. When the
// folder resolves but the entry does not, it is taken as a link: a walk leaves it alone.
bool differs(const std::wstring& parent, const std::wstring& name, const std::wstring& self) {
  if (parent.empty()) return false;
  if (self.empty()) return true;
  return !samePath(self, parent + name);
}

// "folder\\name", also for a folder given as "X:" or with its final "\\".
std::wstring entryPath(std::wstring folder, const std::wstring& name) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder + name;
}

bool resolvesElsewhere(const std::wstring& folder, const std::wstring& name) {
  if (!finalPathFunction()) return false;
  std::wstring parent = folderResolution(folder);
  if (parent.empty()) return false;
  return differs(parent, name, resolved(entryPath(folder, name)));
}

// What the attributes alone tell: a reparse point is a link; a folder without one is none (a
// linked folder always carries it; only a host link to a file hides it), nor is anything where
// the system cannot resolve paths. Nothing when the entry must be resolved to tell.
std::optional<bool> linkByAttributes(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) || !finalPathFunction()) return false;
  return std::nullopt;
}

}  // namespace

std::wstring resolvedPath(HANDLE handle) {
  GetFinalPath function = finalPathFunction();
  if (!function) return {};
  std::wstring result(1024, L'\0');
  DWORD length = function(handle, result.data(), static_cast<DWORD>(result.size()), 0);
  if (length >= result.size()) {
    result.resize(length + 1);
    length = function(handle, result.data(), static_cast<DWORD>(result.size()), 0);
  }
  if (length == 0 || length >= result.size()) return {};
  result.resize(length);
  return result;
}

bool isLink(const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
  return isLink(folder, entry.cFileName, entry.dwFileAttributes);
}

bool isLink(const std::wstring& folder, const std::wstring& name, DWORD attributes) {
  if (auto known = linkByAttributes(attributes)) return *known;
  return resolvesElsewhere(folder, name);
}

bool isLink(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(longPathForm(path).c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
  std::wstring trimmed = path;
  while (trimmed.size() > 3 && trimmed.back() == L'\\') trimmed.pop_back();
  std::size_t cut = trimmed.find_last_of(L'\\');
  if (cut == std::wstring::npos || cut + 1 >= trimmed.size()) return false;  // a drive's root
  return resolvesElsewhere(trimmed.substr(0, cut), trimmed.substr(cut + 1));
}

// A walk enters no linked folder, so a folder mostly lies where its parent lies: its place is
// taken from its parent's without asking the system, and asked for only when a file seems to lie
// elsewhere.
const std::wstring& LinkTest::folderPlace(const std::wstring& folder) {
  auto found = folders_.find(folder);
  if (found != folders_.end()) return found->second;
  std::wstring place;
  std::size_t cut = folder.find_last_of(L'\\');
  if (cut != std::wstring::npos && cut + 1 < folder.size()) {
    const std::wstring& parent = folderPlace(folder.substr(0, cut));
    if (!parent.empty()) place = parent + folder.substr(cut + 1) + L'\\';
  }
  if (place.empty()) place = folderResolution(folder);
  return folders_.emplace(folder, std::move(place)).first->second;
}

bool LinkTest::isLink(const std::wstring& folder, const std::wstring& name, DWORD attributes) {
  if (auto known = linkByAttributes(attributes)) return *known;
  return differsFromFolder(folder, name, resolved(entryPath(folder, name)));
}

bool LinkTest::isLink(const std::wstring& folder, const std::wstring& name, DWORD attributes, HANDLE file) {
  if (auto known = linkByAttributes(attributes)) return *known;
  return differsFromFolder(folder, name, resolvedPath(file));
}

// The system may name a place differently over time (under Wine, when drive letters change and
// its drive list is read again): a file that seems to lie elsewhere is checked once more against
// its folder resolved now, so only a real link is taken for one.
bool LinkTest::differsFromFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& self) {
  if (!differs(folderPlace(folder), name, self)) return false;
  std::wstring& place = folders_[folder];
  place = folderResolution(folder);
  return differs(place, name, self);
}

bool removeLink(const std::wstring& path) {
  win::FileHandle handle(CreateFileW(longPathForm(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return false;
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;  // the target, not the link
  auto set = reinterpret_cast<SetInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetInformationFile")));
  if (!set) return false;
  FileDispositionInformation disposition{TRUE};
  IoStatusBlock status{};
  return set(handle.get(), &status, &disposition, sizeof disposition, kFileDispositionInformation) >= 0;
}

}  // namespace kestova::win
