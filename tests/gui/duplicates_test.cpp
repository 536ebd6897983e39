// The duplicate finder's windows on a drive mapped to a temporary folder: the search into the
// grid, the progress window, marking, and Delete with the hub's removal mode and accounting.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "dupes/Tfdupg.h"
#include "dupes/Tfdups.h"
#include "harness/driver.h"
#include "harness/fit.h"
#include "harness/host_link.h"
#include "harness/hub_fixture.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "win/directory_listing.h"
#include "shredder/TFwipe.h"
#include "ui/grid.h"
#include "ui/translation.h"
#include "win/directory_listing.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

using dupes::Tfdupg;
using dupes::Tfdups;

constexpr const wchar_t* kQuickSearchEnded =
    L"Quick search ended - 500 Largest Duplicates displayed / For a full search uncheck LIMIT at duplicates screen";
constexpr const wchar_t* kDeleteQuestion = L"Delete files showed on grid marked as YES?";
constexpr const wchar_t* kEveryCopyQuestion =
    L"Every copy of some files is marked YES: they would be lost. Delete them anyway?";

class Duplicates : public HubFixture {
 protected:
  Duplicates() {
    ship(L"config.TXT");
    ship(L"capaxx.jpg");
    hub = &startHub();
    auto& w = app::windows();
    w.dups = std::make_unique<Tfdups>(w.hubLink, w.dupg);
    w.dups->create();
    w.dups->show();
    dups = w.dups.get();
    dups->selectDrive(drive.letter());
  }
  std::wstring at(const std::wstring& relative) const { return std::wstring(1, drive.letter()) + L":\\" + relative; }
  std::wstring folderCell(const std::wstring& relative) const {
    std::wstring text = std::wstring(1, drive.letter()) + L":" + (relative.empty() ? L"" : L"\\" + relative);
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
  }
  void copies(std::initializer_list<const wchar_t*> paths, std::size_t size, char fill) const {
    for (const wchar_t* path : paths) drive.folder().writeFile(path, std::string(size, fill));
  }
  ui::Grid& grid() const { return dups->grid(L"asg2"); }
  std::vector<std::wstring> column(int index) const {
    std::vector<std::wstring> cells;
    for (int row = 1; row < grid().rowCount(); ++row) cells.push_back(grid().cell(index, row));
    return cells;
  }
  int rowOf(const std::wstring& folder, const std::wstring& name) const {
    for (int row = 1; row < grid().rowCount(); ++row) {
      if (grid().cell(1, row) == folder && grid().cell(0, row) == name) return row;
    }
    return -1;
  }
  void search(bool limit = true) {
    dups->setChecked(L"CheckBox2", limit);
    dialogs->messages.clear();
    dups->fire(L"BitBtnWithColor2");
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
  void mark(int row) const {
    clickCell(row, 4);
    ASSERT_EQ(grid().cell(4, row), L"Yes");
  }

  MappedDrive drive;
  app::Tfsweep* hub = nullptr;
  Tfdups* dups = nullptr;
};

TEST_F(Duplicates, WindowsCarryTheirLayoutAndTextsInTheLanguageOfTheRun) {
  RECT client;
  GetClientRect(dups->hwnd(), &client);
  EXPECT_EQ(client.right, 752);
  EXPECT_EQ(Driver::text(dups->hwnd()), L"Kestova : Find Duplicate files ");
  EXPECT_TRUE(dups->checked(L"CheckBox2"));
  EXPECT_FALSE(dups->enabled(L"BitBtn5"));
  EXPECT_EQ(dups->text(L"Edit3"), L"Progress");
  EXPECT_EQ(dups->text(L"dcb1"), std::wstring(1, drive.letter()) + L":");
  EXPECT_EQ(dups->driveNumber(), driveNumberFor(drive.letter(), 3));
  EXPECT_EQ(column(0), std::vector<std::wstring>{L""});
  EXPECT_EQ(grid().cell(4, 0), L"Delete?");
  EXPECT_EQ(ListView_GetColumnWidth(grid().hwnd(), 1), 244);
  EXPECT_TRUE(dups->hasBackgroundPicture());

  ui::setCurrentLanguage(3);
  SendMessageW(dups->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(dups->text(L"Label3"), L"La découverte Polycopie");
  EXPECT_EQ(dups->text(L"BitBtn5"), L"&Effacer");
  copies({L"a\\f.bin", L"b\\f.bin"}, 40000, 'f');
  std::wstring memo;
  dups->setGroupHook([&](int) { memo = app::windows().dupg->text(L"Memo1"); });
  search(false);
  EXPECT_EQ(memo, L"chercher doubles\r\n\r\nquand les fins de recherche, effacer un dossier \r\n"
                  L"cliquer sur la colonne efface, et sur le bouton efface\r\n\r\n\r\n");

  // Maximised on this screen, wider than 1000 pixels: the large picture, and the columns widen once.
  ship(L"capag.jpg");
  ShowWindow(dups->hwnd(), SW_MAXIMIZE);
  HWND list = grid().hwnd();
  EXPECT_TRUE(waitUntil([&] { return ListView_GetColumnWidth(list, 1) == 444; }, 5000));
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), 150);
  RECT maximised;
  GetClientRect(list, &maximised);
  EXPECT_GT(maximised.right, 720) << "the resizer keeps the grid in proportion";
  ShowWindow(dups->hwnd(), SW_RESTORE);

