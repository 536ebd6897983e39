#include "win/locale_text.h"

#include <windows.h>

namespace kestova::win {

const std::wstring& thousandsSeparator() {
  static const std::wstring separator = [] {
    wchar_t text[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, 8) == 0) return std::wstring(L",");
    return std::wstring(text);
  }();
  return separator;
}

namespace {

std::wstring shortDate(std::uint64_t fileTime) {
  FILETIME utc = {static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  SYSTEMTIME universal = {};
  SYSTEMTIME local = {};
  // The zone's rules at that date, not today's daylight saving.
  if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    return {};
  }
  wchar_t text[80] = {};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, text, 80) == 0) return {};
  return text;
}

}  // namespace

const std::wstring& ShortDates::operator()(std::uint64_t fileTime) {
  constexpr std::uint64_t kQuarterHour = 15ull * 60 * 10000000;
  std::uint64_t quarter = fileTime / kQuarterHour;
  auto found = byQuarterHour_.find(quarter);
  if (found == byQuarterHour_.end()) found = byQuarterHour_.emplace(quarter, shortDate(fileTime)).first;
  return found->second;
}

}  // namespace kestova::win
