#pragma once
// Removal in recycle mode. The shell deletes for good, silently, whatever cannot go to a recycle
// bin; a user who chose the bin chose an undo. So a file on a drive without a bin (removable,
// floppy, network) is removed only after a Yes, asked once per drive within one action.
#include <windows.h>

#include <map>
#include <string>

namespace kestova::win {

class RecycleRemoval {
 public:
  // Sends `path` to the recycle bin; on a drive without one, deletes it for good if the user
  // agreed for that drive (asked in a box owned by `owner`). True when it is gone; after a No it
  // stays.
  bool remove(const std::wstring& path, HWND owner);
  // A new action asks again.
  void forgetAnswers() { answers_.clear(); }

 private:
  std::map<std::wstring, bool> answers_;  // by drive, upper case
};

// The drive of a full path as the user knows it: "X:" or "\\server\share"; empty for neither.
std::wstring driveOf(const std::wstring& path);
// Files on the drive of `path` can go to a recycle bin: only fixed disks have one.
bool driveHasRecycleBin(const std::wstring& path);

}  // namespace kestova::win