  // Closing hides the window; it keeps its rows.
  SendMessageW(dups->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(dups->hwnd()));
  EXPECT_TRUE(dups->exists());
  EXPECT_EQ(grid().rowCount(), 4);
}

// A WM_CLOSE from outside (another program, a window manager) hides the finder and the shredder
// as their close boxes do, and the hub's entries show them again.
TEST_F(Duplicates, AClosedFinderOrShredderComesBackFromTheHub) {
  auto& w = app::windows();
  w.wipe = std::make_unique<shredder::TFwipe>();
  w.wipe->create();
  for (ui::Form* form : {static_cast<ui::Form*>(w.dups.get()), static_cast<ui::Form*>(w.wipe.get())}) {
    form->show();
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form->exists());
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
  }
  hub->fire(L"BitBtnWithColor4");
  hub->fire(L"BitBtnWithColor18");
  EXPECT_EQ(w.dups.get(), dups) << "the same finder, with its results";
  EXPECT_TRUE(IsWindowVisible(w.dups->hwnd()));
  EXPECT_TRUE(IsWindowVisible(w.wipe->hwnd()));
}

// What a search looks like from inside, when its first group is written.
struct Seen {
  bool actionsEnabled = true;
  bool closeEnabled = true;
  bool progressShown = false;
  bool memoShown = false;
  bool sortingShown = true;
  std::wstring gridMark;
};

// A drive plugged in after start-up is listed the next time the window is shown; the chosen drive
// stays chosen.
TEST_F(Duplicates, ADriveMappedLaterIsListedAtTheNextShow) {
  ShowWindow(dups->hwnd(), SW_HIDE);
  MappedDrive later;
  dups->show();
  SetForegroundWindow(dups->hwnd());
  pump(200);
  HWND combo = dups->control(L"dcb1");
  const std::wstring added = std::wstring(1, later.letter()) + L":";
  EXPECT_NE(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(added.c_str())),
            CB_ERR);
  wchar_t chosen[8] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(SendMessageW(combo, CB_GETCURSEL, 0, 0)),
               reinterpret_cast<LPARAM>(chosen));
  EXPECT_EQ(std::wstring(chosen), std::wstring(1, drive.letter()) + L":");
}

