#pragma once
// Numbers and dates as the user's locale writes them.
#include <cstdint>
#include <string>

namespace kestova::win {

// The user's thousands separator, read from the locale once per run ("," when it has none).
const std::wstring& thousandsSeparator();
// A file time (100-ns ticks since 1601, UTC) as a local date in the user's short date format;
// empty when it cannot be converted.
std::wstring shortDate(std::uint64_t fileTime);

}  // namespace kestova::win
