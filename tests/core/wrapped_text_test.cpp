#include <gtest/gtest.h>

#include "core/rounding.h"
#include "core/wrapped_text.h"

namespace kestova {
namespace {

// Every character 10 pixels wide, highlighted ones 12 (bold).
int measure(const std::wstring& text, bool highlighted) { return static_cast<int>(text.size()) * (highlighted ? 12 : 10); }

std::vector<std::wstring> texts(const std::vector<WrapToken>& tokens) {
  std::vector<std::wstring> out;
  for (const auto& t : tokens) out.push_back(t.text);
  return out;
}

TEST(WrapTokens, EndAfterEachBreakCharacter) {
  EXPECT_EQ(texts(wrapTokens(L"HKEY\\soft ware;a,b/c-d", 0, 0)),
            (std::vector<std::wstring>{L"HKEY\\", L"soft ", L"ware;", L"a,", L"b/", L"c-", L"d"}));
}

TEST(WrapTokens, TheHighlightIsOneTokenOfItsOwn) {
  auto tokens = wrapTokens(L"C:\\old\\gone.txt", 1, 3);
  ASSERT_EQ(texts(tokens), (std::vector<std::wstring>{L"C:\\", L"old\\", L"gone.txt"}));
  EXPECT_TRUE(tokens[0].highlighted);
  EXPECT_FALSE(tokens[1].highlighted);
  auto atEnd = wrapTokens(L"abc def", 5, 3);
  ASSERT_EQ(texts(atEnd), (std::vector<std::wstring>{L"abc ", L"def"}));
  EXPECT_TRUE(atEnd[1].highlighted);
}

TEST(WrapLayout, ALongKeyWrapsAfterABackslash) {
  // Usable width 100: "HKEY\" (50) + "software\" (90) does not fit on one line; "x" still does.
  WrapLayout layout = layoutWrapped(wrapTokens(L"HKEY\\software\\x", 0, 0), 101, 16, measure);
  ASSERT_EQ(layout.tokens.size(), 3u);
  EXPECT_EQ(layout.tokens[0].y, 0);
  EXPECT_EQ(layout.tokens[1].text, L"software\\");
  EXPECT_EQ(layout.tokens[1].x, 0);
  EXPECT_EQ(layout.tokens[1].y, 16);
  EXPECT_EQ(layout.tokens[2].x, 90);
  EXPECT_EQ(layout.height, 32);
}

TEST(WrapLayout, ATokenWiderThanTheColumnIsCutWhereItStopsFitting) {
  WrapLayout layout = layoutWrapped(wrapTokens(L"abcdefghijklmnopqrstuvwxy", 0, 0), 101, 16, measure);
  ASSERT_EQ(layout.tokens.size(), 3u);
  EXPECT_EQ(layout.tokens[0].text, L"abcdefghij");
  EXPECT_EQ(layout.tokens[1].text, L"klmnopqrst");
  EXPECT_EQ(layout.tokens[2].text, L"uvwxy");
  EXPECT_EQ(layout.height, 48);
}

TEST(WrapLayout, AHighlightAtTheEndIsDrawnHighlighted) {
  WrapLayout layout = layoutWrapped(wrapTokens(L"C:\\a\\gone", 6, 4), 400, 16, measure);
  ASSERT_FALSE(layout.tokens.empty());
  EXPECT_EQ(layout.tokens.back().text, L"gone");
  EXPECT_TRUE(layout.tokens.back().highlighted);
}

TEST(WrapLayout, LineEndsBecomeBlanksAndTheHeightIsAtLeast18) {
  WrapLayout layout = layoutWrapped(wrapTokens(L"a\tb", 0, 0), 400, 10, measure);
  EXPECT_EQ(layout.tokens[0].text, L"a ");
  EXPECT_EQ(layout.height, 18);
  EXPECT_EQ(layoutWrapped({}, 400, 10, measure).height, 18);
}

TEST(WrapLayout, AColumnNarrowerThanOneCharacterStillEnds) {
  WrapLayout layout = layoutWrapped(wrapTokens(L"abc", 0, 0), 5, 16, measure);
  EXPECT_EQ(layout.tokens.size(), 3u);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-0.5), 0);
  EXPECT_EQ(roundHalfEven(2.4999), 2);
  EXPECT_EQ(roundHalfEven(2.5001), 3);
}

}  // namespace
}  // namespace kestova
