// The removal primitives, the folder size and the emptiers E1, E2, E3 on real folders and the
// real recycle bin.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/hub_accounting.h"
#include "harness/junk_results.h"
#include "harness/scripted_dialogs.h"
#include "harness/temp_folder.h"
#include "junk/emptiers.h"
#include "win/handles.h"
#include "win/removal.h"

namespace kestova::test {
namespace {

TEST(JunkRemoval, DeleteAndRecycleBinPrimitives) {
  TempFolder folder;
  std::wstring deleted = folder.writeFile(L"deleted.tmp", "x");
  std::wstring recycled = folder.writeFile(L"recycled.tmp", "x");
  std::wstring star = folder.writeFile(L"a.tmp", "x");
  long long before = recycleBinItems();
  ASSERT_GE(before, 0);

  EXPECT_TRUE(win::deleteFile(deleted));
  EXPECT_FALSE(fileExists(deleted));
  EXPECT_EQ(recycleBinItems(), before);

  EXPECT_TRUE(win::recycle(recycled));
  EXPECT_FALSE(fileExists(recycled));
  EXPECT_EQ(recycleBinItems(), before + 1);

  // Never a wildcard: "*.tmp" names no file, and nothing goes.
  EXPECT_FALSE(win::recycle(folder.path() + L"*.tmp"));
  EXPECT_FALSE(win::recycle(folder.path() + L"?.tmp"));
  EXPECT_TRUE(fileExists(star));
  EXPECT_FALSE(win::deleteFile(folder.path() + L"missing.tmp"));
}

TEST(JunkRemoval, InUseTest) {
  TempFolder folder;
  std::wstring file = folder.writeFile(L"f.tmp", "x");
  EXPECT_FALSE(win::isInUse(file));
  EXPECT_FALSE(win::isInUse(folder.path() + L"missing.tmp"));
  {
    // Any open handle that does not share writing keeps it in use.
    win::FileHandle held(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_TRUE(win::isInUse(file));
  }
  EXPECT_FALSE(win::isInUse(file));
}

TEST(JunkRemoval, FolderSizeCountsSubfoldersButNotDotFolders) {
  TempFolder folder;
  folder.writeFile(L"a.bin", std::string(1000, 'a'));
  folder.writeFile(L"sub\\b.bin", std::string(200, 'b'));
  folder.writeFile(L"sub\\deeper\\c.bin", std::string(30, 'c'));
  folder.writeFile(L".hidden\\d.bin", std::string(4000, 'd'));
  writeSizedFile(folder.path() + L"big\\e.bin", 5ull << 30);
  EXPECT_EQ(junk::folderSize(folder.path()), 1230u + (5ull << 30));
  EXPECT_EQ(junk::folderSize(folder.path() + L"sub"), 230u);
}

class Emptier : public ::testing::Test {
 protected:
  Emptier() { accounting.driveNumber = 3; }
  HubAccounting accounting;
  JunkResults results;
  ScriptedDialogsScope dialogs;
  junk::Emptiers emptiers{accounting, results, false};
};

TEST_F(Emptier, E1RemovesTheWholeTreeAndCountsWhatWent) {
  TempFolder folder;
  folder.writeFile(L"a.tmp", std::string(2048, 'a'));
  folder.writeFile(L"sub\\b.tmp", std::string(1024, 'b'));
  folder.writeFile(L"sub\\deep\\c.tmp", "");
  std::wstring kept = folder.writeFile(L"held.tmp", std::string(1024, 'h'));
  win::FileHandle held(CreateFileW(kept.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);

  emptiers.emptyTree(folder.path());
  EXPECT_FALSE(fileExists(folder.path() + L"a.tmp"));
  EXPECT_FALSE(fileExists(folder.path() + L"sub"));
  EXPECT_TRUE(fileExists(kept));
  // Three files and two folders went; the held file stayed and counts nothing.
  EXPECT_NEAR(accounting.recoveredKB, 3 + 5 * 0.05, 1e-9);
  EXPECT_NEAR(accounting.baseline[3], 3072.0 / 1024 / 1024, 1e-12);
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_TRUE(results.rows.empty());
}

TEST_F(Emptier, E1TakesAFolderRemovedMeanwhileForDoneWithoutAWord) {
  TempFolder folder;
  emptiers.emptyTree(folder.path() + L"missing\\");
  EXPECT_EQ(emptiers.unreadableFolders(), 0u);
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(accounting.recoveredKB, 0);
}

TEST_F(Emptier, E2ListsAtMost101RowsAndRemovesEveryFile) {
  TempFolder folder;
  for (int i = 0; i < 150; ++i) folder.writeFile(L"f" + std::to_wstring(i) + L".dat", std::string(100, 'x'));
  folder.writeFile(L"desktop.ini", "x");
  folder.writeFile(L"sub\\inner.dat", std::string(100, 'y'));

  emptiers.emptyListing(folder.path());
  EXPECT_EQ(results.rows.size(), 101u);
  EXPECT_EQ(results.rows[0].path, folder.path());
  EXPECT_EQ(results.rows[0].size, L"1 KB");
  EXPECT_EQ(results.rows[0].mark, L"Deleted");
  for (const auto& row : results.rows) EXPECT_NE(row.name, L"desktop.ini");
  for (int i = 0; i < 150; ++i) EXPECT_FALSE(fileExists(folder.path() + L"f" + std::to_wstring(i) + L".dat"));
  EXPECT_FALSE(fileExists(folder.path() + L"desktop.ini"));
  EXPECT_FALSE(fileExists(folder.path() + L"sub"));
  EXPECT_TRUE(fileExists(folder.path()));  // E2 keeps the folder itself
  EXPECT_EQ(results.total, 150u * 100 + 1 + 100);
  EXPECT_NEAR(accounting.recoveredKB, (150.0 * 100 + 1 + 100) / 1024 + 152 * 0.005, 1e-9);
}

TEST_F(Emptier, E3SendsTheFolderItselfToTheRecycleBin) {
  TempFolder parent;
  parent.writeFile(L"cache\\a.dat", std::string(10, 'a'));
  parent.writeFile(L"cache\\sub\\b.dat", std::string(10, 'b'));
  long long before = recycleBinItems();
  emptiers.emptyAndRecycle(parent.path() + L"cache\\");
  EXPECT_FALSE(fileExists(parent.path() + L"cache"));
  EXPECT_GT(recycleBinItems(), before);
  ASSERT_EQ(results.rows.size(), 2u);
  // Each row names the folder as it was given to the emptier.
  EXPECT_NE(results.find(parent.path() + L"cache\\a.dat"), nullptr);
  EXPECT_NE(results.find(parent.path() + L"cache\\sub\\b.dat"), nullptr);
}

}  // namespace
}  // namespace kestova::test
