#include "core/sid_text.h"

#include <cwchar>

namespace kestova {

std::wstring sidText(const std::array<std::uint8_t, 6>& authority, std::span<const std::uint32_t> subAuthorities) {
  std::wstring text = L"S-1-";
  wchar_t buffer[32];
  if (authority[0] == 0 && authority[1] == 0) {
    const std::uint32_t value = (std::uint32_t{authority[2]} << 24) | (std::uint32_t{authority[3]} << 16) |
                                (std::uint32_t{authority[4]} << 8) | authority[5];
    std::swprintf(buffer, 32, L"%lu", static_cast<unsigned long>(value));
  } else {
    std::swprintf(buffer, 32, L"0x%02X%02X%02X%02X%02X%02X", authority[0], authority[1], authority[2],
                  authority[3], authority[4], authority[5]);
  }
  text += buffer;
  for (std::uint32_t sub : subAuthorities) {
    std::swprintf(buffer, 32, L"-%lu", static_cast<unsigned long>(sub));
    text += buffer;
  }
  return text;
}

}  // namespace kestova
