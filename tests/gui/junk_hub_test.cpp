// Search, the grid's toggle and Delete on the hub, against a drive mapped to a temporary folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "app/JunkCleaner.h"
#include "app/Tfsweep.h"
#include "core/junk_patterns.h"
#include "harness/driver.h"
#include "harness/fit.h"
#include "harness/hub_fixture.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "junk/junk_scanner.h"
#include "ui/grid.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

constexpr const wchar_t* kMessageTail = L" unnecessary, temporary and error files. (click delete button to remove it)";

class JunkHub : public HubFixture {
 protected:
  JunkHub() {
    ship(L"config.TXT");
    hub = &startHub();
    hub->selectDrive(drive.letter());
    // The hub takes input (and focus) a quarter of a second after it is shown.
    waitUntil([this] { return IsWindowEnabled(hub->hwnd()) != FALSE; }, 3000);
    SetForegroundWindow(hub->hwnd());
  }
  std::wstring at(const std::wstring& relative) const { return std::wstring(1, drive.letter()) + L":\\" + relative; }
  ui::Grid& grid() const { return hub->grid(L"asg1"); }
  int rows() const { return hub->junkCleaner().rowCount(); }
  int rowOf(const std::wstring& path) const {
    for (int row = 1; row <= rows(); ++row) {
      if (grid().cell(1, row) + grid().cell(0, row) == path) return row;
    }
    return -1;
  }
  std::wstring search() {
    dialogs->messages.clear();
    hub->fire(L"BB4");
    EXPECT_EQ(dialogs->messages.size(), 1u);
    return dialogs->messages.empty() ? L"" : dialogs->messages.back().text;
  }
  // A real click of the mouse on a cell of the grid.
  void clickCell(int row, int column) const {
    HWND list = grid().hwnd();
    ListView_EnsureVisible(list, row - 1, FALSE);
    RECT cell = {};
    ASSERT_TRUE(ListView_GetSubItemRect(list, row - 1, column, LVIR_BOUNDS, &cell));
    LPARAM point = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
  }

  MappedDrive drive;
  app::Tfsweep* hub = nullptr;
};

TEST_F(JunkHub, SearchListsTheRowsTheSummaryAndTheClosingMessage) {
  writeSizedFile(at(L"a\\one.tmp"), 1024);
  writeSizedFile(at(L"b\\two.chk"), 1024);
  hub->setEnabled(L"BB5", false);
  std::wstring message = search();
  EXPECT_EQ(message, std::wstring(L"Found 3.00   KB in  2") + kMessageTail);
  ASSERT_EQ(rows(), 2);
  EXPECT_EQ(grid().rowCount(), 5);
  EXPECT_EQ(grid().cell(0, 0), L"name");
  EXPECT_NE(rowOf(at(L"a\\one.tmp")), -1);
  EXPECT_EQ(grid().cell(2, 1), L"2 KB");
  EXPECT_EQ(grid().cell(3, 1), L"Yes");
  EXPECT_EQ(grid().cell(0, 3), L"");
  EXPECT_EQ(grid().cell(0, 4), L"Total space :");
  EXPECT_EQ(grid().cell(1, 4), L"    =    ");
  EXPECT_EQ(grid().cell(2, 4), L"3.00   KB");
  // The list view shows the same rows.
  EXPECT_EQ(Driver::listViewRows(grid().hwnd()), 4);
  EXPECT_EQ(Driver::listViewCell(grid().hwnd(), 3, 2), L"3.00   KB");
  EXPECT_EQ(hub->junkCleaner().listingTotal(), 2048u);
  EXPECT_TRUE(hub->enabled(L"BB5"));
  EXPECT_TRUE(hub->enabled(L"bwc10"));
  EXPECT_EQ(GetFocus(), hub->control(L"bwc10"));
  EXPECT_EQ(hub->text(L"Edit3"), L"");
}

// What a timer sees while the search lets the message queue run.
struct DuringSearch {
  app::Tfsweep* hub = nullptr;
  std::vector<std::wstring> statuses;
  bool searchEnabled = false;
  bool driveEnabled = false;
  bool deleteEnabled = false;
  bool arrowSeen = false;
  bool pressed = false;
};
DuringSearch* during = nullptr;

