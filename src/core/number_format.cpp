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

std::wstring formatThousands2(double value) {
  std::wstring plain = formatFixed2(std::fabs(value));
  std::size_t dot = plain.find(L'.');
  std::wstring whole = plain.substr(0, dot);
  std::wstring grouped;
  int count = 0;
  for (auto it = whole.rbegin(); it != whole.rend(); ++it) {
    if (count > 0 && count % 3 == 0) grouped.insert(grouped.begin(), L',');
    grouped.insert(grouped.begin(), *it);
    ++count;
  }
  bool negative = value < 0 && plain != L"0.00";
  return (negative ? L"-" : L"") + grouped + plain.substr(dot);
}

}  // namespace kestova
