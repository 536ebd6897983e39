#pragma once
// Icons of the shell's system image list.
#include <string>

#include "win/handles.h"

namespace kestova::win {

// A copy of the large icon the shell shows for the path (a drive root, a file); empty when the
// shell has none.
Icon largeShellIcon(const std::wstring& path);

}  // namespace kestova::win
