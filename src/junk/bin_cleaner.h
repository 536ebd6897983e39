#pragma once
// The recycle folder of a drive and the recent-documents folder: every entry is deleted from
// disk whatever the removal mode, and listed as "Deleted" once it is gone.
#include <windows.h>

#include <string>

#include "junk/cleaner_context.h"

namespace kestova::junk {

// A recycle folder that may be emptied item by item: its last name holds "RECYCLE", "Recycle"
// or "recycle" (a folder the scan merely guessed is not).
bool isRecycleFolderName(const std::wstring& folder);

// Removes the entries of the recycle folder but "NPROTECT"; on the run's first press its
// subfolders are first emptied by E2, listing their files.
void cleanRecycleFolder(const std::wstring& folder, bool firstPress, const CleanerContext& context);

// Removes every entry of the recent-documents folder.
void cleanRecentFolder(const std::wstring& folder, const CleanerContext& context);

// The shell empties the recycle bins of every drive, without asking; true when it reported
// success.
bool emptyRecycleBins(HWND owner);

}  // namespace kestova::junk
