#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/ia_rand.h"

namespace kestova {
namespace {

// The expected words come from tests/core/ia_rand_reference.py, a separate transcription of the
// algorithm in Python.
std::vector<std::uint8_t> fixedSnapshot() {
  std::vector<std::uint8_t> bytes(400);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return bytes;
}

// The 1024 bytes of the batch that Next hands out, read through Next from a fresh position.
std::vector<std::uint8_t> batchThroughNext(TIARand& g) {
  std::array<std::uint32_t, 256> words{};
  for (int i = 255; i >= 0; --i) words[static_cast<std::size_t>(i)] = g.Next();
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t w : words) {
    for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<std::uint8_t>(w >> (8 * k)));
  }
  return bytes;
}

TEST(IARand, FirstOutputsOfAFixedSnapshot) {
  TIARand g(fixedSnapshot());
  EXPECT_EQ(g.Next(), 0xC59E56F4u);
  EXPECT_EQ(g.Next(), 0x79A9B6D5u);
  EXPECT_EQ(g.Next(), 0xF70D3767u);
  TIARand empty(std::span<const std::uint8_t>{});
  EXPECT_EQ(empty.Next(), 0xF980F760u);
}

TEST(IARand, NextCountsDownAndStartsANewBatchAtCall257) {
  TIARand g(fixedSnapshot());
  std::vector<std::uint32_t> outs;
  for (int i = 0; i < 257; ++i) outs.push_back(g.Next());
  EXPECT_EQ(outs[255], 0x27EBBCE9u);
  EXPECT_EQ(outs[256], 0x08FBB7A3u);
  // Calls 1..256 are results[255..0] of one batch; 257 is results[255] of the next one.
  TIARand h(fixedSnapshot());
  h.Generate();
  EXPECT_EQ(h.Next(), outs[256]);
}

TEST(IARand, TwoInstancesWithTheSameSnapshotAgreeAndOthersDiffer) {
  TIARand a(fixedSnapshot()), b(fixedSnapshot());
  auto other = fixedSnapshot();
  other[399] ^= 1;
  TIARand c(other);
  bool differs = false;
  for (int i = 0; i < 600; ++i) {
    std::uint32_t x = a.Next();
    ASSERT_EQ(x, b.Next()) << "call " << i;
    differs |= x != c.Next();
  }
  EXPECT_TRUE(differs);
}

// FillBuffer's generate steps, counted through the batch that Next reads afterwards: Next keeps
// its position, so its next word is results[255] of the last batch made.
std::uint32_t nextAfterSteps(int steps) {
  TIARand g(fixedSnapshot());
  for (int i = 0; i < steps; ++i) g.Generate();
  return g.Next();
}

TEST(IARand, FillBufferGeneratesPerBlockPlusOneFinalStep) {
  struct Case { std::int32_t count; int steps; };
  for (Case c : {Case{0, 1}, Case{-5, 1}, Case{1, 2}, Case{1024, 2}, Case{1025, 3}, Case{2048, 3}}) {
    TIARand g(fixedSnapshot());
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(c.count > 0 ? c.count : 0) + 1, 0xAB);
    g.FillBuffer(buffer.data(), c.count);
    EXPECT_EQ(g.Next(), nextAfterSteps(c.steps)) << c.count << " bytes";
    EXPECT_EQ(buffer.back(), 0xAB) << c.count << " bytes: nothing written past the count";
  }
}

TEST(IARand, FillBufferCopiesEachFreshBatchInItsLittleEndianView) {
  TIARand g(fixedSnapshot());
  std::vector<std::uint8_t> buffer(1024 + 8);
  g.FillBuffer(buffer.data(), static_cast<std::int32_t>(buffer.size()));
  EXPECT_EQ(buffer[0], 0x03);  // from the reference: 03 88 2c c4 51 fe b1 46
  EXPECT_EQ(buffer[7], 0x46);

  TIARand copy1(fixedSnapshot());
  copy1.Generate();
  std::vector<std::uint8_t> first = batchThroughNext(copy1);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), buffer.begin()));
  TIARand copy2(fixedSnapshot());
  copy2.Generate();
  copy2.Generate();
  std::vector<std::uint8_t> second = batchThroughNext(copy2);
  EXPECT_TRUE(std::equal(buffer.begin() + 1024, buffer.end(), second.begin()));
  EXPECT_NE(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 8),
            std::vector<std::uint8_t>(buffer.begin() + 1024, buffer.end()));
}

TEST(IARand, AddIntegerAddsItsBytesMostSignificantFirst) {
  // Seeding with the integer 0x01020304 equals seeding with the bytes 1, 2, 3, 4.
  std::vector<std::uint8_t> bytes = {1, 2, 3, 4};
  TIARand byBytes(bytes);
  TIARand byInteger(std::span<const std::uint8_t>{});
  byInteger.Clear();
  byInteger.AddInteger(0x01020304);
  byInteger.Initialize();
  EXPECT_EQ(byInteger.Next(), byBytes.Next());

  TIARand reversed(std::vector<std::uint8_t>{4, 3, 2, 1});
  TIARand again(std::span<const std::uint8_t>{});
  again.Clear();
  again.AddInteger(0x01020304);
  again.Initialize();
  EXPECT_NE(again.Next(), reversed.Next());
}

TEST(IARand, SeedPositionWrapsAt1024Bytes) {
  // Byte 1025 lands on seed byte 0 again: adds 5 there on top of the first byte's 2.
  std::vector<std::uint8_t> wrapped(1025, 0);
  wrapped[0] = 2;
  wrapped[1024] = 5;
  std::vector<std::uint8_t> summed = {7};
  TIARand a(wrapped), b(summed);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(a.Next(), b.Next());
}

TEST(IARand, AddBufferZerosTheCallersBytes) {
  TIARand g(std::span<const std::uint8_t>{});
  std::array<std::uint8_t, 5> bytes = {9, 8, 7, 6, 5};
  g.AddBuffer(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 5>{}));
}

TEST(IARand, ReseedDiscardsThePreviousState) {
  TIARand g(fixedSnapshot());
  for (int i = 0; i < 1000; ++i) g.Next();
  g.Reseed(fixedSnapshot());
  EXPECT_EQ(g.Next(), 0xC59E56F4u);
}

}  // namespace
}  // namespace kestova
