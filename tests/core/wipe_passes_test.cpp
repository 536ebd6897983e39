#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/wipe_passes.h"

namespace kestova {
namespace {

std::vector<std::uint8_t> snapshot(std::uint8_t salt) { return std::vector<std::uint8_t>(64, salt); }

TEST(WipePasses, TableIsGutmannsSequence) {
  EXPECT_EQ(std::count(kGutmannPasses.begin(), kGutmannPasses.end(), kRandomPass), 8);
  for (int i : {0, 1, 2, 3, 31, 32, 33, 34}) EXPECT_EQ(kGutmannPasses[static_cast<std::size_t>(i)], kRandomPass);
  EXPECT_EQ(kGutmannPasses[4], 0x555555);
  EXPECT_EQ(kGutmannPasses[6], 0x924924);
  EXPECT_EQ(kGutmannPasses[9], 0x000000);  // position 10
  EXPECT_EQ(kGutmannPasses[24], 0xFFFFFF);
  EXPECT_EQ(kGutmannPasses[30], 0xDB6DB6);
}

TEST(WipePasses, ShuffleMovesOnlyPositions5To31AndFollowsTheGenerator) {
  TIARand g(snapshot(1));
  PassList list = shuffledPasses(g);
  EXPECT_TRUE(std::equal(list.begin(), list.begin() + 4, kGutmannPasses.begin()));
  EXPECT_TRUE(std::equal(list.begin() + 31, list.end(), kGutmannPasses.begin() + 31));
  EXPECT_TRUE(std::is_permutation(list.begin() + 4, list.begin() + 31, kGutmannPasses.begin() + 4));

  // The same draws by hand: i = 26 down to 1, j = Next mod (i + 1).
  TIARand h(snapshot(1));
  PassList expected = kGutmannPasses;
  for (std::uint32_t i = 26; i >= 1; --i) std::swap(expected[4 + i], expected[4 + h.Next() % (i + 1)]);
  EXPECT_EQ(list, expected);
  EXPECT_NE(list, kGutmannPasses);

  TIARand other(snapshot(2));
  EXPECT_NE(shuffledPasses(other), list);
}

TEST(WipePasses, ChoicesGiveOneThreeOrSevenPasses) {
  EXPECT_EQ(passCount(0), 1);
  EXPECT_EQ(passCount(1), 3);
  EXPECT_EQ(passCount(2), 7);
  EXPECT_THROW(passCount(3), std::invalid_argument);
}

TEST(WipePasses, PatternRepeatsItsThreeBytesInPhase) {
  std::vector<std::uint8_t> buffer(7);
  fillPattern(buffer.data(), buffer.size(), 0x6DB6DB);
  EXPECT_EQ(buffer, (std::vector<std::uint8_t>{0x6D, 0xB6, 0xDB, 0x6D, 0xB6, 0xDB, 0x6D}));
  fillPattern(buffer.data(), buffer.size(), 0x000000);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(7, 0));
}

}  // namespace
}  // namespace kestova
