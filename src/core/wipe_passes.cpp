#include "core/wipe_passes.h"

#include <stdexcept>
#include <utility>

namespace kestova {

const PassList kGutmannPasses = {
    kRandomPass, kRandomPass, kRandomPass, kRandomPass,
    0x555555, 0xAAAAAA, 0x924924, 0x492492, 0x249249, 0x000000, 0x111111, 0x222222, 0x333333,
    0x444444, 0x555555, 0x666666, 0x777777, 0x888888, 0x999999, 0xAAAAAA, 0xBBBBBB, 0xCCCCCC,
    0xDDDDDD, 0xEEEEEE, 0xFFFFFF, 0x924924, 0x492492, 0x249249, 0x6DB6DB, 0xB6DB6D, 0xDB6DB6,
    kRandomPass, kRandomPass, kRandomPass, kRandomPass};

PassList shuffledPasses(TIARand& generator) {
  PassList list = kGutmannPasses;
  constexpr std::size_t first = 4;  // position 5, 1-based
  for (std::uint32_t i = 26; i >= 1; --i) {
    std::uint32_t j = generator.Next() % (i + 1);
    std::swap(list[first + i], list[first + j]);
  }
  return list;
}

int passCount(int algorithm) {
  switch (algorithm) {
    case 0: return 1;
    case 1: return 3;
    case 2: return 7;
    default: throw std::invalid_argument("no such shredding algorithm");
  }
}

void fillPattern(std::uint8_t* buffer, std::size_t length, std::int32_t entry) {
  auto bits = static_cast<std::uint32_t>(entry);
  const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
                                 static_cast<std::uint8_t>(bits)};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = bytes[i % 3];
}

}  // namespace kestova
