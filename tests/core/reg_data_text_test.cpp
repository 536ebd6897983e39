#include <gtest/gtest.h>

#include "core/reg_data_text.h"

namespace kestova::regsearch {
namespace {

constexpr std::uint32_t kSz = 1, kBinary = 3, kDword = 4, kBigEndian = 5, kMultiSz = 7;

std::string withZero(std::string text) { return text + '\0'; }

TEST(DataText, StringEndingInZeroMatchesAtItsPosition) {
  auto m = matchData(withZero("C:\\a.dll"), kSz, ":\\", false, std::nullopt);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, "C:\\a.dll");
  EXPECT_EQ(m->pos, 2);
  EXPECT_EQ(m->len, 2);
}

TEST(DataText, LongStringIsCutAroundTheMatchWithMarkers) {
  std::string raw;
  for (int i = 1; i <= 300; ++i) raw.push_back(static_cast<char>('a' + i % 26));
  raw.replace(199, 2, ":\\");  // ":\" at position 200
  auto m = matchData(withZero(raw), kSz, ":\\", false, std::nullopt);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, "\xAB\x85" + raw.substr(150, 100) + "\x85\xBB");
  EXPECT_EQ(m->pos, 52);
  EXPECT_EQ(m->text.substr(static_cast<std::size_t>(m->pos - 1), 2), ":\\");
}

TEST(DataText, MatchNearTheStartOrEndKeepsThatEnd) {
  std::string raw(300, 'x');
  raw.replace(9, 2, ":\\");
  auto early = matchData(raw, kBinary, ":\\", false, std::nullopt);
  ASSERT_TRUE(early);
  EXPECT_EQ(early->text, raw.substr(0, 100) + "\x85\xBB");
  EXPECT_EQ(early->pos, 10);

  std::string tail(300, 'y');
  tail.replace(279, 2, ":\\");  // position 280: in the last 100 characters
  auto late = matchData(tail, kBinary, ":\\", false, std::nullopt);
  ASSERT_TRUE(late);
  EXPECT_EQ(late->text, "\xAB\x85" + tail.substr(200));
  EXPECT_EQ(late->pos, 82);
  EXPECT_EQ(late->text.substr(81, 2), ":\\");
}

TEST(DataText, ExactlyHundredCharactersStayWhole) {
  std::string raw = "C:\\" + std::string(97, 'q');
  auto m = matchData(raw, kBinary, ":\\", false, std::nullopt);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, raw);
  auto longer = matchData(raw + "q", kBinary, ":\\", false, std::nullopt);
  ASSERT_TRUE(longer);
  EXPECT_EQ(longer->text, raw + "\x85\xBB");
}

TEST(DataText, Utf16PathInBinaryMatchesByTheWideRule) {
  const std::string wide("C\0:\0\\\0x\0.\0t\0x\0t\0\0\0", 18);
  auto m = matchData(wide, kBinary, ":\\", false, std::nullopt);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->len, 4);
  EXPECT_EQ(m->pos, 3);
  EXPECT_EQ(m->text, "C.:.\\.x...t.x.t...");
}

TEST(DataText, ControlCharactersBecomeDotsAndMultiStringKeepsSeparators) {
  auto m = matchData(std::string("a\0C:\\b\tc\0\0", 10), kMultiSz, ":\\", false, std::nullopt);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, "a.C:\\b.c.");  // only the last zero is dropped
  EXPECT_EQ(m->pos, 4);
}

TEST(DataText, LettersMatchIgnoringCaseUnlessAsked) {
  EXPECT_TRUE(matchData("path c:\\Tools", kBinary, "C:\\tOOLS", false, std::nullopt));
  EXPECT_FALSE(matchData("path c:\\Tools", kBinary, "C:\\tOOLS", true, std::nullopt));
}

TEST(DataText, NoMatchGivesNothing) {
  EXPECT_FALSE(matchData(withZero("plain text"), kSz, ":\\", false, std::nullopt));
  EXPECT_FALSE(matchData(std::string("\x01\x02\x03\x04", 4), kDword, ":\\", false, std::nullopt));
}

TEST(DataText, NumbersMatchFourByteDataAndShowHexAndDecimal) {
  const std::string minusTwo("\xFE\xFF\xFF\xFF", 4);
  auto m = matchData(minusTwo, kDword, "-2", false, parseSearchNumber("-2"));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, "0xfffffffe (-2)");
  EXPECT_EQ(m->pos, 0);

  const std::string big("\x00\x00\x01\x00", 4);  // big-endian 256
  auto b = matchData(big, kBigEndian, "0x100", false, parseSearchNumber("0x100"));
  ASSERT_TRUE(b);
  EXPECT_EQ(b->text, "0x00000100 (256)");
  EXPECT_FALSE(matchData(big, kDword, "0x100", false, parseSearchNumber("0x100")));

  auto binary = matchData(std::string("\x05\x00\x00\x00", 4), kBinary, "5", false, parseSearchNumber("5"));
  ASSERT_TRUE(binary);
  EXPECT_EQ(binary->pos, 0);
  EXPECT_EQ(binary->text, "....");
}

TEST(DataText, DwordWithTheTextInsideShowsAsNumberWithoutHighlight) {
  auto m = matchData(std::string(":\\\0\0", 4), kDword, ":\\", false, std::nullopt);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, "0x00005c3a (23610)");
  EXPECT_EQ(m->pos, 0);
}

TEST(SearchNumber, ReadsDecimalAndHexOnly) {
  EXPECT_EQ(parseSearchNumber("123"), 123);
  EXPECT_EQ(parseSearchNumber("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseSearchNumber("0xFFFFFFFF"), -1);
  EXPECT_EQ(parseSearchNumber("0X1f"), 31);
  EXPECT_FALSE(parseSearchNumber("2147483648"));
  EXPECT_FALSE(parseSearchNumber(":\\"));
  EXPECT_FALSE(parseSearchNumber("0x"));
  EXPECT_FALSE(parseSearchNumber("0x123456789"));
  EXPECT_FALSE(parseSearchNumber("12a"));
  EXPECT_FALSE(parseSearchNumber(""));
}

TEST(FindText, FoldsAsciiOnly) {
  EXPECT_EQ(findText(std::wstring_view(L"HKEY\\Abc:\\"), std::wstring_view(L":\\"), false), 9);
  EXPECT_EQ(findText(std::wstring_view(L"\u00e9x"), std::wstring_view(L"\u00c9X"), false), 0);
  EXPECT_EQ(findText(std::string_view("ab"), std::string_view("abc"), false), 0);
  EXPECT_EQ(lowerAscii(L"HKEY_A\u00c9"), L"hkey_a\u00c9");
  EXPECT_TRUE(lessIgnoringAsciiCase(L"a", L"B"));
  EXPECT_TRUE(lessIgnoringAsciiCase(L"b", L"C:\\x"));
  EXPECT_FALSE(lessIgnoringAsciiCase(L"ab", L"AB"));
  EXPECT_TRUE(lessIgnoringAsciiCase(L"Ab", L"abc"));
}

}  // namespace
}  // namespace kestova::regsearch
