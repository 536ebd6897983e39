#pragma once
// The temporary folders of a drive: the files at the top of each folder go by the removal mode
// and are listed as "Deleted"; everything below them is deleted by emptier E1.
#include <cstddef>
#include <string>
#include <vector>

#include "junk/cleaner_context.h"

namespace kestova::junk {

// Cleans each folder of `candidates` that exists, in order. `kept` (the program's own folder)
// is never touched, nor is a folder that holds it removed. Returns how many folders could not be
// read and were left as they are.
std::size_t cleanTempFolders(const std::vector<std::wstring>& candidates, const CleanerContext& context,
                             const std::wstring& kept);

}  // namespace kestova::junk
