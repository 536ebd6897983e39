#include "win/number_format.h"

#include <windows.h>

#include "core/number_format.h"

namespace kestova::win {
namespace {

// The locale's separator, or `fallback` when the query fails.
std::wstring separator(LCTYPE type, const wchar_t* fallback) {
  wchar_t buffer[8] = {};
  if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 8)) return fallback;
  return buffer;
}

}  // namespace

std::wstring formatThousands2(double value) {
  const std::wstring thousands = separator(LOCALE_STHOUSAND, L",");
  const std::wstring decimal = separator(LOCALE_SDECIMAL, L".");
  std::wstring result;
  for (wchar_t c : kestova::formatThousands2(value)) {
    if (c == L',') {
      result += thousands;
    } else if (c == L'.') {
      result += decimal;
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace kestova::win
