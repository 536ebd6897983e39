#pragma once
// The snapshot of volatile system state that seeds the shredder's generator, as the bytes the
// generator adds in order (integers most significant byte first, records as the system fills them).
#include <cstdint>
#include <vector>

namespace kestova::shredder {

std::vector<std::uint8_t> entropySnapshot();

}  // namespace kestova::shredder
