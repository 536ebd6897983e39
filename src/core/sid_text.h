#pragma once
// The standard text form of a security identifier: "S-1-", the identifier authority, then each
// sub-authority as an unsigned decimal number.
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace kestova {

std::wstring sidText(const std::array<std::uint8_t, 6>& authority, std::span<const std::uint32_t> subAuthorities);

}  // namespace kestova
