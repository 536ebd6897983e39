#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "harness/driver.h"
#include "harness/fit.h"
#include "harness/hub_fixture.h"
#include "shredder/TFwipe.h"
#include "ui/application.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

using shredder::TFwipe;

class Shredder : public HubFixture {
 protected:
  TFwipe& open() {
    auto& w = app::windows();
    w.wipe = std::make_unique<TFwipe>();
    w.wipe->create();
    w.wipe->show();
    return *w.wipe;
  }
  static std::vector<std::wstring> entries(TFwipe& form) {
    std::vector<std::wstring> out;
    for (int i = 0; i < form.DnDListBox1().count(); ++i) out.push_back(form.DnDListBox1().item(i));
    return out;
  }
  TempFolder files;
};

// A real HDROP, as the shell hands it over: DROPFILES followed by the wide paths, double-ended.
HGLOBAL makeHdrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
  for (const auto& p : paths) {
    std::memcpy(text, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    text += p.size() + 1;
  }
  *text = L'\0';
  GlobalUnlock(memory);
  return memory;
}

void dropOnto(HWND list, const std::vector<std::wstring>& paths) {
  ASSERT_TRUE(PostMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(makeHdrop(paths)), 0));
  waitUntil([] { return false; }, 100);
}

// Near the far corner of the list as the layout at the run's scale places it, the window under
// the pointer is the list, and a drop there lands in it.
TEST_F(Shredder, ADropAtTheScaledListLandsInIt) {
  TFwipe& form = open();
  RECT table = {};
  for (const auto& [name, bounds] : form.layout()) {
    if (name == L"DnDListBox1") table = bounds;
  }
  ASSERT_GT(table.right, 0);
  HWND list = form.control(L"DnDListBox1");
  HWND parent = GetParent(list);
  POINT at = {atDpi(table.right, testDpi()) - 4, atDpi(table.bottom, testDpi()) - 4};
  EXPECT_EQ(ChildWindowFromPointEx(parent, at, CWP_SKIPINVISIBLE), list);
  std::wstring file = files.writeFile(L"dropped.txt", "x");
  MapWindowPoints(parent, list, &at, 1);
  HGLOBAL drop = makeHdrop({file});
  static_cast<DROPFILES*>(GlobalLock(drop))->pt = at;
  GlobalUnlock(drop);
  ASSERT_TRUE(PostMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0));
  waitUntil([&] { return form.DnDListBox1().count() > 0; }, 2000);
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{file}));
}

TEST_F(Shredder, RunShredsAFileReportsAMissingOneAndAsksBeforeAFolder) {
  TFwipe& form = open();
  std::wstring file = files.writeFile(L"secret.txt", "secret");
  std::wstring missing = files.path() + L"gone.txt";
  std::wstring folder = files.path() + L"tree";
  files.writeFile(L"tree\\inner\\a.txt", "a");
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
  form.DnDListBox1().add(file);
  form.DnDListBox1().add(missing);
  form.DnDListBox1().add(folder);
  dialogs->answers = {IDOK, IDYES};  // the missing file's message, then the folder question

  form.fire(L"BitBtnWithColor1");

  EXPECT_EQ(entries(form), (std::vector<std::wstring>{L"", missing, L""}));
  EXPECT_FALSE(fileExists(file));
  EXPECT_FALSE(fileExists(folder));
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[0].text, L"File not found : " + missing);
  EXPECT_EQ(dialogs->messages[1].text, L"Are You sure to Wipe " + folder + L" and it's subdirectory ?");
  EXPECT_EQ(dialogs->messages[1].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(form.text(L"Edit2"), L"Status : Idle");
}

TEST_F(Shredder, AnsweringNoLeavesTheFolderAndItsEntry) {
  TFwipe& form = open();
  std::wstring inner = files.writeFile(L"keep\\inner.txt", "inner");
  std::wstring folder = files.path() + L"keep";
  form.DnDListBox1().add(folder);
  dialogs->answers = {IDNO};
  form.fire(L"Delete1");
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{folder}));
  EXPECT_EQ(fileBytes(inner), "inner");
  EXPECT_EQ(dialogs->messages.size(), 1u);
}

TEST_F(Shredder, AFileThatCannotBeOpenedStaysAndReadsAsNotFound) {
  TFwipe& form = open();
  std::wstring file = files.writeFile(L"locked.txt", "locked");
  win::FileHandle other(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  form.DnDListBox1().add(file);
  form.fire(L"BitBtnWithColor1");
  other.close();
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{file}));
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"File not found : " + file);
  EXPECT_EQ(fileBytes(file), "locked");
}

TEST_F(Shredder, AFileThatCouldNotBeRemovedSaysSoAndStays) {
  TFwipe& form = open();
  std::wstring file = files.writeFile(L"stuck.txt", "stuck");
  CreateDirectoryW((files.path() + std::wstring(200, L'0')).c_str(), nullptr);
  form.DnDListBox1().add(file);
  form.fire(L"BitBtnWithColor1");
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{file}));
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"Error renaming " + file);
}

