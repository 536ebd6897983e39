#pragma once
// The walk of the duplicate search: one drive from its root, folders in the work list's order,
// collecting the files large enough to compare.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/duplicate_plan.h"

namespace kestova::dupes {

// Walks `root` ("C:"). Hidden and system entries are passed over, and so are links: a linked
// folder is not entered. `folderRead` sees each folder after its read and returns false to stop
// the walk (then nothing comes back). Files come in walk order, name and folder upper-cased.
std::optional<std::vector<CollectedFile>> collectFiles(const std::wstring& root, bool limit,
                                                       const std::function<bool(const std::wstring&)>& folderRead);

// The upper case of a name as the system writes it.
std::wstring upperCase(std::wstring text);

}  // namespace kestova::dupes