TEST_F(Duplicates, SearchWritesEachGroupAfterOneEmptyRowWhileItsControlsRest) {
  copies({L"big\\b.bin", L"b.bin", L"other\\b.bin"}, 300000, 'b');
  copies({L"one\\s.bin", L"two\\s.bin"}, 40000, 's');
  Seen seen;
  dups->setGroupHook([&](int groups) {
    if (groups != 1) return;
    for (const wchar_t* name : {L"BitBtnWithColor2", L"BitBtn5", L"dcb1", L"CheckBox2"}) {
      seen.actionsEnabled = seen.actionsEnabled && dups->enabled(name);
    }
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    GetMenuItemInfoW(GetSystemMenu(dups->hwnd(), FALSE), SC_CLOSE, FALSE, &item);
    seen.closeEnabled = !(item.fState & MFS_GRAYED);
    Tfdupg& progress = *app::windows().dupg;
    seen.progressShown = IsWindowVisible(progress.hwnd()) != FALSE;
    seen.memoShown = progress.visible(L"Memo1");
    seen.sortingShown = progress.visible(L"Edit1");
    // A click on a mark while the search runs is ignored.
    clickCell(2, 4);
    seen.gridMark = grid().cell(4, 2);
  });
  search(false);
  EXPECT_FALSE(seen.actionsEnabled);
  EXPECT_TRUE(seen.closeEnabled) << "the close box (and Alt+F4) can end the search";
  EXPECT_TRUE(seen.progressShown);
  EXPECT_TRUE(seen.memoShown);
  EXPECT_FALSE(seen.sortingShown);
  EXPECT_EQ(seen.gridMark, L"No");
  EXPECT_TRUE(IsWindowVisible(dups->hwnd()));

  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(column(0), (std::vector<std::wstring>{L"", L"B.BIN", L"B.BIN", L"B.BIN", L"", L"S.BIN", L"S.BIN"}));
  EXPECT_EQ(column(1)[1], folderCell(L""));
  EXPECT_EQ(column(1)[2], folderCell(L"big"));
  EXPECT_EQ(column(2)[1], L"293 Kb");
  EXPECT_EQ(column(4), (std::vector<std::wstring>{L"", L"No", L"No", L"No", L"", L"No", L"No"}));
  EXPECT_EQ(dups->text(L"Edit3"), L"");
  EXPECT_TRUE(dups->enabled(L"BitBtn5"));
  EXPECT_TRUE(dups->enabled(L"BitBtnWithColor2"));
  EXPECT_FALSE(IsWindowVisible(app::windows().dupg->hwnd()));
  EXPECT_EQ(SendMessageW(app::windows().dupg->control(L"pb1"), PBM_GETPOS, 0, 0),
            SendMessageW(app::windows().dupg->control(L"pb1"), PBM_GETRANGE, FALSE, 0));
}

TEST_F(Duplicates, LimitEndsAfterTheGroupThatTakesTheGridPastSevenHundredRows) {
  // 240 pairs, sparse: each group adds three rows, so the 234th takes the grid to 703 rows.
  for (int i = 0; i < 240; ++i) {
    std::wstring name = L"f" + std::to_wstring(i) + L".bin";
    writeSizedFile(at(L"a\\" + name), 100001);
    writeSizedFile(at(L"b\\" + name), 100001);
  }
  search(true);
  EXPECT_EQ(grid().rowCount(), 703);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, kQuickSearchEnded);
  EXPECT_TRUE(dups->enabled(L"BitBtn5"));

  search(false);
  EXPECT_EQ(grid().rowCount(), 1 + 1 + 240 * 3 - 1);
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(Duplicates, StopDuringTheComparisonKeepsTheGroupsSoFar) {
  copies({L"a\\x.bin", L"b\\x.bin"}, 60000, 'x');
  copies({L"a\\y.bin", L"b\\y.bin"}, 50000, 'y');
  copies({L"a\\z.bin", L"b\\z.bin"}, 40000, 'z');
  dups->setGroupHook([&](int groups) {
    if (groups == 2) app::windows().dupg->fire(L"BitBtnWithColor1");
  });
  search(false);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, kQuickSearchEnded);
  EXPECT_EQ(column(0), (std::vector<std::wstring>{L"", L"X.BIN", L"X.BIN", L"", L"Y.BIN", L"Y.BIN"}));
  EXPECT_TRUE(dups->enabled(L"BitBtn5"));
  EXPECT_FALSE(IsWindowVisible(app::windows().dupg->hwnd()));
}

TEST_F(Duplicates, ClosingTheWindowOrQuittingEndsTheSearchQuietly) {
  copies({L"a\\x.bin", L"b\\x.bin"}, 60000, 'x');
  copies({L"a\\y.bin", L"b\\y.bin"}, 50000, 'y');
  // The finder's own close is held until the search has stopped, then hides it.
  dups->setGroupHook([&](int) { SendMessageW(dups->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); });
  search(false);
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(column(0), (std::vector<std::wstring>{L"", L"X.BIN", L"X.BIN"}));
  pump();
  EXPECT_FALSE(IsWindowVisible(dups->hwnd()));
  EXPECT_TRUE(dups->exists());

  ui::Form::setMainWindow(hub);  // as the program's loop does
  dups->setGroupHook([&](int) { SendMessageW(hub->hwnd(), WM_CLOSE, 0, 0); });  // the user closes the hub
  search(false);
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(column(0), (std::vector<std::wstring>{L"", L"X.BIN", L"X.BIN"}));
  EXPECT_FALSE(dups->running());
  pump();
  EXPECT_FALSE(hub->exists()) << "the close held during the search is carried out after it";
}