TEST_F(Shredder, AFailureInsideAFolderEndsTheRunWithItsMessage) {
  TFwipe& form = open();
  std::wstring locked = files.writeFile(L"tree\\locked.txt", "locked");
  std::wstring later = files.writeFile(L"later.txt", "later");
  win::FileHandle other(
      CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  form.DnDListBox1().add(files.path() + L"tree");
  form.DnDListBox1().add(later);
  dialogs->answers = {IDYES};
  form.fire(L"BitBtnWithColor1");
  other.close();
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[1].text, L"Error opening " + locked);
  EXPECT_EQ(fileBytes(later), "later") << "the run ended";
  EXPECT_TRUE(form.enabled(L"BitBtnWithColor1"));
}

TEST_F(Shredder, ControlsAreDisabledDuringARunAndASecondRunDoesNotStart) {
  TFwipe& form = open();
  std::wstring a = files.writeFile(L"a.bin", std::string(10000, 'a'));
  std::wstring b = files.writeFile(L"b.bin", std::string(10000, 'b'));
  form.DnDListBox1().add(a);
  form.DnDListBox1().add(b);
  SendMessageW(form.control(L"RadioGroup1Item1"), BM_CLICK, 0, 0);
  std::vector<int> passes;
  std::vector<bool> enabledDuring;
  form.setPassHook([&](int pass, HANDLE) {
    passes.push_back(pass);
    enabledDuring.push_back(form.enabled(L"BitBtnWithColor1") || form.enabled(L"Delete1") ||
                            form.enabled(L"DnDListBox1") || form.enabled(L"Clear1"));
    if (passes.size() == 1) {
      EXPECT_EQ(form.text(L"Edit2"), L"Deleting file : " + a + L"  Pass : 1");
      form.fire(L"BitBtnWithColor1");  // a second press while the first run works
      form.fire(L"SpeedButton4");
    }
  });
  form.fire(L"BitBtnWithColor1");
  EXPECT_EQ(passes, (std::vector<int>{1, 2, 3, 1, 2, 3}));  // triple pass, each file once
  EXPECT_EQ(enabledDuring, std::vector<bool>(6, false));
  EXPECT_TRUE(form.enabled(L"BitBtnWithColor1"));
  EXPECT_TRUE(form.enabled(L"Delete1"));
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{L"", L""}));
}

TEST_F(Shredder, AnEmptyListRunsWithoutAWord) {
  TFwipe& form = open();
  form.fire(L"BitBtnWithColor1");
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(form.text(L"Edit2"), L"Status : Idle");
}

TEST_F(Shredder, DialogAddsSkipDuplicatesInAnyCaseAndCancelAddsNothing) {
  TFwipe& form = open();
  std::wstring file = files.writeFile(L"Report.doc", "r");
  std::wstring upper = file;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  dialogs->fileChoices = {{file}, {upper}};
  form.fire(L"file1");
  form.fire(L"file1");
  form.fire(L"file1");  // cancelled
  dialogs->folderChoices = {files.path() + L"Tree", files.path() + L"TREE"};
  form.fire(L"folder1");
  form.fire(L"folder1");
  form.fire(L"folder1");  // cancelled
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{file, files.path() + L"Tree"}));
}

TEST_F(Shredder, RemoveKeepsTheUnselectedEntriesAndClearEmptiesTheList) {
  TFwipe& form = open();
  for (const wchar_t* p : {L"C:\\one", L"C:\\two", L"C:\\three"}) form.DnDListBox1().add(p);
  SendMessageW(form.control(L"DnDListBox1"), LB_SETCURSEL, 1, 0);
  form.fire(L"Removeitem1");
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{L"C:\\one", L"C:\\three"}));
  form.fire(L"Clear1");
  EXPECT_TRUE(entries(form).empty());
}

TEST_F(Shredder, DroppedFilesAndFoldersAreAppendedEvenTwice) {
  TFwipe& form = open();
  HWND list = form.control(L"DnDListBox1");
  EXPECT_TRUE(GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  std::wstring file = files.writeFile(L"dropped.txt", "d");
  std::wstring folder = files.path() + L"dir";
  CreateDirectoryW(folder.c_str(), nullptr);
  dropOnto(list, {file, folder});
  dropOnto(list, {file});
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{file, folder, file}));
}

TEST_F(Shredder, ADroppedNameIsReadWholeHoweverLong) {
  TFwipe& form = open();
  std::wstring longName = L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(146, L'b');
  ASSERT_EQ(longName.size(), 300u);
  dropOnto(form.control(L"DnDListBox1"), {longName});
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{longName}));
}

