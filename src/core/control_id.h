#pragma once
// Controls and menu items are known by name; their window ids are derived from the name, so a
// driver in another process finds a control by the same name.
#include <string_view>

namespace kestova {

// An id in 1000..60999, the same for the same name in every build.
unsigned controlId(std::wstring_view name);

}  // namespace kestova
