#include "core/language.h"

#include <string>

namespace kestova {

int readLanguage(const Lines& lines) {
  if (lines.size() < 2 || lines[1].empty()) return kEnglish;
  const std::wstring& text = lines[1];
  int code = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9' || code > kLanguageCount) return kEnglish;
    code = code * 10 + (c - L'0');
  }
  return code >= 1 && code <= kLanguageCount ? code : kEnglish;
}

bool writeLanguage(Lines& lines, int code) {
  if (lines.size() < 2) return false;
  lines[1] = std::to_wstring(code);
  return true;
}

}  // namespace kestova
