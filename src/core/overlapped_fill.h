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

// Blocks handed between the two threads at once, at most. Each hand-over costs a wait and a
// wake, which under Wine are round trips to its server: one per block made the overlap slower
// than none.
constexpr std::size_t kMaxBlocksPerChunk = 16;
// Chunks the generator may be ahead of the writer, so it keeps working while the writer waits on
// the disk.
constexpr std::uint64_t kChunksAhead = 8;

// The same blocks with generation and writing overlapped: the generator fills chunks of
// `blocksPerChunk` blocks (one FillBuffer per block, as the plain loop) into one buffer while the
// caller writes an earlier one. When `write` throws, the chunk being generated (if any) is
// finished, the second thread ends, every buffer is zeroed and the exception passes on; the
// generator has then made exactly the chunks up to kChunksAhead - 1 after the failed one (as far
// as the pass goes). Without a chunk
// size, a pass is cut into at least four chunks of at most kMaxBlocksPerChunk blocks.
// Without a second thread (it could not start) this is the plain loop.
void writeRandomBlocksOverlapped(TIARand& generator, std::uint64_t total, std::size_t blockSize,
                                 const BlockWriter& write, std::size_t blocksPerChunk = 0);

}  // namespace kestova
