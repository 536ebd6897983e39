#include <gtest/gtest.h>

#include "core/junk_rules.h"
#include "core/removal_accounting.h"

namespace kestova {
namespace {

TEST(JunkRules, PatternListerSkipsFoldersByCaseSensitiveParts) {
  const std::wstring_view lx = L"M:\\RECYCLER";
  for (auto folder : {L"M:\\a\\Cookies", L"M:\\Temporary Internet Files\\x", L"M:\\zipped", L"M:\\NetHood",
                      L"M:\\HOOD", L"M:\\COOKIES", L"M:\\Recycled", L"M:\\recycle", L"M:\\x\\RECYCLER"}) {
    EXPECT_TRUE(skipsFolderForPattern(folder, L"*.TMP", lx)) << folder;
  }
  for (auto folder : {L"M:\\cookies", L"M:\\temporary", L"M:\\ZIP", L"M:\\hood", L"M:\\Program Files"}) {
    EXPECT_FALSE(skipsFolderForPattern(folder, L"*.TMP", lx)) << folder;
  }
  // "rogra" keeps out the logs only.
  EXPECT_TRUE(skipsFolderForPattern(L"C:\\Program Files\\App", L"*.LOG", lx));
  EXPECT_FALSE(skipsFolderForPattern(L"C:\\Program Files\\App", L"*.TMP", lx));
  // The "lx" folder itself, whatever its name.
  EXPECT_TRUE(skipsFolderForPattern(L"M:\\Bin", L"*.TMP", L"M:\\Bin"));
  EXPECT_FALSE(skipsFolderForPattern(L"M:\\Bin\\sub", L"*.TMP", L"M:\\Bin"));
}

TEST(JunkRules, LinkListerHasItsOwnExclusions) {
  EXPECT_TRUE(skipsFolderForLinks(L"M:\\Neighborhood", L""));
  EXPECT_TRUE(skipsFolderForLinks(L"M:\\temporary", L""));
  EXPECT_TRUE(skipsFolderForLinks(L"M:\\Recycled", L""));
  EXPECT_TRUE(skipsFolderForLinks(L"M:\\B", L"M:\\B"));
  // "Cookies" and "zip" keep out patterns but not shortcuts.
  EXPECT_FALSE(skipsFolderForLinks(L"M:\\Cookies", L""));
  EXPECT_FALSE(skipsFolderForLinks(L"M:\\zip", L""));
}

TEST(JunkRules, ShortcutsToAddressesAndNetworkPlacesAreNotReported) {
  EXPECT_TRUE(isReportableShortcut(L"M:\\a\\x.lnk", L"M:\\gone.txt"));
  EXPECT_FALSE(isReportableShortcut(L"M:\\a\\x.lnk", L""));
  EXPECT_FALSE(isReportableShortcut(L"M:\\a\\x.lnk", L"http://example.com/"));
  EXPECT_FALSE(isReportableShortcut(L"M:\\a\\x.lnk", L"HTTP://EXAMPLE.COM/"));
  EXPECT_FALSE(isReportableShortcut(L"M:\\SendTo\\x.lnk", L"M:\\gone.txt"));
  EXPECT_FALSE(isReportableShortcut(L"M:\\Network\\x.lnk", L"M:\\gone.txt"));
  EXPECT_FALSE(isReportableShortcut(L"\\\\server\\share\\x.lnk", L"M:\\gone.txt"));
  EXPECT_FALSE(isReportableShortcut(L"M:\\Windows\\system32\\x.lnk", L"M:\\gone.txt"));
  EXPECT_TRUE(isReportableShortcut(L"M:\\Windows\\SYSTEM32\\x.lnk", L"M:\\gone.txt"));
}

TEST(JunkRules, AProfilesCacheLiesInItOrInItsLocalTwin) {
  EXPECT_EQ(localProfileTwin(L"M:\\Users\\Ann\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\a.default"),
            L"M:\\Users\\Ann\\AppData\\Local\\Mozilla\\Firefox\\Profiles\\a.default");
  EXPECT_EQ(localProfileTwin(L"M:\\Documents and Settings\\Ann\\application data\\Mozilla\\Profiles\\a"),
            L"M:\\Documents and Settings\\Ann\\Local Settings\\Application Data\\Mozilla\\Profiles\\a");
  EXPECT_EQ(localProfileTwin(L"M:\\Documents and Settings\\Ann\\Local Settings\\Application Data\\Mozilla\\a"), L"");
  EXPECT_EQ(localProfileTwin(L"M:\\Mozilla\\Profiles\\a"), L"");
}

TEST(JunkRules, FolderVisitorClassifiesEntries) {
  EXPECT_TRUE(countsAsFile(L"linked", kAttrDirectory | kAttrReparsePoint));
  EXPECT_TRUE(isHistoryEntry(L"M:\\WINDOWS", L"History"));
  EXPECT_FALSE(isHistoryEntry(L"M:\\Windows", L"History"));
  // The folders of Windows 8.1 and later.
  EXPECT_TRUE(isCurrentHistoryFolder(L"M:\\Users\\Bob\\AppData\\Local\\Microsoft\\Windows", L"History"));
  EXPECT_FALSE(isCurrentHistoryFolder(L"M:\\Users\\Bob\\Documents", L"History"));
  EXPECT_FALSE(isCurrentHistoryFolder(L"M:\\Users\\Bob\\AppData\\Local\\Microsoft\\Windows", L"OldHistory"));
  EXPECT_TRUE(isInternetCacheFolder(L"INetCache"));
  EXPECT_TRUE(isSystemBrowserCachePath(L"M:\\Users\\Bob\\AppData\\Local\\Microsoft\\Windows\\INetCache\\"));
  EXPECT_TRUE(isSystemBrowserCachePath(L"C:\\Documents and Settings\\Ann\\Local Settings\\Temporary Internet Files"));
  EXPECT_FALSE(isSystemBrowserCachePath(L"M:\\Users\\Bob\\INetCacheBackup"));
  constexpr std::uint32_t hiddenSystemDir = kAttrDirectory | kAttrHidden | kAttrSystem;
  EXPECT_TRUE(isRecycleCandidate(L"RECYCLER", hiddenSystemDir));
  EXPECT_FALSE(isRecycleCandidate(L"RECYCLER", hiddenSystemDir | kAttrReadOnly));
  EXPECT_FALSE(isRecycleCandidate(L"$Recycle.Bin", hiddenSystemDir));
  EXPECT_FALSE(isRecycleCandidate(L"System Volume Information", hiddenSystemDir));
  EXPECT_FALSE(isRecycleCandidate(L"S-1-5", hiddenSystemDir));
}

TEST(JunkRules, SizeTextsOfRowsAndTotals) {
  EXPECT_EQ(fileSizeText(0), L"1 KB");
  EXPECT_EQ(fileSizeText(1023), L"1 KB");
  EXPECT_EQ(fileSizeText(1024), L"2 KB");
  EXPECT_EQ(linkSizeText(500), L"0 KB");
  EXPECT_EQ(linkSizeText(2048), L"2 KB");
  // 5 GiB: a size that does not fit 32 bits.
  EXPECT_EQ(fileSizeText(5ull << 30), L"5242881 KB");
  EXPECT_EQ(listingTotalText(2048), L"3.00   KB");
  EXPECT_EQ(listingTotalText(5242880), L"5.01  MB");
  EXPECT_EQ(listingTotalText(0), L"0.01  GB");
  EXPECT_EQ(listingTotalText(static_cast<double>(5ull << 30)), L"5.01  GB");
  EXPECT_EQ(sizeCellKilobytes(L"10 KB"), 10);
  EXPECT_EQ(sizeCellKilobytes(L"5242881 KB"), 5242881);
  EXPECT_EQ(sizeCellKilobytes(L""), 0);
  EXPECT_EQ(sizeCellKilobytes(L"x KB"), 0);
}

TEST(RemovalAccounting, IncrementsOfTheRecoveredTotalAndTheBaseline) {
  HubAccounting accounting;
  accounting.driveNumber = 13;
  countRemovedKilobytes(accounting, 10);
  EXPECT_DOUBLE_EQ(accounting.recoveredKB, 10);
  EXPECT_DOUBLE_EQ(accounting.baseline[13], 10.0 / 1024);
  countRemovedBytes(accounting, 2048, kTempFolderExtraKB);
  EXPECT_DOUBLE_EQ(accounting.recoveredKB, 12.05);
  EXPECT_DOUBLE_EQ(accounting.baseline[13], 10.0 / 1024 + 2048.0 / 1024 / 1024);
  EXPECT_DOUBLE_EQ(accounting.baseline[3], 0);

  HubAccounting giga;
  giga.unitGiga = true;
  countRemovedKilobytes(giga, 1024 * 1024);
  EXPECT_DOUBLE_EQ(giga.baseline[3], 1);
  countRemovedBytes(giga, 6ull << 30, kBrowserFolderExtraKB);  // 6 GiB, beyond 32 bits
  EXPECT_DOUBLE_EQ(giga.baseline[3], 7);
  EXPECT_DOUBLE_EQ(giga.recoveredKB, 1024.0 * 1024 + 6.0 * 1024 * 1024 + 0.005);
}

}  // namespace
}  // namespace kestova