TEST_F(Duplicates, TheCloseBoxOrStopEndsTheWalkOfAHundredThousandFilesAtTheNextFolder) {
  EmptiedOnHost emptied(drive.root());
  ASSERT_TRUE(makeHostFiles(drive.root(), 100000, L".bin"));  // a thousand folders of a hundred
  copies({L"d0\\x.bin", L"d1\\x.bin"}, 60000, 'x');  // read early in the walk, never compared
  int folders = 0;
  bool progressShown = false;
  dups->setFolderHook([&](const std::wstring&) {
    if (++folders != 200) return;
    Tfdupg& progress = *app::windows().dupg;  // made for the first search
    progressShown = IsWindowVisible(progress.hwnd()) != FALSE;
    progress.fire(L"BitBtnWithColor1");  // Stop
  });
  search(false);
  Tfdupg& progress = *app::windows().dupg;
  EXPECT_TRUE(progressShown) << "Stop is on screen during the walk";
  EXPECT_EQ(folders, 200) << "no folder is read after the one during which Stop came";
  EXPECT_EQ(grid().rowCount(), 2) << "nothing of a stopped walk is compared or listed";
  EXPECT_EQ(dups->text(L"Edit3"), L"Search stopped - no duplicates listed");
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_FALSE(IsWindowVisible(progress.hwnd()));
  EXPECT_TRUE(IsWindowVisible(dups->hwnd()));

  folders = 0;
  dups->setFolderHook([&](const std::wstring&) {
    if (++folders == 200) SendMessageW(dups->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  search(false);
  EXPECT_EQ(folders, 200);
  EXPECT_FALSE(dups->running());
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_FALSE(IsWindowVisible(progress.hwnd()));
  pump(100);
  EXPECT_FALSE(IsWindowVisible(dups->hwnd())) << "the close is carried out once the walk has stopped";
  EXPECT_TRUE(dups->exists());
}

TEST_F(Duplicates, AnErrorInTheComparisonLeavesNoProgressWindow) {
  copies({L"a\\x.bin", L"b\\x.bin"}, 60000, 'x');
  dups->setGroupHook([](int) { throw std::runtime_error("out of memory"); });
  EXPECT_THROW(search(false), std::runtime_error);
  EXPECT_FALSE(IsWindowVisible(app::windows().dupg->hwnd()));
  EXPECT_FALSE(dups->running());
  EXPECT_TRUE(dups->enabled(L"BitBtnWithColor2"));
}

TEST_F(Duplicates, TheManyFilesWarningStandsInFrontOfTheProgressWindowWhileTheWalkCanStop) {
  for (int i = 0; i < 6; ++i) copies({(L"m\\f" + std::to_wstring(i) + L".bin").c_str()}, 40000, 'm');
  copies({L"n\\x.bin", L"o\\x.bin"}, 40000, 'x');
  dups->setWarningCount(5);
  search(false);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  const auto& warning = dialogs->messages[0];
  EXPECT_EQ(warning.text,
            L"more than 250000 files with over 30 kb on disk, this search may end up with memory  error, check LIMIT on "
            L"dupe screen and try again");
  Tfdupg& progress = *app::windows().dupg;
  EXPECT_EQ(warning.owner, progress.hwnd()) << "owned by the topmost progress window, so it stands in front of it";
  EXPECT_TRUE(warning.ownerShown);
  EXPECT_TRUE(GetWindowLongPtrW(progress.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(column(0), (std::vector<std::wstring>{L"", L"X.BIN", L"X.BIN"})) << "the search goes on";
}

TEST_F(Duplicates, ABucketOfMoreFilesThanTheBudgetHoldsIsComparedWhole) {
  // 300 sparse copies of one name and size (all zeros), and one that differs in its last byte.
  for (int i = 0; i < 300; ++i) writeSizedFile(at(L"c" + std::to_wstring(i) + L"\\same.bin"), 100001);
  writeSizedFile(at(L"odd\\same.bin"), 100001);
  {
    win::FileHandle file(CreateFileW(at(L"odd\\same.bin").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    LARGE_INTEGER last;
    last.QuadPart = 100000;
    DWORD wrote = 0;
    ASSERT_TRUE(SetFilePointerEx(file.get(), last, nullptr, FILE_BEGIN));
    ASSERT_TRUE(WriteFile(file.get(), "!", 1, &wrote, nullptr));
  }
  search(false);
  EXPECT_TRUE(dialogs->messages.empty());
  ASSERT_EQ(grid().rowCount(), 2 + 300);
  for (int row = 2; row < grid().rowCount(); ++row) {
    EXPECT_EQ(grid().cell(0, row), L"SAME.BIN");
    EXPECT_NE(grid().cell(1, row), folderCell(L"odd")) << row;
  }
}

TEST_F(Duplicates, MarkingTogglesTheDeleteCellOnlyAndRefusesWindowsFolders) {
  copies({L"a\\m.bin", L"b\\m.bin"}, 40000, 'm');
  search(false);
  ASSERT_EQ(grid().rowCount(), 4);
  clickCell(2, 4);
  EXPECT_EQ(grid().cell(4, 2), L"Yes");
  EXPECT_EQ(grid().cellColor(4, 2), RGB(255, 255, 0));
  EXPECT_EQ(grid().cellColor(4, 3), RGB(255, 255, 255));
  clickCell(2, 0);
  EXPECT_EQ(grid().cell(4, 2), L"Yes");
  clickCell(2, 4);
  EXPECT_EQ(grid().cell(4, 2), L"No");
  clickCell(1, 4);  // the separator
  EXPECT_EQ(grid().cell(4, 1), L"");
  grid().setCell(4, 3, L"deleted");
  clickCell(3, 4);
  EXPECT_EQ(grid().cell(4, 3), L"No");
  EXPECT_TRUE(dialogs->messages.empty());

  grid().setCell(1, 3, L"C:\\Windows");
  clickCell(3, 4);
  EXPECT_EQ(grid().cell(4, 3), L"No");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"Windows system files cannot be deleted");
}

// Where the layout at the run's scale puts the "delete?" cell of a copy (96-DPI widths 120, 244,
// 76, 92, 48 and rows of 15), a click marks that copy and no other row.
TEST_F(Duplicates, AClickAtAScaledCellMarksThatRow) {
  copies({L"a\\m.bin", L"b\\m.bin"}, 40000, 'm');
  search(false);
  ASSERT_EQ(grid().rowCount(), 4);
  clickAt(grid().hwnd(), cellPointAt(grid().hwnd(), {120, 244, 76, 92, 48}, 15, 3, 4, testDpi()));
  EXPECT_EQ(column(4), (std::vector<std::wstring>{L"", L"No", L"Yes"}));
}

TEST_F(Duplicates, DeleteRemovesTheMarkedCopiesAndCountsWhatWentForTheSearchedDrive) {
  copies({L"keep\\a.bin", L"a.bin"}, 40000, 'a');      // the root copy goes
  copies({L"keep\\b.bin", L"gone\\b.bin"}, 50000, 'b'); // held open: stays "Yes"
  copies({L"keep\\c.bin", L"gone\\c.bin"}, 60000, 'c'); // shown with a blank separator
  search(false);
  int a = rowOf(folderCell(L""), L"A.BIN");
  int b = rowOf(folderCell(L"gone"), L"B.BIN");
  int c = rowOf(folderCell(L"gone"), L"C.BIN");
  ASSERT_TRUE(a > 0 && b > 0 && c > 0);
  mark(a);
  mark(b);
  mark(c);
  grid().setCell(2, c, L"1 234 Kb");
  grid().setCell(1, 1, L"D:");  // a root path of C: to H: is shown with its backslash afterwards
  dups->selectDrive(L'C');        // the box moves on; the searched drive is credited
  int searched = driveNumberFor(drive.letter(), 3);
  auto& accounting = hub->accounting();
  double before = accounting.baseline[static_cast<std::size_t>(searched)];
  double otherBefore = accounting.baseline[3];

  dialogs->answers = {IDNO};
  dups->fire(L"BitBtn5");
  EXPECT_TRUE(fileExists(at(L"a.bin")));
  EXPECT_EQ(grid().cell(4, a), L"Yes");
  EXPECT_EQ(accounting.recoveredKB, 0);

  dialogs->messages.clear();
  dialogs->answers = {IDYES};
  {
    win::FileHandle held(CreateFileW(at(L"gone\\b.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    dups->fire(L"BitBtn5");
  }
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, kDeleteQuestion);
  ASSERT_TRUE(dialogs->messages[0].at.has_value());
  EXPECT_EQ(dialogs->messages[0].at->x, 200);
  EXPECT_EQ(dialogs->messages[0].at->y, 200);
  EXPECT_FALSE(fileExists(at(L"a.bin")));
  EXPECT_TRUE(fileExists(at(L"keep\\a.bin")));
  EXPECT_TRUE(fileExists(at(L"gone\\b.bin")));
  EXPECT_FALSE(fileExists(at(L"gone\\c.bin")));
  EXPECT_EQ(grid().cell(4, a), L"deleted");
  EXPECT_EQ(grid().cell(1, a), folderCell(L""));
  EXPECT_EQ(grid().cell(4, b), L"Yes");
  EXPECT_EQ(grid().cell(4, c), L"deleted");
  EXPECT_EQ(grid().cell(1, 1), L"D:\\");
  EXPECT_DOUBLE_EQ(accounting.recoveredKB, 40 + 1234);
  double unit = accounting.unitGiga ? 1024.0 * 1024 : 1024.0;
  EXPECT_DOUBLE_EQ(accounting.baseline[static_cast<std::size_t>(searched)], before + 1274 / unit);
  EXPECT_EQ(accounting.baseline[3], otherBefore);
  EXPECT_EQ(hub->text(L"Edit2"), L"Disk Space Recovered:    1.24 Mb  ");

  // A deleted row marked again is gone already: nothing more is counted for it; the copy that
  // was held goes now.
  clickCell(a, 4);
  clickCell(a, 4);
  ASSERT_EQ(grid().cell(4, a), L"Yes");
  dialogs->answers = {IDYES};
  dups->fire(L"BitBtn5");
  EXPECT_EQ(grid().cell(4, a), L"Yes");
  EXPECT_EQ(grid().cell(4, b), L"deleted");
  EXPECT_DOUBLE_EQ(accounting.recoveredKB, 1274 + 49);
}

TEST_F(Duplicates, MarkingEveryCopyAsksAgainAndNoKeepsThoseGroups) {
  copies({L"x\\all.bin", L"y\\all.bin"}, 40000, 'l');
  copies({L"x\\one.bin", L"y\\one.bin"}, 50000, 'o');
  search(false);
  int all1 = rowOf(folderCell(L"x"), L"ALL.BIN");
  int all2 = rowOf(folderCell(L"y"), L"ALL.BIN");
  int one = rowOf(folderCell(L"y"), L"ONE.BIN");
  mark(all1);
  mark(all2);
  mark(one);
  dialogs->answers = {IDYES, IDNO};
  dups->fire(L"BitBtn5");
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[1].text, kEveryCopyQuestion);
  EXPECT_TRUE(dialogs->messages[1].at.has_value());
  EXPECT_TRUE(fileExists(at(L"x\\all.bin")));
  EXPECT_TRUE(fileExists(at(L"y\\all.bin")));
  EXPECT_FALSE(fileExists(at(L"y\\one.bin")));
  EXPECT_TRUE(fileExists(at(L"x\\one.bin")));

  // The last copy of a group whose other copy is deleted already: Yes removes it.
  clickCell(all1, 4);  // back to "No"
  dialogs->answers = {IDYES, IDYES};
  dups->fire(L"BitBtn5");
  EXPECT_FALSE(fileExists(at(L"y\\all.bin")));
  EXPECT_TRUE(fileExists(at(L"x\\all.bin")));
  mark(all1);
  dialogs->messages.clear();
  dialogs->answers = {IDYES, IDYES};
  dups->fire(L"BitBtn5");
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[1].text, kEveryCopyQuestion);
  EXPECT_FALSE(fileExists(at(L"x\\all.bin")));
}

TEST_F(Duplicates, DeleteLeavesWhatChangedSinceTheSearch) {
  copies({L"k1\\k.bin", L"k2\\k.bin", L"k3\\k.bin"}, 40000, 'k');  // both copies to keep change
  copies({L"m1\\m.bin", L"m2\\m.bin"}, 50000, 'm');                 // the marked copy is edited
  copies({L"g1\\g.bin", L"g2\\g.bin"}, 60000, 'g');                 // the copy to keep goes
  copies({L"d1\\d.bin", L"d2\\d.bin"}, 70000, 'd');
  search(false);
  int k = rowOf(folderCell(L"k3"), L"K.BIN");
  int m = rowOf(folderCell(L"m2"), L"M.BIN");
  int g = rowOf(folderCell(L"g2"), L"G.BIN");
  int d = rowOf(folderCell(L"d2"), L"D.BIN");
  for (int row : {k, m, g, d}) mark(row);
  ASSERT_TRUE(DeleteFileW(at(L"k1\\k.bin").c_str()));
  appendBytes(at(L"k2\\k.bin"), "edited");
  // Same length, other bytes, and a write time the search cannot have seen.
  drive.folder().writeFile(L"m2\\m.bin", std::string(50000, 'M'));
  setWriteTime(at(L"m2\\m.bin"), {2024, 3, 2, 5, 12, 0, 0, 0});
  ASSERT_TRUE(DeleteFileW(at(L"g1\\g.bin").c_str()));

  dialogs->answers = {IDYES, IDNO};
  dups->fire(L"BitBtn5");
  ASSERT_EQ(dialogs->messages.size(), 3u);
  EXPECT_EQ(dialogs->messages[1].text, kEveryCopyQuestion);
  EXPECT_EQ(dialogs->messages[2].text,
            L"2 marked files were not deleted: they or their copies changed since the search.");
  EXPECT_TRUE(fileBytes(at(L"k3\\k.bin")) == std::string(40000, 'k'));
  EXPECT_TRUE(fileBytes(at(L"m2\\m.bin")) == std::string(50000, 'M'));
  EXPECT_TRUE(fileBytes(at(L"g2\\g.bin")) == std::string(60000, 'g'));
  EXPECT_FALSE(fileExists(at(L"d2\\d.bin")));
  EXPECT_EQ(grid().cell(4, k), L"Yes");
  EXPECT_EQ(grid().cell(4, m), L"Yes");
  EXPECT_EQ(grid().cell(4, g), L"Yes");
  EXPECT_EQ(grid().cell(4, d), L"deleted");
  EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 69);
}

TEST_F(Duplicates, DeleteRemovesTheListedFileNotOneWhoseNameDiffersOnlyInCase) {
  copies({L"a\\Photo.jpg", L"b\\photo.jpg"}, 40000, 'p');
  // Beside the copy, another file whose name differs only in case, as the host's file system
  // keeps them apart.
  drive.folder().writeFile(L"a\\other.tmp", std::string(40000, 'q'));
  ASSERT_TRUE(renameOnHost(at(L"a\\other.tmp"), at(L"a\\PHOTO.JPG")));
  search(false);
  ASSERT_EQ(column(0), (std::vector<std::wstring>{L"", L"PHOTO.JPG", L"PHOTO.JPG"}));
  int copy = rowOf(folderCell(L"a"), L"PHOTO.JPG");
  mark(copy);
  dialogs->answers = {IDYES};
  dups->fire(L"BitBtn5");
  EXPECT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(grid().cell(4, copy), L"deleted");
  EXPECT_TRUE(fileBytes(at(L"a\\PHOTO.JPG")) == std::string(40000, 'q'));
  EXPECT_TRUE(fileBytes(at(L"b\\photo.jpg")) == std::string(40000, 'p'));
  std::vector<std::wstring> left;
  for (const auto& entry : win::readDirectory(at(L"a"))) {
    if (!entry.isDots()) left.push_back(entry.name);
  }
  EXPECT_EQ(left, std::vector<std::wstring>{L"PHOTO.JPG"});
  EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 40);
}

TEST_F(Duplicates, TheRecycleBinModeSendsTheCopyToTheBin) {
  hub->fire(L"SenddeletedfilestoRecycledbin1");
  ASSERT_FALSE(hub->checked(L"Deletefiles1"));
  // A name outside Windows-1252, shown upper-cased, still finds its file.
  copies({L"x\\r\u00E9sum\u00E9 \u03B4.bin", L"y\\r\u00E9sum\u00E9 \u03B4.bin"}, 40000, 'r');
  search(false);
  mark(rowOf(folderCell(L"y"), L"R\u00C9SUM\u00C9 \u0394.BIN"));
  long long before = recycleBinItems();
  dialogs->answers = {IDYES};
  dups->fire(L"BitBtn5");
  EXPECT_FALSE(fileExists(at(L"y\\r\u00E9sum\u00E9 \u03B4.bin")));
  EXPECT_TRUE(fileExists(at(L"x\\r\u00E9sum\u00E9 \u03B4.bin")));
  EXPECT_EQ(recycleBinItems(), before + 1);
  EXPECT_DOUBLE_EQ(hub->accounting().recoveredKB, 40);
}

}  // namespace
}  // namespace kestova::test
