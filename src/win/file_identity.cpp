#include "win/file_identity.h"

#include <algorithm>

#include "core/long_path.h"
#include "win/handles.h"
#include "win/links.h"

namespace kestova::win {
namespace {

FileHandle openForIdentity(const std::wstring& path) {
  // Backup semantics let a folder be opened; no rights beyond its attributes are asked for.
  return FileHandle(CreateFileW(longPathForm(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<FileIdentity> identityOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// "X:\" for a path of a drive's root however many backslashes end it, else the path without them.
std::wstring trimmed(std::wstring path) {
  while (path.size() > 1 && path.back() == L'\\') path.pop_back();
  if (path.size() == 2 && path[1] == L':') path += L'\\';  // "X:" alone would be that drive's current folder
  return path;
}

// The path without the "\\?\" the resolution starts with ("\\?\UNC\server\share" becomes
// "\\server\share").
std::wstring plain(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
  if (path.starts_with(L"\\\\?\\")) return path.substr(4);
  return path;
}

bool isRootSpelling(const std::wstring& path) { return path.size() == 3 && path[1] == L':' && path[2] == L'\\'; }

// The folder that holds `path`, as spelled; empty at a drive's root or a share.
std::wstring parentOf(const std::wstring& path) {
  if (isRootSpelling(path)) return {};
  std::size_t cut = path.find_last_of(L'\\');
  if (cut == std::wstring::npos || cut == 0 || (cut == 1 && path[0] == L'\\')) return {};
  return trimmed(path.substr(0, cut));
}

}  // namespace

std::optional<FileIdentity> fileIdentity(const std::wstring& path) {
  FileHandle handle = openForIdentity(trimmed(path));
  if (!handle) return std::nullopt;
  return identityOf(handle.get());
}

FolderLine::FolderLine(const std::wstring& folder) {
  std::wstring given = trimmed(folder);
  FileHandle handle = openForIdentity(given);
  if (!handle) return;
  self_ = identityOf(handle.get());
  if (!self_) return;
  climb(given);
  std::wstring resolved = resolvedPath(handle.get());
  if (!resolved.empty()) climb(trimmed(plain(resolved)));
}

void FolderLine::climb(std::wstring path) {
  if (isRootSpelling(path)) driveRoot_ = true;
  bool first = true;
  for (path = parentOf(path); !path.empty(); path = parentOf(path), first = false) {
    std::optional<FileIdentity> identity = fileIdentity(path);
    if (!identity) continue;
    if (first) parents_.push_back(*identity);
    above_.push_back(*identity);
  }
}

bool FolderLine::within(const FileIdentity& folder) const {
  if (!self_) return false;
  return *self_ == folder || std::find(above_.begin(), above_.end(), folder) != above_.end();
}

bool FolderLine::directlyIn(const std::vector<FileIdentity>& folders) const {
  return std::any_of(parents_.begin(), parents_.end(), [&](const FileIdentity& parent) {
    return std::find(folders.begin(), folders.end(), parent) != folders.end();
  });
}

}  // namespace kestova::win