// A press of a button as the queue delivers it, also when it was queued before the button went grey.
void queueClick(app::Tfsweep& hub, const wchar_t* name) {
  HWND button = hub.control(name);
  PostMessageW(hub.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void CALLBACK lookDuringSearch(HWND, UINT, UINT_PTR, DWORD) {
  app::Tfsweep& hub = *during->hub;
  if (!during->pressed) {
    during->pressed = true;
    for (const wchar_t* name : {L"BB4", L"BitBtnWithColor5", L"BB4", L"bwc10", L"BB5"}) queueClick(hub, name);
  }
  // The pointer moving over the grid keeps the hourglass.
  SendMessageW(hub.grid(L"asg1").hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(hub.grid(L"asg1").hwnd()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  during->arrowSeen = during->arrowSeen || GetCursor() != LoadCursorW(nullptr, IDC_WAIT);
  during->statuses.push_back(during->hub->text(L"Edit3"));
  during->searchEnabled = during->searchEnabled || during->hub->enabled(L"BB4") || during->hub->enabled(L"BitBtnWithColor5");
  during->driveEnabled = during->driveEnabled || during->hub->enabled(L"DCB1");
  during->deleteEnabled = during->deleteEnabled || during->hub->enabled(L"bwc10");
}

TEST_F(JunkHub, WhileSearchingTheStatusShowsTheFolderAndNoOtherActionStarts) {
  // Long enough a walk for the status line to move past the root.
  for (int i = 0; i < 1000; ++i) writeSizedFile(at(L"tree\\f" + std::to_wstring(i) + L"\\x.tmp"), 1);
  DuringSearch seen;
  seen.hub = hub;
  during = &seen;
  UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, lookDuringSearch);
  search();
  KillTimer(nullptr, timer);
  during = nullptr;
  ASSERT_FALSE(seen.statuses.empty()) << "the search never let the queue run";
  EXPECT_TRUE(std::any_of(seen.statuses.begin(), seen.statuses.end(),
                          [&](const std::wstring& text) { return text.starts_with(at(L"tree\\f")); }));
  EXPECT_FALSE(seen.searchEnabled);
  EXPECT_FALSE(seen.driveEnabled);
  EXPECT_FALSE(seen.deleteEnabled);
  EXPECT_FALSE(seen.arrowSeen);
  EXPECT_TRUE(seen.pressed);
  // The queued presses started nothing: one closing message (checked by search()), rows once.
  EXPECT_EQ(rows(), 1000);
  EXPECT_EQ(hub->junkCleaner().listingTotal(), 1000u);
  pump(200);
  EXPECT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(hub->enabled(L"BB4"));
  EXPECT_TRUE(hub->enabled(L"DCB1"));
}

TEST_F(JunkHub, AManyFolderSearchListsWhatTheScannerFindsInItsOrder) {
  // 600 folders, one in five with a junk file of 1 KB, one in fifty with a dead shortcut: rows
  // come from folders all through the walk, not only where the screen happened to be updated.
  std::wstring gone = at(L"gone.txt");
  writeSizedFile(gone, 1);
  for (int i = 0; i < 600; ++i) {
    std::wstring folder = L"w\\d" + std::to_wstring(i / 30) + L"\\e" + std::to_wstring(i) + L"\\";
    writeSizedFile(at(folder + L"keep.txt"), 5);
    if (i % 5 == 0) writeSizedFile(at(folder + L"f" + std::to_wstring(i) + L".tmp"), 1024);
    if (i % 50 == 0) writeShortcut(at(folder + L"dead.lnk"), gone, 2048);
  }
  DeleteFileW(gone.c_str());
  for (const JunkPattern& pattern : kJunkPatterns) hub->setChecked(pattern.box, true);
  hub->setChecked(kLinkBox, true);

  // 120 files of 1 KB (listed as "2 KB") and 12 shortcuts of 2 KB: 147,456 bytes in all.
  EXPECT_EQ(search(), std::wstring(L"Found 145.00   KB in  132") + kMessageTail);
  JunkResults engine;
  CodedFolders folders;
  junk::JunkScanner scanner(PatternChoice::all(), folders, false, engine,
                            {[](FolderCode, const std::wstring&) {}, [](const std::wstring&) {}});
  scanner.scan(std::wstring(1, drive.letter()) + L":");
  ASSERT_EQ(rows(), 132);
  ASSERT_EQ(engine.rows.size(), 132u);
  for (int row = 1; row <= rows(); ++row) {
    const JunkRow& want = engine.rows[static_cast<std::size_t>(row - 1)];
    ASSERT_EQ(grid().cell(0, row) + L"|" + grid().cell(1, row) + L"|" + grid().cell(2, row) + L"|" + grid().cell(3, row),
              want.name + L"|" + want.path + L"|" + want.size + L"|" + want.mark) << row;
  }
  EXPECT_EQ(hub->junkCleaner().listingTotal(), 147456u);
  EXPECT_EQ(grid().cell(2, rows() + 2), L"145.00   KB");
  EXPECT_EQ(Driver::listViewRows(grid().hwnd()), rows() + 2) << "the list view shows every row";
  EXPECT_EQ(hub->text(L"Edit3"), L"");
}

TEST_F(JunkHub, SearchWithNothingFound) {
  writeSizedFile(at(L"keep.txt"), 10);
  EXPECT_EQ(search(), std::wstring(L"Found  in  0") + kMessageTail);
  EXPECT_EQ(grid().rowCount(), 3);
  EXPECT_EQ(grid().cell(0, 2), L"");
  EXPECT_TRUE(hub->enabled(L"bwc10"));
}

TEST_F(JunkHub, TotalsInMegabytesAndBeyondFourGigabytes) {
  writeSizedFile(at(L"m.tmp"), 5242880);
  EXPECT_EQ(search(), std::wstring(L"Found 5.01  MB in  1") + kMessageTail);
  writeSizedFile(at(L"huge.tmp"), 5ull << 30);
  search();
  int row = rowOf(at(L"huge.tmp"));
  ASSERT_NE(row, -1);
  EXPECT_EQ(grid().cell(2, row), L"5242881 KB");
  EXPECT_EQ(grid().cell(2, rows() + 2), L"5.01  GB");

  hub->fire(L"BB5");
  EXPECT_FALSE(fileExists(at(L"huge.tmp")));
  EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 5242881.0 + 5121);
}

TEST_F(JunkHub, ClickInDeleteColumnTogglesTheRow) {
  writeSizedFile(at(L"x.tmp"), 1);
  search();
  ASSERT_EQ(rows(), 1);
  clickCell(1, 3);
  EXPECT_EQ(grid().cell(3, 1), L"No");
  EXPECT_EQ(grid().cellColor(3, 1), RGB(255, 255, 0));
  clickCell(1, 0);  // other columns ignore the click
  EXPECT_EQ(grid().cell(3, 1), L"No");
  clickCell(1, 3);
  EXPECT_EQ(grid().cell(3, 1), L"Yes");
  EXPECT_EQ(grid().cellColor(3, 1), RGB(255, 255, 255));
  // The empty "delete?" cell of the summary row becomes "No" too: any text but "No" does.
  clickCell(3, 3);
  EXPECT_EQ(grid().cell(3, 3), L"No");
}

// The hub's grid in the 96-DPI pixels of its layout: column widths and row height.
const std::vector<int> kColumns = {135, 363, 62, 61};
constexpr int kRowHeight = 15;

std::vector<std::wstring> deleteCells(const ui::Grid& grid) {
  return {grid.cell(3, 1), grid.cell(3, 2), grid.cell(3, 3)};
}

// Where the layout at the run's scale puts the "delete?" cell of the third row, a click toggles
// that row and no other.
TEST_F(JunkHub, AClickAtAScaledCellTogglesThatRow) {
  for (const wchar_t* name : {L"a.tmp", L"b.tmp", L"c.tmp"}) writeSizedFile(at(name), 1);
  search();
  ASSERT_EQ(rows(), 3);
  clickAt(grid().hwnd(), cellPointAt(grid().hwnd(), kColumns, kRowHeight, 3, 3, testDpi()));
  EXPECT_EQ(deleteCells(grid()), (std::vector<std::wstring>{L"Yes", L"Yes", L"No"}));
}

// Moved to a monitor of another scale, the hub takes the suggested size, lays every control out
// at the new scale with fonts to match, and keeps its rows, marks and selection.
TEST_F(JunkHub, ScaledAgainTheHubKeepsItsRowsAndSelection) {
  for (const wchar_t* name : {L"a.tmp", L"b.tmp", L"c.tmp"}) writeSizedFile(at(name), 1);
  search();
  ASSERT_EQ(rows(), 3);
  HWND list = grid().hwnd();
  clickAt(list, cellPointAt(list, kColumns, kRowHeight, 1, 3, testDpi()));
  ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
  std::vector<std::wstring> names = {grid().cell(0, 1), grid().cell(0, 2), grid().cell(0, 3)};

  const int to = testDpi() >= 192 ? 144 : testDpi() + 48;  // up, or down from 200 %, as the screen holds it
  RECT suggested = {0, 0, atDpi(760, to), atDpi(488, to)};
  AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongPtrW(hub->hwnd(), GWL_STYLE)), TRUE,
                     static_cast<DWORD>(GetWindowLongPtrW(hub->hwnd(), GWL_EXSTYLE)));
  OffsetRect(&suggested, 20 - suggested.left, 10 - suggested.top);
  SendMessageW(hub->hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));

  RECT window, client;
  GetWindowRect(hub->hwnd(), &window);
  GetClientRect(hub->hwnd(), &client);
  EXPECT_TRUE(EqualRect(&window, &suggested));
  EXPECT_EQ(client.right, atDpi(760, to));
  for (const wchar_t* name : {L"Edit1", L"DCB1", L"BB4", L"CheckBox24", L"asg1"}) {
    RECT table = {};
    for (const auto& [control, bounds] : hub->layout()) {
      if (control == name) table = bounds;
    }
    std::wstring off = offTable(hub->control(name), table, to);
    EXPECT_TRUE(off.empty()) << std::string(off.begin(), off.end());
  }
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hub->control(L"Edit1"), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -std::lround(8 * to / 72.0));  // 8 points

  EXPECT_EQ(rows(), 3);
  EXPECT_EQ((std::vector<std::wstring>{grid().cell(0, 1), grid().cell(0, 2), grid().cell(0, 3)}), names);
  EXPECT_EQ(grid().selectedRows(), (std::vector<int>{2}));
  EXPECT_EQ(deleteCells(grid()), (std::vector<std::wstring>{L"No", L"Yes", L"Yes"}));
  // The grid's rows and columns follow the new scale.
  clickAt(list, cellPointAt(list, kColumns, kRowHeight, 3, 3, to));
  EXPECT_EQ(deleteCells(grid()), (std::vector<std::wstring>{L"No", L"Yes", L"No"}));
}

