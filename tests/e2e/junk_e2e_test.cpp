// A person's use of the junk-file cleaner, driven from outside: Kestova.exe on a prepared drive,
// Search, the closing message, one row kept, Delete, and what is left on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include "harness/driver.h"
#include "harness/host_link.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"

namespace kestova::test {
namespace {

int rowNamed(HWND grid, const std::wstring& name) {
  for (int row = 0; row < Driver::listViewRows(grid); ++row) {
    if (Driver::listViewCell(grid, row, 0) == name) return row;
  }
  return -1;
}

TEST(JunkEndToEnd, SearchKeepOneRowDeleteTheOther) {
  MappedDrive drive;
  std::wstring root = drive.root();
  writeSizedFile(root + L"a\\kept.tmp", 3 * 1048576);   // 3073 KB
  writeSizedFile(root + L"b\\gone.chk", 1048576);       // 1025 KB
  writeSizedFile(root + L"b\\plain.txt", 100);

  Driver driver;
  DWORD pid = driver.processId(driver.start());
  HWND hub = driver.waitWindow(L"Kestova :  Free disk space", pid);
  ASSERT_NE(hub, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(hub) != FALSE; }, 5000));

  Driver::selectComboItem(Driver::control(hub, L"DCB1"), std::wstring(1, drive.letter()) + L":");
  Driver::click(Driver::control(hub, L"BitBtnWithColor5"));
  auto message = driver.waitMessageBox(pid);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text,
            L"Found 4.01  MB in  2 unnecessary, temporary and error files. (click delete button to remove it)");
  Driver::answer(*message, IDOK);

  HWND grid = Driver::control(hub, L"asg1");
  ASSERT_TRUE(waitUntil([&] { return Driver::listViewRows(grid) == 4; }, 5000));
  EXPECT_EQ(Driver::listViewCell(grid, 3, 0), L"Total space :");
  EXPECT_EQ(Driver::listViewCell(grid, 3, 2), L"4.01  MB");
  int kept = rowNamed(grid, L"kept.tmp");
  ASSERT_NE(kept, -1);
  EXPECT_EQ(Driver::listViewCell(grid, kept, 1), root + L"a\\");
  EXPECT_EQ(Driver::listViewCell(grid, kept, 2), L"3073 KB");
  Driver::clickListViewCell(grid, kept, 3);
  ASSERT_TRUE(waitUntil([&] { return Driver::listViewCell(grid, kept, 3) == L"No"; }, 5000));

  Driver::click(Driver::control(hub, L"bwc10"));
  HWND status = Driver::control(hub, L"Edit3");
  ASSERT_TRUE(waitUntil([&] { return Driver::text(status) == L"Disk cleaned"; }, 20000));
  EXPECT_TRUE(fileExists(root + L"a\\kept.tmp"));
  EXPECT_FALSE(fileExists(root + L"b\\gone.chk"));
  EXPECT_TRUE(fileExists(root + L"b\\plain.txt"));
  EXPECT_EQ(Driver::text(Driver::control(hub, L"Edit2")), L"Disk Space Recovered:    1.00 Mb  ");
  EXPECT_EQ(Driver::listViewRows(grid), 1);
  EXPECT_FALSE(IsWindowEnabled(Driver::control(hub, L"bwc10")));

  PostMessageW(hub, WM_CLOSE, 0, 0);
  EXPECT_TRUE(driver.waitExit(0, 10000));
}

// Closing the hub while Search walks a large drive, or while Delete runs, ends the program
// normally; a Delete that was running finishes first, so every listed file is gone.
TEST(JunkEndToEnd, ClosingTheHubDuringSearchOrDeleteEndsNormally) {
  MappedDrive large;
  ASSERT_TRUE(makeHostFiles(large.folder().path(), 100000));
  MappedDrive small;
  ASSERT_TRUE(makeHostFiles(small.folder().path(), 2000));
  Driver driver;

  DWORD pid = driver.processId(driver.start());
  HWND hub = driver.waitWindow(L"Kestova :  Free disk space", pid);
  ASSERT_NE(hub, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(hub) != FALSE; }, 5000));
  Driver::selectComboItem(Driver::control(hub, L"DCB1"), std::wstring(1, large.letter()) + L":");
  Driver::click(Driver::control(hub, L"BitBtnWithColor5"));
  HWND status = Driver::control(hub, L"Edit3");
  // The walk shows the drive first; every listed file costs an open, so the walk is long.
  std::wstring walking(1, large.letter());
  walking += L":";
  ASSERT_TRUE(waitUntil([&] { return Driver::text(status).starts_with(walking); }, 30000));
  PostMessageW(hub, WM_CLOSE, 0, 0);
  EXPECT_EQ(driver.waitExit(0, 60000), std::optional<DWORD>(0));

  pid = driver.processId(driver.start());
  hub = driver.waitWindow(L"Kestova :  Free disk space", pid);
  ASSERT_NE(hub, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(hub) != FALSE; }, 5000));
  Driver::selectComboItem(Driver::control(hub, L"DCB1"), std::wstring(1, small.letter()) + L":");
  Driver::click(Driver::control(hub, L"BitBtnWithColor5"));
  auto message = driver.waitMessageBox(pid, 60000);
  ASSERT_TRUE(message);
  EXPECT_NE(message->text.find(L" in  2000 "), std::wstring::npos);
  Driver::answer(*message, IDOK);
  status = Driver::control(hub, L"Edit3");
  Driver::click(Driver::control(hub, L"bwc10"));
  ASSERT_TRUE(waitUntil([&] { return Driver::text(status) == L"Deleting junk files - please wait"; }, 10000));
  PostMessageW(hub, WM_CLOSE, 0, 0);
  EXPECT_EQ(driver.waitExit(1, 120000), std::optional<DWORD>(0));
  EXPECT_FALSE(fileExists(small.root() + L"d0\\f0.tmp"));
  EXPECT_FALSE(fileExists(small.root() + L"d19\\f1999.tmp"));
  EXPECT_FALSE(fileExists(small.root() + L"d10\\f1000.tmp"));
  EXPECT_TRUE(emptyHostFolder(large.folder().path()));
}

}  // namespace
}  // namespace kestova::test
