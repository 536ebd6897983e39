#include <gtest/gtest.h>

#include "core/cleaner_rules.h"

namespace kestova {
namespace {

TEST(CleanerRules, TempFoldersFollowBothLayoutsOfTheCacheFolder) {
  const std::vector<std::wstring> system = {L"D:\\Windows\\Temp", L"D:\\Winnt\\Temp", L"D:\\Temp", L"D:\\Win32\\Temp"};
  EXPECT_EQ(tempFolderCandidates(L'D', L""), system);

  auto xp = tempFolderCandidates(L'D', L"C:\\Documents and Settings\\Ann\\Local Settings\\Temporary Internet Files");
  ASSERT_EQ(xp.size(), 5u);
  EXPECT_EQ(xp[4], L"D:\\Documents and Settings\\Ann\\Local Settings\\Temp");

  auto vista = tempFolderCandidates(L'D', L"C:\\Users\\Ann\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files");
  ASSERT_EQ(vista.size(), 5u);
  EXPECT_EQ(vista[4], L"D:\\Users\\Ann\\AppData\\Local\\Temp");
}

TEST(CleanerRules, UserPartsAreCaseSensitiveAndAnEmptyPartSkipsItsFolder) {
  // Lower-case marks are not the layout.
  EXPECT_EQ(documentsUserPart(L"C:\\documents and settings\\Ann\\Temp"), L"");
  EXPECT_EQ(usersUserPart(L"C:\\users\\Ann\\AppData\\x"), L"");
  // "Temp" missing or before the start: nothing, and no fifth folder.
  EXPECT_EQ(documentsUserPart(L"C:\\Documents and Settings\\Ann\\Cache"), L"");
  EXPECT_EQ(tempFolderCandidates(L'C', L"C:\\Documents and Settings\\Ann\\Cache").size(), 4u);
  EXPECT_EQ(usersUserPart(L"C:\\Users\\"), L"");
  // "User" is looked for, "Users" only decides the layout: the first "User" wins.
  EXPECT_EQ(usersUserPart(L"C:\\Users\\Bob\\AppData\\Local\\Temporary Internet Files"), L"Bob");
  // Both layouts in one path give both folders, in table order.
  auto both = tempFolderCandidates(L'E', L"E:\\Documents and Settings\\A\\Temp\\Users\\B\\AppData");
  ASSERT_EQ(both.size(), 6u);
  EXPECT_EQ(both[4], L"E:\\Documents and Settings\\A\\Temp");
}

TEST(CleanerRules, UrlKindsVersionsAndDrives) {
  EXPECT_TRUE(isCookieUrl(L"Cookie:user@127.0.0.1/"));
  EXPECT_TRUE(isCookieUrl(L"COOKIE:USER@HOST/"));
  EXPECT_FALSE(isCookieUrl(L"http://host/cookie.html"));  // no "@"
  EXPECT_FALSE(isCookieUrl(L"mailto:a@b"));
  EXPECT_TRUE(isVisitedUrl(L"Visited: user@http://host/"));
  EXPECT_FALSE(isVisitedUrl(L"http://host/page"));

  EXPECT_EQ(browserVersion(L"9.11.9600.18376"), 9);
  EXPECT_EQ(browserVersion(L"6.0"), 6);
  EXPECT_EQ(browserVersion(L""), 0);
  EXPECT_EQ(browserVersion(L"v7"), 0);

  EXPECT_TRUE(liesOnDrive(L"t:\\Mozilla", L'T'));
  EXPECT_FALSE(liesOnDrive(L"", L'T'));
  EXPECT_TRUE(netscapePresent(L"C:\\Netscape\\Users", L'T'));  // "Nets" does not ask for the drive
  EXPECT_FALSE(netscapePresent(L"C:\\Mozilla\\Profiles", L'T'));
  EXPECT_TRUE(netscapePresent(L"T:\\Mozilla\\Profiles", L'T'));

  EXPECT_TRUE(isKeptContentName(L"index.dat"));
  EXPECT_TRUE(isKeptContentName(L"a..b"));
  EXPECT_FALSE(isKeptContentName(L"page[1].htm"));
  EXPECT_EQ(withTrailingSlash(L"C:\\a\\\\"), L"C:\\a\\");
  EXPECT_EQ(withTrailingSlash(L"C:\\a"), L"C:\\a\\");
}

}  // namespace
}  // namespace kestova
