#include <gtest/gtest.h>

#include <cmath>

#include "app/Tffolders.h"
#include "app/Tfsweep.h"
#include "core/config_file.h"
#include "core/control_id.h"
#include "core/text_codec.h"
#include "core/text_lines.h"
#include "harness/driver.h"
#include "harness/hub_fixture.h"
#include "harness/mapped_drive.h"
#include "ui/grid.h"
#include "win/volume.h"

namespace kestova::test {
namespace {

Lines linesOf(const std::string& bytes) { return splitLines(std::wstring(bytes.begin(), bytes.end())); }

class Hub : public HubFixture {};

TEST_F(Hub, StartsWithTheShippedSettings) {
  for (auto name : {L"Data.TXT", L"config.TXT", L"idiom.TXT", L"hub.jpg"}) ship(name);
  app::Tfsweep& hub = startHub();
  EXPECT_EQ(Driver::text(hub.hwnd()), L"Kestova :  Free disk space");
  EXPECT_EQ(hub.text(L"Edit2"), L"Disk Space Recovered:    0.00 Mb  ");
  EXPECT_EQ(hub.text(L"Edit3"), L"");
  ui::Grid& grid = hub.grid(L"asg1");
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cell(0, 0), L"name");
  EXPECT_EQ(grid.cell(3, 0), L"delete?");
  EXPECT_TRUE(hub.checked(L"English1"));
  EXPECT_TRUE(hub.checked(L"Deletefiles1"));
  EXPECT_FALSE(hub.checked(L"SenddeletedfilestoRecycledbin1"));
  EXPECT_TRUE(hub.checked(L"CheckBox26"));
  EXPECT_TRUE(hub.hasBackgroundPicture());
  // Hidden in the delivered layout.
  for (auto name : {L"BitBtnWithColor6", L"BitBtnWithColor17", L"Label5", L"BitBtnWithColor1", L"BitBtnWithColor13"}) {
    EXPECT_FALSE(hub.visible(name)) << toCp1252(name);
  }
  EXPECT_FALSE(hub.enabled(L"BitBtnWithColor13"));
  EXPECT_TRUE(hub.visible(L"Label3"));
  EXPECT_EQ(hub.text(L"Label11"), L"PC errors");
}

TEST_F(Hub, TakesInputAQuarterSecondAfterItIsShown) {
  ship(L"config.TXT");
  app::Tfsweep& hub = startHub();
  EXPECT_FALSE(IsWindowEnabled(hub.hwnd()));
  EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(hub.hwnd()) != FALSE; }, 3000));
}

TEST_F(Hub, CreatesMissingSettingsFilesWithTheShippedDefaults) {
  startHub();
  std::wstring dist = windowsPath(KESTOVA_DIST_DIR) + L"\\";
  Lines shipped = linesOf(fileBytes(dist + L"config.TXT"));
  Lines created = linesOf(setting(L"config.TXT"));
  ASSERT_GE(created.size(), kSwitchCount + 1);
  // The shipped switch lines are all there, in order, before any folder entries the hub recorded.
  EXPECT_TRUE(std::equal(shipped.begin(), shipped.end(), created.begin()));
  EXPECT_TRUE(fileExists(programFolder.path() + L"Data.TXT"));
}

TEST_F(Hub, DriveLinesKeepLineOneAndUnknownLines) {
  MappedDrive known;
  MappedDrive added;
  std::string m(1, static_cast<char>(known.letter()));
  writeSetting(L"Data.TXT", "custom first line\r\nzzz unknown\r\n" + m + ":\\1|1w9z9f\r\n");
  ship(L"config.TXT");
  startHub();
  Lines lines = linesOf(setting(L"Data.TXT"));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], L"custom first line");
  EXPECT_EQ(lines[1], L"zzz unknown");
  auto space = win::diskSpace(known.letter());
  ASSERT_TRUE(space);
  // Both drives are folders of the host's disk, whose free space moves while other programs
  // write: the free figure may differ from this later measurement by a little.
  auto sameDrive = [&](const std::wstring& line, wchar_t letter) {
    std::wstring expected = driveLine(letter, space->capacity, space->freeToUser);
    std::size_t bar = expected.find(L'|');
    if (line.compare(0, bar + 1, expected, 0, bar + 1) != 0) return false;
    double free = std::stod(line.substr(bar + 1));
    return std::abs(free - std::stod(expected.substr(bar + 1))) <= 64 && line.ends_with(L"w0z0f");
  };
  EXPECT_TRUE(sameDrive(lines[2], known.letter())) << toCp1252(lines[2]);
  EXPECT_NE(std::find_if(lines.begin() + 3, lines.end(), [&](const std::wstring& line) { return sameDrive(line, added.letter()); }),
            lines.end());
}

