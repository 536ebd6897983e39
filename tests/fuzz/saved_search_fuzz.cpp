// libFuzzer target: the saved-search reader never reads past its input or crashes; it either
// returns the two settings or throws its own error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/saved_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    kestova::readSavedSearch(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const kestova::SavedSearchError&) {
  }
  return 0;
}
