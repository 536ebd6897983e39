#pragma once
// The two removal primitives every cleaner uses, and the in-use test.
#include <string>

#include "win/handles.h"
#include "win/recycle_removal.h"

namespace kestova::win {

// Every call takes a path of any length: past the old limit it goes in its extended form.

// The file system's delete of one file; true when it reported success.
bool deleteFile(const std::wstring& path);
// The file system's removal of one empty folder; true when it reported success.
bool removeEmptyFolder(const std::wstring& path);
// The shell's silent delete to the recycle bin of exactly one path (a double-NUL list of one);
// a path holding "*" or "?" is refused, so nothing is ever removed by a wildcard. Where the item
// cannot go to the bin (too large for it), the shell asks before deleting it for good. The shell
// takes no extended path: an item past the old limit that it refuses stays where it is.
bool recycle(const std::wstring& path);
// The same under the hourglass; the arrow comes back afterwards unless `keepHourglass` (an
// action is still running).
bool recycleWithCursor(const std::wstring& path, bool keepHourglass);

// Removes one file by the removal mode (`toRecycleBin` through `recycler`, or from disk); true
// when it is gone.
bool removeByMode(const std::wstring& path, bool toRecycleBin, RecycleRemoval& recycler, HWND owner);

// In use: the file exists and cannot be opened for reading and writing without sharing.
bool isInUse(const std::wstring& path);
// The open of the in-use test, kept: invalid when the file is in use (or missing).
win::FileHandle openUnshared(const std::wstring& path);

}  // namespace kestova::win
