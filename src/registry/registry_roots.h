#pragma once
// The root keys behind the root names of key texts and backup files.
#include <windows.h>

#include "core/repair_plan.h"

namespace kestova::registry {

// nullptr for RootId::None.
HKEY rootKey(regsearch::RootId root);

// The cleaner searches, changes and restores the 64-bit view on 64-bit Windows from either build:
// the view that shows the keys of 32-bit programs as the ordinary subkey Wow6432Node, and the one
// the system's registry editor imports the backup into. 32-bit Windows ignores the flag.
inline constexpr REGSAM kCleanerView = KEY_WOW64_64KEY;

}  // namespace kestova::registry
