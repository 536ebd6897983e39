#include <gtest/gtest.h>

#include "core/pest_list.h"
#include "core/text_codec.h"
#include "core/text_lines.h"

namespace kestova {
namespace {

constexpr const wchar_t* kId = L"{12345678-9ABC-DEF0-1234-56789ABCDEF0}";

TEST(PestLine, ClassIdentifierLineSplitsIntoKeyAndNameAfterTwoSeparators) {
  auto item = ParsePestLine(std::wstring(kId) + L"\t|Pest Name ", 3);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->key, kId);
  EXPECT_EQ(item->name, L"Pest Name ");
  EXPECT_EQ(item->kind, PestKind::ActiveX);
  EXPECT_EQ(item->file, 3);
}

TEST(PestLine, CookieLineKeepsItsBlanksAndBracesDecideTheKind) {
  auto cookie = ParsePestLine(L" ads.example.com ");
  ASSERT_TRUE(cookie);
  EXPECT_EQ(cookie->kind, PestKind::Cookie);
  EXPECT_EQ(cookie->key, L" ads.example.com ");
  EXPECT_EQ(cookie->name, L" ads.example.com ");

  auto closeOnly = ParsePestLine(L"site}  rest");  // "}" without "{": a cookie cut after the "}"
  ASSERT_TRUE(closeOnly);
  EXPECT_EQ(closeOnly->kind, PestKind::Cookie);
  EXPECT_EQ(closeOnly->key, L"site}");
  EXPECT_EQ(closeOnly->name, L"rest");

  auto openOnly = ParsePestLine(L"{no end");  // "{" without "}": ActiveX with the whole line
  ASSERT_TRUE(openOnly);
  EXPECT_EQ(openOnly->kind, PestKind::ActiveX);
  EXPECT_EQ(openOnly->key, L"{no end");
  EXPECT_EQ(openOnly->name, L"{no end");

  EXPECT_FALSE(ParsePestLine(L""));
}

TEST(PestLine, LineEndingAtTheBraceOrOneAfterHasAnEmptyName) {
  for (const wchar_t* tail : {L"", L" ", L"  "}) {
    auto item = ParsePestLine(std::wstring(kId) + tail);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->key, kId);
    EXPECT_EQ(item->name, L"");
  }
  auto lone = ParsePestLine(L"}");
  ASSERT_TRUE(lone);
  EXPECT_EQ(lone->key, L"}");
}

TEST(PestLine, Windows1252NamesSurviveUntouched) {
  std::wstring line = fromCp1252(std::string("{A}  Caf\xE9 \x80 toolbar"));
  auto item = ParsePestLine(line);
  ASSERT_TRUE(item);
  EXPECT_EQ(toCp1252(item->name), "Caf\xE9 \x80 toolbar");
}

TEST(PestGrid, ColumnZeroDependsOnPassAndFile) {
  for (int file = 1; file <= 4; ++file) {
    auto item = ParsePestLine(std::wstring(kId) + L"  Name", file);
    ASSERT_TRUE(item);
    std::wstring atOpen = file <= 2 ? std::wstring(L"Name    --> ") + kId : L"Name";
    EXPECT_EQ(pestGridName(*item, PestPass::WindowOpen), atOpen) << file;
    EXPECT_EQ(pestGridName(*item, PestPass::Refresh), L"Name") << file;
    auto cookie = ParsePestLine(L" plain site ", file);
    EXPECT_EQ(pestGridName(*cookie, PestPass::WindowOpen), L" plain site ");
    EXPECT_EQ(pestGridName(*cookie, PestPass::Refresh), L" plain site ");
  }
  EXPECT_STREQ(pestTypeText(PestKind::ActiveX), L"Spyware/Adware");
  EXPECT_STREQ(pestTypeText(PestKind::Cookie), L"Cookie");
}

TEST(PestGrid, CountTextsAreNotClamped) {
  EXPECT_EQ(pestCountText(0, PestPass::WindowOpen), L" Number of itens  : -10");
  EXPECT_EQ(pestCountText(3, PestPass::Refresh), std::wstring(50, L' ') + L"Number of Items  : -7");
  EXPECT_EQ(pestCountText(106, PestPass::WindowOpen), L" Number of itens  : 96");
}

TEST(PestKey, OnlyKeysThatStayBelowTheirRootAreUsable) {
  EXPECT_TRUE(isUsablePestKey(kId));
  EXPECT_TRUE(isUsablePestKey(L" spaced site "));
  EXPECT_TRUE(isUsablePestKey(std::wstring(255, L'a')));
  EXPECT_FALSE(isUsablePestKey(std::wstring(256, L'a')));
  EXPECT_FALSE(isUsablePestKey(L""));
  EXPECT_FALSE(isUsablePestKey(L"\\"));
  EXPECT_FALSE(isUsablePestKey(L"..\\..\\Run"));
  EXPECT_FALSE(isUsablePestKey(L"tab\there"));
  EXPECT_FALSE(isUsablePestKey(std::wstring(L"nul\0x", 5)));
}

TEST(DownloadedList, AcceptsIdentifiersAndSiteNamesOnly) {
  EXPECT_TRUE(isValidPestList(std::wstring(kId) + L"  A toolbar\r\n\r\nads.example-1_x.com\r\n"));
  EXPECT_TRUE(isValidPestList(std::wstring(kId) + L"\t\x01Tab separated\n"));  // any two separators
  EXPECT_TRUE(isValidPestList(std::wstring(255, L'a')));

  EXPECT_FALSE(isValidPestList(L""));
  EXPECT_FALSE(isValidPestList(L"\r\n\r\n"));
  EXPECT_FALSE(isValidPestList(L"<html><body>Not Found</body></html>\r\n"));
  EXPECT_FALSE(isValidPestList(std::wstring(256, L'a')));
  EXPECT_FALSE(isValidPestList(L"site with blank\r\n"));
  EXPECT_FALSE(isValidPestList(L"..\\Run\r\n"));
  EXPECT_FALSE(isValidPestList(L"{12345678-9ABC-DEF0-1234-56789ABCDEFG}\r\n"));  // not hexadecimal
  EXPECT_FALSE(isValidPestList(L"{12345678-9ABC-DEF0-123456789ABCDEF0}\r\n"));   // groups wrong
  EXPECT_FALSE(isValidPestList(std::wstring(kId) + L"  \r\n"));                  // separators, no name
  EXPECT_FALSE(isValidPestList(std::wstring(kId) + L"\r\n"));                    // a bare identifier
  EXPECT_FALSE(isValidPestList(std::wstring(kId) + L"  bad\tname\r\n"));
}

}  // namespace
}  // namespace kestova
