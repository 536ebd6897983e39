#include "core/number_format.h"

#include <cmath>
#include <cstdio>

namespace kestova {

std::wstring formatFixed2(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", value);
  std::string s(buf);
  if (s == "-0.00") s = "0.00";
  return std::wstring(s.begin(), s.end());
}

namespace {

std::wstring groupDigits(std::wstring_view digits, std::wstring_view separator) {
  std::wstring grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace

std::wstring formatThousands2(double value) {
  std::wstring plain = formatFixed2(std::fabs(value));
  std::size_t dot = plain.find(L'.');
  bool negative = value < 0 && plain != L"0.00";
  return (negative ? L"-" : L"") + groupDigits(std::wstring_view(plain).substr(0, dot), L",") + plain.substr(dot);
}

std::wstring groupThousands(std::uint64_t value, std::wstring_view separator) {
  return groupDigits(std::to_wstring(value), separator);
}

}  // namespace kestova
