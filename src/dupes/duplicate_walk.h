#pragma once
// The walk of the duplicate search: one drive from its root, folders in the work list's order,
// collecting the files large enough to compare.
#include <functional>
#include <string>
#include <vector>

#include "core/duplicate_plan.h"

namespace kestova::dupes {

// Walks `root` ("C:") into `walk`, which it empties first. Hidden and system entries are passed
// over, and so are links (a linked folder is not entered) and the system's own folders on that
// drive. `folderRead` sees each folder after its read and returns false to stop the walk (false
// comes back, and `walk` holds what was collected so far). Files come in walk order.
bool collectFiles(const std::wstring& root, bool limit, WalkedFiles& walk,
                  const std::function<bool(const std::wstring&)>& folderRead);

// The system's own folders on the drive `root` ("C:"), upper-cased, as the system names them: the
// Windows folder, the "Program Files" folders, the recycle bins and the volume's system folder.
std::vector<std::wstring> systemFoldersOn(const std::wstring& root);

// The upper case of a name as the system writes it.
std::wstring upperCase(std::wstring text);

}  // namespace kestova::dupes
