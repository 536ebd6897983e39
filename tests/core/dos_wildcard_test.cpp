#include <gtest/gtest.h>

#include "core/dos_wildcard.h"

namespace kestova {
namespace {

TEST(DosWildcard, ExtensionMasksIgnoreCaseAndTakeTheLastDot) {
  EXPECT_TRUE(dosMatch(L"*.TMP", L"x.tmp"));
  EXPECT_TRUE(dosMatch(L"*.TMP", L"a.b.Tmp"));
  EXPECT_TRUE(dosMatch(L"*.TMP", L".tmp"));
  EXPECT_FALSE(dosMatch(L"*.TMP", L"x.tmpx"));
  EXPECT_FALSE(dosMatch(L"*.TMP", L"xtmp"));
  EXPECT_FALSE(dosMatch(L"*.TMP", L"x.tm"));
  EXPECT_TRUE(dosMatch(L"*.TMP", L"x.tmp.tmp"));
}

TEST(DosWildcard, QuestionMarkTakesExactlyOneCharacter) {
  EXPECT_TRUE(dosMatch(L"*.??$", L"a.ab$"));
  EXPECT_FALSE(dosMatch(L"*.??$", L"a.b$"));
  EXPECT_FALSE(dosMatch(L"*.??$", L"a.abc$"));
  EXPECT_TRUE(dosMatch(L"*.??$", L"a.b.cd$"));
}

TEST(DosWildcard, TrailingDotAndStarMayMatchNothing) {
  EXPECT_TRUE(dosMatch(L"*.*", L"noextension"));
  EXPECT_TRUE(dosMatch(L"~*.*", L"~backup"));
  EXPECT_FALSE(dosMatch(L"~*.*", L"backup~"));
  EXPECT_TRUE(dosMatch(L"*.~*", L"a.~"));
  EXPECT_TRUE(dosMatch(L"*.~*", L"a.~bak"));
  EXPECT_FALSE(dosMatch(L"*.~*", L"a~"));
  EXPECT_TRUE(dosMatch(L"*.*~", L"a.b~"));
  EXPECT_FALSE(dosMatch(L"*.*~", L"a.b"));
}

TEST(DosWildcard, StarRetriesAfterAFalseStart) {
  // The first "." after the star leads nowhere; the matcher must try the later one.
  EXPECT_TRUE(dosMatch(L"*.LOG", L"a.lo.log"));
  EXPECT_TRUE(dosMatch(L"*.ASD", L"x.as.asd"));
  EXPECT_TRUE(dosMatch(L"*~", L"a~b~"));
}

TEST(DosWildcard, EntryMatchesOnItsShortNameToo) {
  EXPECT_TRUE(dosMatchEntry(L"*.TMP", L"foo.tmpx", L"FOO~~CF3.TMP"));
  EXPECT_FALSE(dosMatchEntry(L"*.TMP", L"foo.tmpx", L""));
  EXPECT_FALSE(dosMatchEntry(L"*.TMP", L"foo.tmpx", L"FOO~~CF3.TMX"));
}

}  // namespace
}  // namespace kestova