// A close asked for during a run lets the file being shredded finish, ends the run there and
// then hides the window with what was not shredded still listed.
TEST_F(Shredder, ClosingDuringARunStopsAfterTheFileAndHides) {
  TFwipe& form = open();
  std::wstring a = files.writeFile(L"a.bin", std::string(10000, 'a'));
  std::wstring b = files.writeFile(L"b.bin", std::string(10000, 'b'));
  form.DnDListBox1().add(a);
  form.DnDListBox1().add(b);
  bool visibleAfterClose = false;
  form.setPassHook([&](int pass, HANDLE) {
    if (pass != 1 || !form.DnDListBox1().item(0).size()) return;
    SendMessageW(form.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    visibleAfterClose = IsWindowVisible(form.hwnd()) != FALSE;
  });
  form.fire(L"BitBtnWithColor1");
  EXPECT_TRUE(visibleAfterClose);
  EXPECT_FALSE(fileExists(a));
  EXPECT_EQ(fileBytes(b), std::string(10000, 'b'));
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{L"", b}));
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_TRUE(form.enabled(L"BitBtnWithColor1"));
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(Shredder, DropEventsDecideWhatIsAdded) {
  TFwipe& form = open();
  HWND list = form.control(L"DnDListBox1");
  auto& box = form.DnDListBox1();
  std::vector<std::wstring> seen;
  int adds = 0;
  box.OnFileDropped = [&](ui::TDnDListBox&, const std::wstring& name, bool& accept) {
    seen.push_back(name);
    accept = name != L"C:\\no";
  };
  box.OnAddString = [&](ui::TDnDListBox&) { ++adds; };
  dropOnto(list, {L"C:\\yes", L"C:\\no"});
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"C:\\yes", L"C:\\no"}));
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{L"C:\\yes"}));
  EXPECT_EQ(adds, 1);
  box.AutoAdd = false;
  dropOnto(list, {L"C:\\yes"});
  EXPECT_EQ(entries(form).size(), 1u);
  EXPECT_EQ(seen.size(), 3u);
}

// The shell opens the help file in Wine's HTML help viewer, whose window has the file's title.
HWND waitForHelpWindow() {
  HWND help = nullptr;
  for (DWORD start = GetTickCount(); !help && GetTickCount() - start < 20000; Sleep(50)) {
    ui::Application::processMessages();
    help = FindWindowW(L"HH Parent", L"Kestova Help");
  }
  return help;
}

void closeHelpWindow(HWND help) {
  DWORD processId = 0;
  GetWindowThreadProcessId(help, &processId);
  win::Handle viewer(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
  PostMessageW(help, WM_CLOSE, 0, 0);
  if (viewer && WaitForSingleObject(viewer.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(viewer.get(), 0);
}

TEST_F(Shredder, F1InTheListOpensTheHelpFile) {
  ship(L"kestova.chm");
  TFwipe& form = open();
  ASSERT_EQ(FindWindowW(L"HH Parent", L"Kestova Help"), nullptr);
  PostMessageW(form.control(L"DnDListBox1"), WM_KEYDOWN, VK_F1, 0);
  HWND help = waitForHelpWindow();
  ASSERT_NE(help, nullptr);
  closeHelpWindow(help);
}

TEST_F(Shredder, ClosingHidesTheWindowWithItsListUntilTheHubShowsIt) {
  app::Tfsweep& hub = startHub();
  TFwipe& form = open();
  form.DnDListBox1().add(L"C:\\kept.txt");
  SendMessageW(form.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(form.exists());
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  hub.fire(L"Label12");
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(entries(form), (std::vector<std::wstring>{L"C:\\kept.txt"}));
}

TEST_F(Shredder, TextsFollowTheHubsLanguageOnActivation) {
  app::Tfsweep& hub = startHub();
  TFwipe& form = open();
  EXPECT_EQ(form.text(L"Label6"), L"Digital Shredder - Make files unrecoverable");
  hub.fire(L"Italiano1");
  SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form.text(L"Label6"), L"Cancellare i file per sempre");
  EXPECT_EQ(form.text(L"RadioGroup1Item0"), L"1 passa");
  EXPECT_EQ(form.text(L"Clear1"), L"Chiarire lelenco");
  hub.fire(L"Norwegian1");
  SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form.text(L"Open1"), L"&\u00E5Pner");
  EXPECT_EQ(form.text(L"RadioGroup1"), L"Data\u00F8deleggelsesalgoritme");
  RECT r;
  GetClientRect(form.hwnd(), &r);
  EXPECT_EQ(r.right, 760);
  EXPECT_EQ(r.bottom, 488);
  wchar_t title[128] = {};
  GetWindowTextW(form.hwnd(), title, 128);
  EXPECT_STREQ(title, L"Kestova :  Shredder - make files unrecoverable");
}

}  // namespace
}  // namespace kestova::test
