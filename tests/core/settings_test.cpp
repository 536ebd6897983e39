#include <gtest/gtest.h>

#include "core/config_file.h"
#include "core/drive_table.h"
#include "core/language.h"

namespace kestova {
namespace {

TEST(DriveLines, HaveTheExactFormInWholeMegabytes) {
  EXPECT_EQ(driveLine(L'c', 40000ull * 1048576 + 1048575, 12345ull * 1048576), L"C:\\40000|12345w0z0f");
  EXPECT_EQ(driveLine(L'D', 0, 0), L"D:\\0|0w0z0f");
}

TEST(DriveLines, ReplaceEveryLineOfTheLetterButNeverLineOne) {
  Lines lines = {L"C:\\first line is never a drive", L"C:\\1|1w5z6f", L"kept", L"C:\\2|2w0z0f"};
  EXPECT_FALSE(putDriveLine(lines, L"C:\\9|8w0z0f"));
  EXPECT_EQ(lines, (Lines{L"C:\\first line is never a drive", L"C:\\9|8w0z0f", L"kept", L"C:\\9|8w0z0f"}));
  EXPECT_TRUE(putDriveLine(lines, L"E:\\3|1w0z0f"));
  EXPECT_EQ(lines.back(), L"E:\\3|1w0z0f");
}

TEST(DriveTable, SlotsStartAtTheSecondDriveOfTheList) {
  Lines lines = {L"header", L"A:\\10|5w0z0f", L"C:\\40000|12345w7z8f"};
  DriveTable table = DriveTable::read(lines, {L'A', L'C'});
  EXPECT_EQ(table.find(L'A'), nullptr);  // the first entry has no slot
  const DriveSlot* c = table.find(L'C');
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->capacityMB, L"40000");
  EXPECT_EQ(c->freeMB, L"12345");
  EXPECT_EQ(c->totalClusters, L"7");
  EXPECT_EQ(c->freeClusters, L"8");
}

TEST(DriveTable, HoldsOnlyTwentyDrivesAfterTheFirst) {
  std::vector<wchar_t> list;
  Lines lines = {L"header"};
  for (wchar_t l = L'A'; l <= L'Z'; ++l) {
    list.push_back(l);
    lines.push_back(std::wstring(1, l) + L":\\100|50w0z0f");
  }
  DriveTable table = DriveTable::read(lines, list);
  EXPECT_EQ(table.find(L'A'), nullptr);
  EXPECT_NE(table.find(L'B'), nullptr);
  EXPECT_NE(table.find(L'U'), nullptr);  // entry 21, slot 20
  EXPECT_EQ(table.find(L'V'), nullptr);  // entry 22: no slot left
}

TEST(DriveTable, FieldThatIsNoNumberCountsAsZero) {
  EXPECT_EQ(megabytesOf(L"40000"), 40000);
  EXPECT_EQ(megabytesOf(L"4x"), 0);
  EXPECT_EQ(megabytesOf(L""), 0);
}

TEST(DriveTable, CompleteSizesNeedTwoNumbers) {
  Lines lines = {L"header", L"D:\\|5w0z0f", L"E:\\4x|5w0z0f", L"F:\\100| 5w0z0f", L"G:\\2500.5|1000w0z0f"};
  DriveTable table = DriveTable::read(lines, {L'C', L'D', L'E', L'F', L'G'});
  EXPECT_NE(table.find(L'D'), nullptr);
  EXPECT_EQ(table.findComplete(L'D'), nullptr) << "an empty capacity";
  EXPECT_EQ(table.findComplete(L'E'), nullptr) << "a capacity that is no number";
  EXPECT_EQ(table.findComplete(L'F'), nullptr) << "a free size that is no number";
  ASSERT_NE(table.findComplete(L'G'), nullptr);
  EXPECT_EQ(megabytesOf(table.findComplete(L'G')->capacityMB), 2500.5);
}

TEST(FolderEntries, RecordReplacesTheEntryOfTheSameDriveOnly) {
  Lines lines = {L"hiC:\\first line", L"hiC:\\old", L"hiD:\\other drive", L"c11"};
  EXPECT_TRUE(recordFolder(lines, FolderCode::hi, L"C:\\new"));
  EXPECT_EQ(lines, (Lines{L"hiC:\\first line", L"hiC:\\new", L"hiD:\\other drive", L"c11"}));
  EXPECT_FALSE(recordFolder(lines, FolderCode::hi, L"C:\\new"));  // unchanged: nothing to save
  EXPECT_TRUE(recordFolder(lines, FolderCode::lx, L"D:\\RECYCLER"));
  EXPECT_EQ(lines.back(), L"lxD:\\RECYCLER");
}

TEST(FolderEntries, ApplyOnlyThoseOfTheCurrentDrive) {
  Lines lines = {L"ieC:\\line one is not read", L"lxD:\\RECYCLER", L"ieD:\\Cache", L"niC:\\Profile", L"zz"};
  CodedFolders folders;
  applyFolderEntries(lines, L'D', folders);
  EXPECT_EQ(folders[FolderCode::lx], L"D:\\RECYCLER");
  EXPECT_EQ(folders[FolderCode::ie], L"D:\\Cache");
  EXPECT_EQ(folders[FolderCode::ni], L"");
}

TEST(FolderEntries, OnlyAbsoluteDrivePathsAreApplied) {
  // Anything else would be read against the program's folder, the current one while settings are read.
  Lines lines = {L"line one", L"hiD:\\History", L"hiDrive history", L"ieD:", L"ieD:Cache", L"ncD:\\", L"lxD"};
  CodedFolders folders;
  folders[FolderCode::ie] = L"C:\\kept";
  applyFolderEntries(lines, L'D', folders);
  EXPECT_EQ(folders[FolderCode::hi], L"D:\\History");
  EXPECT_EQ(folders[FolderCode::ie], L"C:\\kept");
  EXPECT_EQ(folders[FolderCode::nc], L"D:\\");  // a drive path all the same; the cleaners refuse it
  EXPECT_EQ(folders[FolderCode::lx], L"");
}

TEST(SwitchCodes, ApplyKeepsSwitchesWithoutALine) {
  Lines lines = {L"l*0 line one is never read", L"c10 and some more text", L"r*1"};
  SwitchStates states;
  states.fill(true);
  states[kRemovalModeSwitch] = false;
  applySwitchCodes(lines, states);
  EXPECT_FALSE(states[0]);                    // ChB1 from "c10..."
  EXPECT_TRUE(states[10]);                    // "*.Log": its only line is line 1
  EXPECT_TRUE(states[kRemovalModeSwitch]);    // "r*1": recycle
}

TEST(SwitchCodes, StoreRewritesLinesToTheBareCodeAndAddsNone) {
  Lines lines = {L"c11", L"c10 and some more text", L"unknown", L"e01"};
  SwitchStates states;
  states.fill(false);
  states[0] = true;
  storeSwitchCodes(lines, states);
  EXPECT_EQ(lines, (Lines{L"c11", L"c11", L"unknown", L"e00"}));
}

TEST(SwitchCodes, TableMatchesTheStoredOrder) {
  EXPECT_STREQ(kSwitchCodes[kRemovalModeSwitch].on, L"r*1");
  EXPECT_STREQ(kSwitchCodes[9].control, L"ChB10");
  EXPECT_STREQ(kSwitchCodes[9].on, L"c*1");
  EXPECT_STREQ(kSwitchCodes[kSwitchCount - 1].off, L"e00");
}

TEST(LanguageFile, LineTwoOneToEightElseEnglish) {
  EXPECT_EQ(readLanguage({L"x", L"3"}), kFrench);
  EXPECT_EQ(readLanguage({L"x", L"8"}), kNorwegian);
  EXPECT_EQ(readLanguage({L"x", L"03"}), kFrench);
  EXPECT_EQ(readLanguage({L"x", L"9"}), kEnglish);
  EXPECT_EQ(readLanguage({L"x", L"0"}), kEnglish);
  EXPECT_EQ(readLanguage({L"x", L"two"}), kEnglish);
  EXPECT_EQ(readLanguage({L"x", L"99999999999"}), kEnglish);
  EXPECT_EQ(readLanguage({L"x"}), kEnglish);
  EXPECT_EQ(readLanguage({}), kEnglish);
}

TEST(LanguageFile, WriteNeedsALineTwo) {
  Lines two = {L"first", L"1", L"extra"};
  EXPECT_TRUE(writeLanguage(two, kGerman));
  EXPECT_EQ(two, (Lines{L"first", L"7", L"extra"}));
  Lines one = {L""};
  EXPECT_FALSE(writeLanguage(one, kGerman));
  EXPECT_EQ(one, Lines{L""});
}

}  // namespace
}  // namespace kestova
