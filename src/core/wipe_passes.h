#pragma once
// The overwrite passes of the shredder: Gutmann's 35-pass sequence, its per-file shuffle and
// the 3-byte patterns written in phase.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/ia_rand.h"

namespace kestova {

// -1 is a pass of random data; any other entry is a pattern of the bytes 23-16, 15-8, 7-0.
inline constexpr std::int32_t kRandomPass = -1;
using PassList = std::array<std::int32_t, 35>;

// In the published order: 4 random, 27 patterns, 4 random.
extern const PassList kGutmannPasses;

// The table with positions 5 to 31 shuffled by the generator (Fisher-Yates from the top).
PassList shuffledPasses(TIARand& generator);

// The algorithm choice 0, 1 or 2 as 1, 3 or 7 passes.
int passCount(int algorithm);

// Fills `length` bytes with the pattern repeated from its first byte.
void fillPattern(std::uint8_t* buffer, std::size_t length, std::int32_t entry);

}  // namespace kestova
