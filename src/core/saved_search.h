#pragma once
// The saved-search file of the registry cleaner: tagged values after the signature "RDZ".
// Untrusted input: nothing is read past the data and no length field makes a large allocation.
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace kestova {

class SavedSearchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SavedSearch {
  std::int32_t perPage = 0;
  std::int32_t maxRslt = 0;
};

// Throws SavedSearchError: "RDZ file corrupted (1)" for a wrong signature or version, the value
// reader's "Stream read error" for data that ends early and "Invalid property value" for an
// unexpected type byte.
SavedSearch readSavedSearch(std::string_view bytes);

}  // namespace kestova
