#pragma once
// The rows of a result grid as text: tab-separated lines for the clipboard, and CSV records
// (RFC 4180) in UTF-8 for a file that spreadsheet programs open.
#include <span>
#include <string>
#include <string_view>

namespace kestova {

// Put in front of a CSV file, so that spreadsheet programs read it as UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The fields joined by tabs, ended by CR LF. A tab or line break inside a field would start a
// new cell or row, so it becomes a blank, as the lists draw it.
std::wstring tabSeparatedLine(std::span<const std::wstring> fields);

// One CSV record in UTF-8: fields joined by commas, ended by CR LF; a field holding a comma,
// a quote, CR or LF is put in quotes with its quotes doubled.
std::string csvRecord(std::span<const std::wstring> fields);

// The file name an export proposes: the window's title without the characters a file name
// cannot hold, then the date as yyyy-mm-dd, then ".csv".
std::wstring exportFileName(std::wstring_view title, int year, int month, int day);

}  // namespace kestova
