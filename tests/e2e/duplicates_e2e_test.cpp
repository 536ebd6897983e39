// A person's use of the duplicate finder, driven from outside: Kestova.exe, "Duplicate" on the
// hub, a prepared drive searched, one copy marked and deleted, the disk and the hub's line read.
#include <gtest/gtest.h>

#include <windows.h>

#include "harness/driver.h"
#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"

namespace kestova::test {
namespace {

TEST(DuplicatesEndToEnd, SearchMarkOneCopyAndDeleteIt) {
  MappedDrive drive;
  std::string bytes(204800, 'k');  // 201 KB
  drive.folder().writeFile(L"photos\\holiday.jpg", bytes);
  drive.folder().writeFile(L"backup\\old\\holiday.jpg", bytes);
  drive.folder().writeFile(L"backup\\other.jpg", std::string(204800, 'o'));

  Driver driver;
  DWORD pid = driver.processId(driver.start());
  HWND hub = driver.waitWindow(L"Kestova :  Free disk space", pid);
  ASSERT_NE(hub, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(hub) != FALSE; }, 5000));
  Driver::click(Driver::control(hub, L"Label7"));
  HWND dups = driver.waitWindow(L"Kestova : Find Duplicate files ", pid);
  ASSERT_NE(dups, nullptr);

  Driver::selectComboItem(Driver::control(dups, L"dcb1"), std::wstring(1, drive.letter()) + L":");
  Driver::click(Driver::control(dups, L"BitBtnWithColor2"));
  HWND remove = Driver::control(dups, L"BitBtn5");
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(remove) != FALSE; }, 20000));

  HWND grid = Driver::control(dups, L"asg2");
  ASSERT_EQ(Driver::listViewRows(grid), 3);
  EXPECT_EQ(Driver::listViewCell(grid, 0, 0), L"");
  EXPECT_EQ(Driver::listViewCell(grid, 1, 0), L"HOLIDAY.JPG");
  std::wstring drivePath(1, drive.letter());
  drivePath += L":";
  // The copy met first in the walk: photos is read before backup\old.
  EXPECT_EQ(Driver::listViewCell(grid, 1, 1), drivePath + L"\\PHOTOS");
  EXPECT_EQ(Driver::listViewCell(grid, 2, 1), drivePath + L"\\BACKUP\\OLD");
  EXPECT_EQ(Driver::listViewCell(grid, 2, 2), L"201 Kb");
  Driver::clickListViewCell(grid, 2, 4);
  ASSERT_TRUE(waitUntil([&] { return Driver::listViewCell(grid, 2, 4) == L"Yes"; }, 5000));

  Driver::click(remove);
  auto question = driver.waitMessageBox(pid);
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, L"Delete files showed on grid marked as YES?");
  RECT placed = {};
  GetWindowRect(question->hwnd, &placed);
  EXPECT_EQ(placed.left, 200);
  EXPECT_EQ(placed.top, 200);
  Driver::answer(*question, IDYES);

  ASSERT_TRUE(waitUntil([&] { return Driver::listViewCell(grid, 2, 4) == L"deleted"; }, 20000));
  EXPECT_FALSE(fileExists(drive.root() + L"backup\\old\\holiday.jpg"));
  EXPECT_TRUE(fileExists(drive.root() + L"photos\\holiday.jpg"));
  EXPECT_TRUE(fileExists(drive.root() + L"backup\\other.jpg"));
  HWND recovered = Driver::control(hub, L"Edit2");
  ASSERT_TRUE(waitUntil([&] { return Driver::text(recovered) == L"Disk Space Recovered:    0.20 Mb  "; }, 5000));

  PostMessageW(hub, WM_CLOSE, 0, 0);
  EXPECT_TRUE(driver.waitExit(0, 10000));
}

}  // namespace
}  // namespace kestova::test
