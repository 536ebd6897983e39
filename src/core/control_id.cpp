#include "core/control_id.h"

#include <cstdint>

namespace kestova {

unsigned controlId(std::wstring_view name) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (wchar_t c : name) {
    hash ^= static_cast<std::uint32_t>(c);
    hash *= 16777619u;
  }
  return 1000 + hash % 60000;
}

}  // namespace kestova
