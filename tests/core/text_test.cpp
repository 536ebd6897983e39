#include <gtest/gtest.h>

#include "core/text_codec.h"
#include "core/text_lines.h"

namespace kestova {
namespace {

TEST(Cp1252, RoundTripsEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, MapsTheHighBlockToItsCharacters) {
  EXPECT_EQ(fromCp1252("\x80\x97\xF8\xE5"), L"\u20AC\u2014\u00F8\u00E5");
  EXPECT_EQ(toCp1252(L"\u20AC\u00E7"), "\x80\xE7");
  EXPECT_EQ(toCp1252(L"\u4E2D"), "?");
}

TEST(Lines, SplitsOnEveryLineEndAndJoinsWithCrLf) {
  Lines lines = splitLines(L"one\r\ntwo\nthree\rfour");
  EXPECT_EQ(lines, (Lines{L"one", L"two", L"three", L"four"}));
  EXPECT_EQ(joinLines(lines), L"one\r\ntwo\r\nthree\r\nfour\r\n");
}

TEST(Lines, KeepsEmptyLinesButNoPhantomLastLine) {
  EXPECT_EQ(splitLines(L"a\r\n\r\nb\r\n"), (Lines{L"a", L"", L"b"}));
  EXPECT_TRUE(splitLines(L"").empty());
  EXPECT_EQ(splitLines(L"\r\n"), (Lines{L""}));
}

}  // namespace
}  // namespace kestova
