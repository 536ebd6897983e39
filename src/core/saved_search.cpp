#include "core/saved_search.h"

namespace kestova {
namespace {

enum Tag : unsigned char { kInt8 = 2, kInt16 = 3, kInt32 = 4, kString = 6, kLongString = 12 };

class ValueReader {
 public:
  explicit ValueReader(std::string_view bytes) : bytes_(bytes) {}

  std::int32_t integer() {
    switch (tag()) {
      case kInt8: return static_cast<std::int8_t>(take(1)[0]);
      case kInt16: return static_cast<std::int16_t>(little(2));
      case kInt32: return static_cast<std::int32_t>(little(4));
      default: throw SavedSearchError("Invalid property value");
    }
  }

  // Skips the characters: only their presence matters here.
  std::string_view string() {
    switch (tag()) {
      case kString: return take(static_cast<unsigned char>(take(1)[0]));
      case kLongString: return take(little(4));
      default: throw SavedSearchError("Invalid property value");
    }
  }

 private:
  unsigned char tag() { return static_cast<unsigned char>(take(1)[0]); }

  std::uint32_t little(std::size_t n) {
    std::string_view raw = take(n);
    std::uint32_t value = 0;
    for (std::size_t i = n; i-- > 0;) value = value << 8 | static_cast<unsigned char>(raw[i]);
    return value;
  }

  std::string_view take(std::size_t n) {
    if (n > bytes_.size() - at_) throw SavedSearchError("Stream read error");
    std::string_view part = bytes_.substr(at_, n);
    at_ += n;
    return part;
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
};

}  // namespace

SavedSearch readSavedSearch(std::string_view bytes) {
  ValueReader reader(bytes);
  if (reader.string() != "RDZ") throw SavedSearchError("RDZ file corrupted (1)");
  std::int32_t version = reader.integer();
  if (version < 0 || version > 31) throw SavedSearchError("RDZ file corrupted (1)");
  SavedSearch search;
  search.perPage = reader.integer();
  search.maxRslt = reader.integer();
  for (int list = 0; list < 2; ++list) {
    for (std::int32_t i = 0, n = reader.integer(); i < n; ++i) {
      reader.integer();
      reader.string();
    }
  }
  for (std::int32_t i = 0, n = reader.integer(); i < n; ++i) {
    if (reader.integer() == 4) {
      reader.integer();
    } else {
      reader.string();
    }
  }
  return search;
}

}  // namespace kestova
