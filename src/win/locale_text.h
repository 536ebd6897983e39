#pragma once
// Numbers and dates as the user's locale writes them.
#include <cstdint>
#include <string>
#include <unordered_map>

namespace kestova::win {

// The user's thousands separator, read from the locale once per run ("," when it has none).
const std::wstring& thousandsSeparator();
// File times (100-ns ticks since 1601, UTC) as local dates in the user's short date format;
// empty when one cannot be converted. Keep one for many files: each quarter hour of UTC is
// converted once (a zone's offsets and changes all fall on quarter hours, so the local date is
// the same throughout one).
class ShortDates {
 public:
  const std::wstring& operator()(std::uint64_t fileTime);

 private:
  std::unordered_map<std::uint64_t, std::wstring> byQuarterHour_;
};

}  // namespace kestova::win
