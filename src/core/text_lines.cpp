#include "core/text_lines.h"

namespace kestova {

Lines splitLines(std::wstring_view text) {
  Lines lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::wstring joinLines(const Lines& lines) {
  std::wstring out;
  for (const auto& line : lines) {
    out += line;
    out += L"\r\n";
  }
  return out;
}

}  // namespace kestova