TEST_F(Hub, CapacityLineFromTheTableOrDiskNotFound) {
  MappedDrive small(DRIVE_CDROM);
  MappedDrive gone(DRIVE_CDROM);
  std::string n(1, static_cast<char>(small.letter()));
  // A CD drive gets no line of its own, so this one stays as written.
  writeSetting(L"Data.TXT", "sizes\r\n" + n + ":\\500|200w0z0f\r\n");
  ship(L"config.TXT");
  app::Tfsweep& hub = startHub();
  Lines lines = linesOf(setting(L"Data.TXT"));
  EXPECT_EQ(lines[1], std::wstring(n.begin(), n.end()) + L":\\500|200w0z0f");

  hub.selectDrive(small.letter());
  EXPECT_EQ(hub.text(L"Edit1"), L"500.00 Mb Capacity. /     200.00 Mb Free.");

  wchar_t goneLetter = gone.letter();
  ASSERT_TRUE(unmapDrive(goneLetter));
  hub.selectDrive(goneLetter);
  EXPECT_EQ(hub.text(L"Edit1"), L"Disk not found    ");
}

TEST_F(Hub, DriveRKeepsThePreviousBaseline) {
  MappedDrive small(DRIVE_CDROM);
  MappedDrive r(DRIVE_FIXED, L'R');
  ASSERT_EQ(r.letter(), L'R');
  std::string n(1, static_cast<char>(small.letter()));
  writeSetting(L"Data.TXT", "sizes\r\n" + n + ":\\500|200w0z0f\r\n");
  ship(L"config.TXT");
  app::Tfsweep& hub = startHub();
  hub.selectDrive(small.letter());
  int number = hub.accounting().driveNumber;
  hub.selectDrive(L'R');
  EXPECT_EQ(hub.accounting().driveNumber, number);
  // R's own capacity, but the free figure is the baseline fixed for the previous number.
  std::wstring line = hub.text(L"Edit1");
  EXPECT_NE(line.find(L" GB Capacity. /"), std::wstring::npos) << toCp1252(line);
  EXPECT_EQ(line.substr(line.size() - 20), L"     200.00 GB Free.");
}

TEST_F(Hub, SwitchCodesSurviveARestart) {
  ship(L"config.TXT");
  {
    app::Tfsweep& hub = startHub();
    hub.setChecked(L"CheckBox2", false);
    hub.setChecked(L"SenddeletedfilestoRecycledbin1", true);
    hub.setChecked(L"Deletefiles1", false);
    SendMessageW(hub.hwnd(), WM_CLOSE, 0, 0);
  }
  Lines lines = linesOf(setting(L"config.TXT"));
  EXPECT_NE(std::find(lines.begin(), lines.end(), L"l*0"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), L"r*1"), lines.end());
  app::Tfsweep& again = startHub();
  EXPECT_FALSE(again.checked(L"CheckBox2"));
  EXPECT_TRUE(again.checked(L"ChB1"));
  EXPECT_TRUE(again.checked(L"SenddeletedfilestoRecycledbin1"));
  EXPECT_FALSE(again.checked(L"Deletefiles1"));
}

TEST_F(Hub, AStoredCodeWithTrailingTextIsAppliedAndRewrittenBare) {
  writeSetting(L"config.TXT", "c11 first line is never read\r\nc10 trailing text\r\n");
  app::Tfsweep& hub = startHub();
  EXPECT_FALSE(hub.checked(L"ChB1"));
  Lines lines = linesOf(setting(L"config.TXT"));
  EXPECT_EQ(lines[0], L"c11 first line is never read");
  EXPECT_EQ(lines[1], L"c10");
}

TEST_F(Hub, EscapeDoesNotCloseTheHub) {
  ship(L"config.TXT");
  app::Tfsweep& hub = startHub();
  waitUntil([&] { return IsWindowEnabled(hub.hwnd()) != FALSE; }, 3000);
  PostMessageW(hub.control(L"Edit1"), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(hub.control(L"Edit1"), WM_KEYUP, VK_ESCAPE, 0);
  pump(300);
  EXPECT_TRUE(hub.exists());
  EXPECT_TRUE(IsWindowVisible(hub.hwnd()));
}

}  // namespace
}  // namespace kestova::test
