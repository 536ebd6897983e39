#include "win/removal.h"

#include <windows.h>

#include <shellapi.h>

#include "core/long_path.h"
#include "win/handles.h"
#include "win/volume_info.h"

namespace kestova::win {

bool deleteFile(const std::wstring& path) { return DeleteFileW(longPathForm(path).c_str()) != FALSE; }

bool removeEmptyFolder(const std::wstring& path) { return RemoveDirectoryW(longPathForm(path).c_str()) != FALSE; }

bool recycle(const std::wstring& path) {
  if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos) return false;
  std::wstring list = path;
  list.push_back(L'\0');  // the second terminating zero of the list
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool recycleWithCursor(const std::wstring& path, bool keepHourglass) {
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  bool done = recycle(path);
  if (!keepHourglass) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  return done;
}

bool removeByMode(const std::wstring& path, bool toRecycleBin, RecycleRemoval& recycler, HWND owner) {
  if (toRecycleBin) return recycler.remove(path, owner);
  deleteFile(path);
  return !pathExists(path);
}

win::FileHandle openUnshared(const std::wstring& path) {
  return win::FileHandle(CreateFileW(longPathForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool isInUse(const std::wstring& path) {
  if (openUnshared(path)) return false;
  DWORD attributes = GetFileAttributesW(longPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace kestova::win
