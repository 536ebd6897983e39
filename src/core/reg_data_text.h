#pragma once
// The registry search's text rules: matching a search text in names and in value data, and the
// data text shown for a hit (at most 100 characters with markers, control characters as dots).
// Data and data text are bytes of the Windows-1252 code page, as the ANSI registry API gives them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestova::regsearch {

// Two em dashes: no data text, or (after a key's values) no value name.
inline constexpr std::string_view kPlaceholder = "\x97\x97";
inline constexpr std::string_view kCutAfter = "\x85\xBB";   // "…»"
inline constexpr std::string_view kCutBefore = "\xAB\x85";  // "«…"
inline constexpr int kMaxDataLen = 100;

std::string upperAscii(std::string_view text);
std::wstring upperAscii(std::wstring_view text);
std::wstring lowerAscii(std::wstring_view text);
// Ordinal order with ASCII letters folded to capitals.
bool lessIgnoringAsciiCase(std::wstring_view a, std::wstring_view b);

// 1-based position of `needle` in `haystack`, ASCII letters folded unless `caseSensitive`; 0 = none.
int findText(std::string_view haystack, std::string_view needle, bool caseSensitive);
int findText(std::wstring_view haystack, std::wstring_view needle, bool caseSensitive);

// The search text read as a number: a decimal integer, or "0x"/"0X" followed by hex digits.
std::optional<std::int32_t> parseSearchNumber(std::string_view text);

struct DataMatch {
  std::string text;  // the data text
  int pos = 0;       // 1-based position of the highlighted part in `text`; 0 = none
  int len = 0;
};

// Matches `search` in value data of registry type `type` (the text, then the UTF-16 form of the
// search text, then the number); the data text of a match, nothing when the data does not match.
std::optional<DataMatch> matchData(std::string_view data, std::uint32_t type, std::string_view search,
                                   bool caseSensitive, std::optional<std::int32_t> number);

// The data text of `raw` with a match at `pos` (0 = none) of length `len`: shortened around the
// match with markers, control characters shown as dots. `pos` is updated to the text.
std::string shortenDataText(std::string_view raw, int& pos, int len);

}  // namespace kestova::regsearch
