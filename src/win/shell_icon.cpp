#include "win/shell_icon.h"

#include <commctrl.h>
#include <shellapi.h>

namespace kestova::win {

Icon largeShellIcon(const std::wstring& path) {
  SHFILEINFOW info = {};
  auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
  if (!list) return Icon();
  return Icon(ImageList_GetIcon(list, info.iIcon, ILD_NORMAL));
}

}  // namespace kestova::win
