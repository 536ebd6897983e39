#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "core/overlapped_fill.h"

namespace kestova {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kBlock = 135168;

std::vector<std::uint8_t> snapshot() { return Bytes(400, 0x3C); }

// The reference: one FillBuffer per block, in order, on one thread.
Bytes reference(TIARand& generator, std::uint64_t total) {
  Bytes out;
  for (std::uint64_t left = total; left > 0;) {
    std::size_t block = left < kBlock ? static_cast<std::size_t>(left) : kBlock;
    Bytes buffer(block);
    generator.FillBuffer(buffer.data(), static_cast<std::int32_t>(block));
    out.insert(out.end(), buffer.begin(), buffer.end());
    left -= block;
  }
  return out;
}

// What follows in the generator's stream: equal only if both made the same FillBuffer calls.
Bytes nextBytes(TIARand& generator) {
  Bytes after(3000);
  generator.FillBuffer(after.data(), static_cast<std::int32_t>(after.size()));
  return after;
}

TEST(OverlappedFill, WritesTheSameBlocksAsThePlainLoopAndLeavesTheGeneratorAlike) {
  for (std::uint64_t total : {0ull, 1ull, 4096ull, 135168ull, 135169ull, 5 * 135168ull + 17, 9 * 135168ull}) {
    SCOPED_TRACE(total);
    TIARand expected(snapshot());
    Bytes want = reference(expected, total);
    for (std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{16}, std::size_t{99}}) {
      bool overlapped = chunk != 99;  // 99: the plain loop
      TIARand generator(snapshot());
      Bytes got;
      std::vector<std::size_t> sizes;
      auto write = [&](const std::uint8_t* data, std::size_t length) {
        sizes.push_back(length);
        got.insert(got.end(), data, data + length);
      };
      if (overlapped) {
        writeRandomBlocksOverlapped(generator, total, kBlock, write, chunk);
      } else {
        writeRandomBlocks(generator, total, kBlock, write);
      }
      EXPECT_EQ(got, want) << chunk;
      for (std::size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], kBlock);
      TIARand again(snapshot());
      reference(again, total);
      EXPECT_EQ(nextBytes(generator), nextBytes(again)) << chunk;
    }
  }
}

TEST(OverlappedFill, AFailedWriteStopsThePassAtTheSamePointEveryTime) {
  // Block 2 of 20 fails: blocks 0 and 1 were written, and the generator has made every chunk
  // whose buffer was free, the failed chunk's and kChunksAhead - 1 more, never one beyond.
  for (std::size_t chunk : {1u, 2u, 4u}) {
    std::uint64_t failedChunk = 2 / chunk;
    std::uint64_t made = std::min<std::uint64_t>(20, (failedChunk + kChunksAhead) * chunk);
    TIARand afterMade(snapshot());
    reference(afterMade, made * kBlock);
    Bytes expectedNext = nextBytes(afterMade);
    for (int run = 0; run < 20; ++run) {
      TIARand generator(snapshot());
      int writes = 0;
      auto write = [&](const std::uint8_t*, std::size_t) {
        if (++writes == 3) throw std::runtime_error("disk full");
      };
      EXPECT_THROW(writeRandomBlocksOverlapped(generator, 20 * kBlock, kBlock, write, chunk), std::runtime_error);
      EXPECT_EQ(writes, 3) << "no write after the failed one";
      EXPECT_EQ(nextBytes(generator), expectedNext) << chunk << " " << run;
    }
  }
}

}  // namespace
}  // namespace kestova
