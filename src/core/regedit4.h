#pragma once
// The registry editor's text format "REGEDIT4", written losslessly and read back. Values are
// given as the wide registry API holds them: string types as UTF-16LE bytes. The file is
// Windows-1252 text; strings and the bytes of hex(1), hex(2) and hex(7) are converted at that boundary,
// as the registry editor converts them when it imports the file.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestova::regedit4 {

inline constexpr std::uint32_t kString = 1, kExpandString = 2, kBinary = 3, kDword = 4, kMultiString = 7;

struct Value {
  std::wstring name;  // empty: the key's default value
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const Value&) const = default;
};

struct KeyBlock {
  std::wstring path;  // full path, root name first
  std::vector<Value> values;
  bool operator==(const KeyBlock&) const = default;
};

class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "\" and "\"" escaped, for names and string data between quotes.
std::string escape(std::string_view text);
// "[path]" without line end.
std::string keyLine(std::wstring_view path);
// The value's line (with continuation lines for long hex data), without the final line end.
std::string valueLine(const Value& value);
// True when the value is written with its exact bytes on one value line: a name that
// Windows-1252 holds and that has no line break, and strings that Windows-1252 holds.
bool isLossless(const Value& value);
// True when the key line gives the key back exactly: Windows-1252 holds the path, no line break.
bool isLosslessKey(std::wstring_view path);

// Reads a whole file; throws FormatError with the line number for text it does not understand.
std::vector<KeyBlock> parse(std::string_view file);

}  // namespace kestova::regedit4
