#include "core/text_codec.h"

#include <array>

namespace kestova {
namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five bytes that have no character.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::wstring fromCp1252(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0) {
      out.push_back(static_cast<wchar_t>(kHigh[b - 0x80]));
    } else {
      out.push_back(static_cast<wchar_t>(b));  // undefined bytes map through, as Windows does
    }
  }
  return out;
}

std::string toCp1252(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t w : text) {
    auto c = static_cast<unsigned long>(w);
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    char mapped = '?';
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] == 0) {
      mapped = static_cast<char>(c);  // the five undefined bytes round-trip
    } else {
      for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c) {
          mapped = static_cast<char>(0x80 + i);
          break;
        }
      }
    }
    out.push_back(mapped);
  }
  return out;
}

std::string toUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  auto put = [&out](unsigned long c) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  };
  // wchar_t is 16 bits on Windows and 32 natively: pairs are joined, anything else out of range
  // is replaced.
  constexpr unsigned long kReplacement = 0xFFFD;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned long>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      auto low = static_cast<unsigned long>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        put(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    put((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF ? kReplacement : c);
  }
  return out;
}

}  // namespace kestova
