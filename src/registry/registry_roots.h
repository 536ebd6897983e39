#pragma once
// The root keys behind the root names of key texts and backup files.
#include <windows.h>

#include "core/repair_plan.h"

namespace kestova::registry {

// nullptr for RootId::None.
HKEY rootKey(regsearch::RootId root);

}  // namespace kestova::registry