TEST_F(JunkHub, DeleteRemovesYesRowsAndCountsOnlyWhatWent) {
  writeSizedFile(at(L"gone.tmp"), 9500);    // "10 KB"
  writeSizedFile(at(L"kept.tmp"), 20000);   // toggled to "No"
  writeSizedFile(at(L"held.tmp"), 30000);   // held open after the search
  search();
  ASSERT_EQ(rows(), 3);
  int kept = rowOf(at(L"kept.tmp"));
  ASSERT_NE(kept, -1);
  EXPECT_EQ(grid().cell(2, rowOf(at(L"gone.tmp"))), L"10 KB");
  clickCell(kept, 3);
  double baseline = hub->accounting().baseline[static_cast<std::size_t>(hub->accounting().driveNumber)];
  {
    win::FileHandle held(CreateFileW(at(L"held.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    hub->fire(L"bwc10");
  }
  EXPECT_FALSE(fileExists(at(L"gone.tmp")));
  EXPECT_TRUE(fileExists(at(L"kept.tmp")));
  EXPECT_TRUE(fileExists(at(L"held.tmp")));
  EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 10);
  double unit = hub->accounting().unitGiga ? 1024.0 * 1024 : 1024.0;
  EXPECT_DOUBLE_EQ(hub->accounting().baseline[static_cast<std::size_t>(hub->accounting().driveNumber)],
                   baseline + 10 / unit);
  EXPECT_EQ(hub->text(L"Edit2"), L"Disk Space Recovered:    0.01 Mb  ");
  EXPECT_EQ(hub->text(L"Edit3"), L"Disk cleaned");
  EXPECT_EQ(grid().rowCount(), 2);
  EXPECT_EQ(grid().cell(0, 1), L"");
  EXPECT_FALSE(hub->enabled(L"BB5"));
  EXPECT_FALSE(hub->enabled(L"bwc10"));
  EXPECT_EQ(GetFocus(), hub->control(L"BitBtnWithColor5"));
  hub->showRecovered();
  EXPECT_EQ(hub->text(L"Edit2"), L"Disk Space Recovered:    0.01 Mb  ");
}

TEST_F(JunkHub, DeleteWithAnEmptyGridChangesNothing) {
  hub->fire(L"BB5");
  EXPECT_EQ(hub->text(L"Edit3"), L"Disk cleaned");
  EXPECT_EQ(hub->accounting().recoveredKB, 0);
  EXPECT_EQ(grid().rowCount(), 2);
}

TEST_F(JunkHub, RemovalModeFlipsFromEitherItemAndSendsToTheRecycleBin) {
  ASSERT_TRUE(hub->checked(L"Deletefiles1"));
  hub->fire(L"Deletefiles1");  // the checked item: the mode still flips
  EXPECT_FALSE(hub->checked(L"Deletefiles1"));
  EXPECT_TRUE(hub->checked(L"SenddeletedfilestoRecycledbin1"));
  EXPECT_NE(setting(L"config.TXT").find("r*1"), std::string::npos);

  writeSizedFile(at(L"recycle.tmp"), 100);
  long long before = recycleBinItems();
  search();
  hub->fire(L"BB5");
  EXPECT_FALSE(fileExists(at(L"recycle.tmp")));
  EXPECT_EQ(recycleBinItems(), before + 1);
  EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 1);

  hub->fire(L"SenddeletedfilestoRecycledbin1");
  EXPECT_TRUE(hub->checked(L"Deletefiles1"));
  EXPECT_NE(setting(L"config.TXT").find("r*0"), std::string::npos);
}

// The hub reads its drive list when it starts: the stick is in it from the start.
class JunkHubOnAStick : public HubFixture {
 protected:
  JunkHubOnAStick() {
    ship(L"config.TXT");
    hub = &startHub();
    hub->selectDrive(stick.letter());
    waitUntil([this] { return IsWindowEnabled(hub->hwnd()) != FALSE; }, 3000);
  }

  MappedDrive stick{DRIVE_REMOVABLE};
  app::Tfsweep* hub = nullptr;
};

// The bin is the undo the user chose. A drive without one (a memory stick) would lose the files
// for good: the hub asks once for that drive, and a No leaves every file as it was.
TEST_F(JunkHubOnAStick, RecycleModeAsksOnceBeforeDeletingForGoodOnADriveWithoutARecycleBin) {
  hub->fire(L"Deletefiles1");
  ASSERT_TRUE(hub->checked(L"SenddeletedfilestoRecycledbin1"));
  const std::string bytes(3000, 'k');
  const std::wstring first = stick.root() + L"first.tmp", second = stick.root() + L"deep\\second.tmp";
  const std::wstring question = L"Files on " + std::wstring(1, stick.letter()) +
                                L": cannot be sent to the recycle bin: they would be deleted for good. Delete them anyway?";
  for (int answer : {IDNO, IDYES}) {
    stick.folder().writeFile(L"first.tmp", bytes);
    stick.folder().writeFile(L"deep\\second.tmp", bytes);
    hub->fire(L"BB4");
    ASSERT_EQ(hub->junkCleaner().rowCount(), 2);
    dialogs->messages.clear();
    dialogs->answers = {answer};
    hub->fire(L"BB5");
    ASSERT_EQ(dialogs->messages.size(), 1u) << answer;
    EXPECT_EQ(dialogs->messages[0].text, question);
    EXPECT_EQ(dialogs->messages[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    if (answer == IDNO) {
      EXPECT_EQ(fileBytes(first), bytes);
      EXPECT_EQ(fileBytes(second), bytes);
      EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 0) << "what stayed is not counted";
    } else {
      EXPECT_FALSE(fileExists(first));
      EXPECT_FALSE(fileExists(second));
      EXPECT_FALSE(inRecycleBin(first));
      EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 6);
    }
  }
}

TEST_F(JunkHub, FoundFoldersAreRecordedInConfig) {
  writeSizedFile(at(L"Mozilla\\p\\prefs.js"), 1);
  writeSizedFile(at(L"Mozilla\\p\\Cache\\c.bin"), 1);
  search();
  std::string expected = "nc" + std::string(1, static_cast<char>(drive.letter())) + ":\\Mozilla\\p\\Cache";
  EXPECT_NE(setting(L"config.TXT").find(expected), std::string::npos);
  EXPECT_EQ(hub->folders()[FolderCode::nc], at(L"Mozilla\\p\\Cache"));
}

TEST_F(JunkHub, TwoHundredThousandRowsFillClickAndClear) {
  using Clock = std::chrono::steady_clock;
  app::JunkCleaner& cleaner = hub->junkCleaner();
  auto start = Clock::now();
  {
    ui::Grid::UpdateScope batch(grid());
    for (int i = 1; i <= 200000; ++i) {
      cleaner.addRow({L"f" + std::to_wstring(i) + L".tmp", L"M:\\folder\\", L"1 KB", L"Yes"});
      if (i % 100 == 0) cleaner.pump();  // as the scan lets the queue run after each folder
    }
  }
  double filled = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_EQ(Driver::listViewRows(grid().hwnd()), 200000);
  clickCell(200000, 3);
  EXPECT_EQ(grid().cell(3, 200000), L"No");
  EXPECT_EQ(Driver::listViewCell(grid().hwnd(), 199999, 0), L"f200000.tmp");
  start = Clock::now();
  hub->clearGrid();
  double cleared = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_EQ(Driver::listViewRows(grid().hwnd()), 1);
  std::printf("200000 rows: filled in %.2f s, cleared in %.2f s\n", filled, cleared);
}

}  // namespace
}  // namespace kestova::test
