#include <gtest/gtest.h>

#include "core/web_links.h"

namespace kestova {
namespace {

TEST(VersionFile, OnlyAnExactFirstLineOf2009IsCurrent) {
  EXPECT_TRUE(isCurrentVersion(L"2009"));
  EXPECT_TRUE(isCurrentVersion(L"2009\r\n2010"));
  EXPECT_TRUE(isCurrentVersion(L"2009\n"));
  EXPECT_TRUE(isCurrentVersion(L"2009\rnext"));
  EXPECT_FALSE(isCurrentVersion(L""));
  EXPECT_FALSE(isCurrentVersion(L"2009 "));
  EXPECT_FALSE(isCurrentVersion(L" 2009"));
  EXPECT_FALSE(isCurrentVersion(L"\r\n2009"));
  EXPECT_FALSE(isCurrentVersion(L"2010\n2009"));
  EXPECT_EQ(firstLine(L"abc\r\ndef"), L"abc");
}

TEST(Addresses, OneTrailingSlashIsDroppedBeforeThePath) {
  EXPECT_EQ(joinAddress(L"http://h:81", L"/version.txt"), L"http://h:81/version.txt");
  EXPECT_EQ(joinAddress(L"http://h:81/", L"/version.txt"), L"http://h:81/version.txt");
  EXPECT_EQ(joinAddress(L"http://h/dir/", L"/SPY3.TXT"), L"http://h/dir/SPY3.TXT");
  EXPECT_EQ(joinAddress(L"", L"/update.htm"), L"/update.htm");
}

// A settings file may name any text as an address; the shell would run a program or open a file.
TEST(ConfiguredAddresses, OnlyWebAddressesAndPlainMailAddressesAreTaken) {
  EXPECT_TRUE(isWebAddress(L"http://update.example.com"));
  EXPECT_TRUE(isWebAddress(L"HTTPS://www.example.com:8080/dir/"));
  for (const wchar_t* refused : {L"C:\\Windows\\System32\\calc.exe", L"file:///C:/evil.hta", L"javascript:alert(1)",
                                 L"ftp://example.com", L"http://", L"http:///path", L"http://a b.com",
                                 L"http://user@evil.example", L"\\\\server\\share\\x.exe", L""}) {
    EXPECT_FALSE(isWebAddress(refused)) << refused;
  }
  EXPECT_TRUE(isMailAddress(L"support@kestova.example"));
  for (const wchar_t* refused : {L"support", L"@example.com", L"a@", L"a@b@c", L"a@b.com?attach=C:\\x",
                                 L"mailto:a@b.com", L"a b@c.com", L"a@b.com&cc=x@y.z"}) {
    EXPECT_FALSE(isMailAddress(refused)) << refused;
  }
}

TEST(LinkLabelUrl, PrefixIsAddedUnlessPresentInAnyCase) {
  EXPECT_EQ(linkLabelUrl(L"www.example.com"), L"http://www.example.com");
  EXPECT_EQ(linkLabelUrl(L"HTTP://WWW.EXAMPLE.COM"), L"HTTP://WWW.EXAMPLE.COM");
  EXPECT_EQ(linkLabelUrl(L"   "), L"");
  EXPECT_EQ(linkLabelUrl(L""), L"");
  EXPECT_EQ(linkLabelUrl(L"  http://x.org "), L"  http://x.org ");  // taken as given
  EXPECT_EQ(linkLabelUrl(L"https://x.org"), L"http://https://x.org");
}

TEST(LinkLabelUrl, MoreThanTwelveTrimmedCharactersMakeALink) {
  EXPECT_FALSE(isLinkedUrl(L"http://a.com"));  // 12
  EXPECT_TRUE(isLinkedUrl(L"http://ab.com"));  // 13
  EXPECT_FALSE(isLinkedUrl(L"  http://a.com   "));
  EXPECT_FALSE(isLinkedUrl(L""));
}

TEST(LinkStyle, HighlightShowsTheLinkOnlyWhileTheMouseIsOver) {
  EXPECT_EQ(styleAfterUrlChange(true, false), LinkStyle::Link);
  EXPECT_EQ(styleAfterUrlChange(true, true), LinkStyle::Plain);
  EXPECT_EQ(styleAfterUrlChange(false, false), LinkStyle::Plain);
  EXPECT_EQ(styleAfterHighlightChange(true), LinkStyle::Plain);
  EXPECT_EQ(styleAfterHighlightChange(false), LinkStyle::Link);

  EXPECT_EQ(styleOnEnter(true, true), LinkStyle::Link);
  EXPECT_FALSE(styleOnEnter(false, true));
  EXPECT_FALSE(styleOnEnter(true, false));
  EXPECT_EQ(styleOnLeave(true), LinkStyle::Plain);
  EXPECT_FALSE(styleOnLeave(false));
}

}  // namespace
}  // namespace kestova
