#include "core/dos_wildcard.h"

namespace kestova {

wchar_t foldCase(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);
  if (c == 0xFF) return static_cast<wchar_t>(0x178);
  return c;
}

wchar_t requiredLastChar(std::wstring_view mask) {
  if (mask.empty()) return 0;
  wchar_t last = mask.back();
  return last == L'*' || last == L'?' || last == L'.' ? 0 : foldCase(last);
}

bool dosMatch(std::wstring_view mask, std::wstring_view name) {
  // A mask that ends in a plain character matches only names ending in it: most names of a
  // folder fail here, before the walk below.
  if (wchar_t last = requiredLastChar(mask); last && (name.empty() || foldCase(name.back()) != last)) return false;
  std::size_t m = 0;
  std::size_t n = 0;
  // Where the last "*" left the mask, and the name position to retry from on a mismatch.
  std::size_t joker = std::wstring_view::npos;
  std::size_t retry = 0;
  auto same = [](wchar_t a, wchar_t b) { return foldCase(a) == foldCase(b); };

  while (n < name.size() && m < mask.size()) {
    wchar_t c = mask[m];
    if (c == L'*') {
      while (m < mask.size() && mask[m] == L'*') ++m;
      if (m == mask.size()) return true;
      joker = m;
      // Skip to the next place where the character after the "*" can match.
      while (n < name.size() && !same(name[n], mask[m])) ++n;
      retry = n;
    } else if (c == L'?') {
      ++m;
      ++n;
    } else if (same(c, name[n])) {
      ++m;
      ++n;
      if (m == mask.size()) {
        if (n == name.size()) return true;
        if (joker != std::wstring_view::npos) m = joker;
      }
    } else if (joker != std::wstring_view::npos) {
      m = joker;
      n = ++retry;
    } else {
      return false;
    }
  }
  while (m < mask.size() && (mask[m] == L'.' || mask[m] == L'*')) ++m;
  return n == name.size() && m == mask.size();
}

}  // namespace kestova
