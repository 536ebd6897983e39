#pragma once
// Random bytes for one overwrite pass, block by block, with the generation of the next block on a
// second thread while the caller writes the current one. The generator sees exactly the
// FillBuffer calls of the plain loop (same sizes, same order), so the bytes are the same.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/ia_rand.h"

namespace kestova {

// Receives each block in order; throws to stop the pass.
using BlockWriter = std::function<void(const std::uint8_t* data, std::size_t length)>;

// The plain loop: `total` bytes in blocks of `blockSize`, the last one holding the rest, each
// filled by the generator and then written, one after the other.
void writeRandomBlocks(TIARand& generator, std::uint64_t total, std::size_t blockSize, const BlockWriter& write);

// The same blocks with generation and writing overlapped. When `write` throws, the block being
// generated (if any) is finished, the second thread ends, both buffers are zeroed and the
// exception passes on; the generator has then made at most one block more than was written.
// Without a second thread (it could not start) this is the plain loop.
void writeRandomBlocksOverlapped(TIARand& generator, std::uint64_t total, std::size_t blockSize,
                                 const BlockWriter& write);

}  // namespace kestova
