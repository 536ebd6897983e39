#include "win/recycle_removal.h"

#include <cwctype>

#include "win/dialogs.h"
#include "win/removal.h"
#include "win/volume_info.h"

namespace kestova::win {


std::wstring driveOf(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':' && std::iswalpha(path[0])) return path.substr(0, 2);
  if (path.size() < 3 || path.compare(0, 2, L"\\\\") != 0) return {};
  // \\server\share: up to the separator after the share's name.
  std::size_t server = path.find(L'\\', 2);
  if (server == std::wstring::npos || server == 2) return {};
  std::size_t share = path.find(L'\\', server + 1);
  return share == std::wstring::npos ? path : path.substr(0, share);
}

bool driveHasRecycleBin(const std::wstring& path) {
  std::wstring drive = driveOf(path);
  return !drive.empty() && GetDriveTypeW((drive + L"\\").c_str()) == DRIVE_FIXED;
}

bool RecycleRemoval::remove(const std::wstring& path, HWND owner) {
  if (driveHasRecycleBin(path)) {
    recycle(path);
    return !pathExists(path);
  }
  std::wstring drive = driveOf(path);
  if (drive.empty()) drive = path;
  std::wstring key = drive;
  for (wchar_t& c : key) c = static_cast<wchar_t>(std::towupper(c));
  auto answer = answers_.find(key);
  if (answer == answers_.end()) {
    bool yes = win::confirm(owner, L"Files on " + drive +
                                        L" cannot be sent to the recycle bin: they would be deleted for good. Delete "
                                        L"them anyway?");
    answer = answers_.emplace(key, yes).first;
  }
  if (!answer->second) return false;
  deleteFile(path);
  return !pathExists(path);
}

}  // namespace kestova::win
