#include "core/reg_data_text.h"

#include <algorithm>
#include <cstdio>

namespace kestova::regsearch {
namespace {

template <typename Char>
Char upper(Char c) {
  return c >= 'a' && c <= 'z' ? static_cast<Char>(c - 'a' + 'A') : c;
}

template <typename Char>
int find(std::basic_string_view<Char> haystack, std::basic_string_view<Char> needle, bool caseSensitive) {
  if (needle.empty() || needle.size() > haystack.size()) return 0;
  const std::size_t last = haystack.size() - needle.size();
  for (std::size_t i = 0; i <= last; ++i) {
    std::size_t j = 0;
    if (caseSensitive) {
      while (j < needle.size() && haystack[i + j] == needle[j]) ++j;
    } else {
      while (j < needle.size() && upper(haystack[i + j]) == upper(needle[j])) ++j;
    }
    if (j == needle.size()) return static_cast<int>(i + 1);
  }
  return 0;
}

bool isStringType(std::uint32_t type) { return type == 1 || type == 2 || type == 7; }

std::int32_t littleEndian32(std::string_view four) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(four[static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}

}  // namespace

std::string upperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upper(c);
  return out;
}

std::wstring upperAscii(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = upper(c);
  return out;
}

std::wstring lowerAscii(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return out;
}

bool lessIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const wchar_t x = upper(a[i]), y = upper(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

int findText(std::string_view haystack, std::string_view needle, bool caseSensitive) {
  return find(haystack, needle, caseSensitive);
}

int findText(std::wstring_view haystack, std::wstring_view needle, bool caseSensitive) {
  return find(haystack, needle, caseSensitive);
}

std::optional<std::int32_t> parseSearchNumber(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string_view digits = text.substr(2);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : digits) {
      int d = c >= '0' && c <= '9' ? c - '0' : upper(c) >= 'A' && upper(c) <= 'F' ? upper(c) - 'A' + 10 : -1;
      if (d < 0) return std::nullopt;
      v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(v);
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::string shortenDataText(std::string_view raw, int& pos, int len) {
  const auto length = static_cast<int>(raw.size());
  std::string text;
  if (length <= kMaxDataLen) {
    text = raw;
  } else if (pos <= 0) {
    text = std::string(raw.substr(0, kMaxDataLen)) + std::string(kCutAfter);
  } else {
    const int centre = pos + len / 2;
    if (centre <= 50) {
      text = std::string(raw.substr(0, kMaxDataLen)) + std::string(kCutAfter);
    } else if (centre + 50 < length) {
      text = std::string(kCutBefore) + std::string(raw.substr(static_cast<std::size_t>(centre - 51), kMaxDataLen)) +
             std::string(kCutAfter);
      pos = pos - (centre - 50) + 3;
    } else {
      text = std::string(kCutBefore) + std::string(raw.substr(static_cast<std::size_t>(length - kMaxDataLen)));
      pos = pos + kMaxDataLen - length + 2;
    }
  }
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = '.';
  }
  return text;
}

std::optional<DataMatch> matchData(std::string_view data, std::uint32_t type, std::string_view search,
                                   bool caseSensitive, std::optional<std::int32_t> number) {
  std::string_view raw = data;
  if (isStringType(type) && !raw.empty() && raw.back() == '\0') raw.remove_suffix(1);

  DataMatch match;
  match.len = static_cast<int>(search.size());
  match.pos = findText(raw, search, caseSensitive);
  if (match.pos == 0) {
    std::string wide;
    for (char c : search) {
      wide.push_back(c);
      wide.push_back('\0');
    }
    match.pos = findText(raw, wide, caseSensitive);
    match.len = static_cast<int>(wide.size());
  }
  bool numberMatch = false;
  if (match.pos == 0) {
    if (data.size() != 4 || !number) return std::nullopt;
    std::string bytes(data);
    if (type == 5) bytes = std::string(bytes.rbegin(), bytes.rend());
    if (littleEndian32(bytes) != *number) return std::nullopt;
    numberMatch = true;
  }

  if (data.size() == 4 && (type == 4 || type == 5)) {
    std::string bytes(data);
    if (type == 5) bytes = std::string(bytes.rbegin(), bytes.rend());
    const std::int32_t n = littleEndian32(bytes);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%.8x (%d)", static_cast<unsigned>(n), static_cast<int>(n));
    return DataMatch{buffer, 0, 0};
  }
  if (numberMatch) {
    match.pos = 0;
    match.len = 0;
  }
  match.text = shortenDataText(raw, match.pos, match.len);
  return match;
}

}  // namespace kestova::regsearch
