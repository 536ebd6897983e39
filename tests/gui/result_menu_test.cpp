// Copy and Export of the result grids and of the registry cleaner's list, through the real
// windows: the context menu opened by the mouse and the keys, the clipboard and the file read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>

#include "app/JunkCleaner.h"
#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "core/text_codec.h"
#include "dupes/Tfdups.h"
#include "harness/driver.h"
#include "harness/file_holder.h"
#include "harness/hub_fixture.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "harness/queue_probe.h"
#include "harness/temp_folder.h"
#include "harness/test_keys.h"
#include "registry/TMainForm.h"
#include "registry/regequiv.h"
#include "spyware/Tfspy.h"
#include "stats/Tfstat.h"
#include "ui/application.h"
#include "ui/grid.h"

namespace kestova::test {
namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";

std::wstring clipboardText() {
  std::wstring text = L"(nothing on the clipboard)";
  if (!OpenClipboard(nullptr)) return L"(the clipboard cannot be opened)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void clearClipboard() {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
}

// The modifier keys as the thread sees them while this lives.
class KeysHeld {
 public:
  explicit KeysHeld(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    for (int key : keys) state[key] |= 0x80;
    SetKeyboardState(state);
  }
  KeysHeld(const KeysHeld&) = delete;
  KeysHeld& operator=(const KeysHeld&) = delete;
  ~KeysHeld() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256] = {};
};

// Key messages to the control, given the focus; the queue runs later.
void postKeys(HWND control, std::initializer_list<std::pair<UINT, WORD>> keys) {
  SetFocus(control);
  for (auto [message, key] : keys) PostMessageW(control, message, key, message == WM_KEYUP ? 0xC0000001 : 0);
}
void pressCtrlC(HWND control) {
  KeysHeld ctrl({VK_CONTROL});
  postKeys(control, {{WM_KEYDOWN, 'C'}});
  ui::Application::processMessages();
}
void postMenuKey(HWND control) { postKeys(control, {{WM_KEYDOWN, VK_APPS}, {WM_KEYUP, VK_APPS}}); }
void postRightClick(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  PostMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
               MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

// `open` posts what opens the menu; from inside the menu's own loop the item of `mnemonic` is
// chosen as a key press would. Returns the two items as the open menu showed them, enabled, or
// nothing when no menu was up.
std::wstring chooseFromMenu(ui::Form& form, wchar_t mnemonic, const std::function<void()>& open) {
  std::wstring shown;
  open();
  QueueProbe probe([&] {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu) && form.enabled(L"Copy1") && form.enabled(L"Export1")) {
      shown = form.text(L"Copy1") + L"|" + form.text(L"Export1");
    }
    PostMessageW(form.hwnd(), WM_CHAR, mnemonic, 0);
  });
  ui::Application::processMessages();
  return shown;
}

std::wstring today() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  wchar_t text[16];
  swprintf(text, 16, L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
  return text;
}

bool endsWith(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class ResultMenus : public HubFixture {
 protected:
  ResultMenus() { ship(L"config.TXT"); }

  app::Tfsweep& hubOn(const MappedDrive& drive) {
    app::Tfsweep& hub = startHub();
    hub.selectDrive(drive.letter());
    waitUntil([&] { return IsWindowEnabled(hub.hwnd()) != FALSE; }, 3000);
    SetForegroundWindow(hub.hwnd());
    return hub;
  }
  // Export chosen from the window's menu item, into `file`.
  void exportTo(ui::Form& form, const std::wstring& file) {
    dialogs->saveChoices.push_back(file);
    form.fire(L"Export1");
  }
  std::wstring copyOf(ui::Form& form) {
    clearClipboard();
    form.fire(L"Copy1");
    return clipboardText();
  }

  TempFolder output;
};

TEST_F(ResultMenus, TheHubsSearchIsCopiedAndExportedByMouseAndKeysAsTheGridShowsIt) {
  MappedDrive drive;
  writeSizedFile(drive.root() + L"d\u0416,1\\in,voice \u4E2D\u0416.tmp", 1024);
  app::Tfsweep& hub = hubOn(drive);
  hub.fire(L"BB4");
  HWND grid = hub.grid(L"asg1").hwnd();
  const std::wstring path = std::wstring(1, drive.letter()) + L":\\d\u0416,1\\";
  const std::wstring header = L"name\tpath\tsize\tdelete?\r\n";
  const std::wstring found = L"in,voice \u4E2D\u0416.tmp\t" + path + L"\t2 KB\tYes\r\n";
  const std::wstring rest = L"\t\t\t\r\nTotal space :\t    =    \t2.00   KB\t\r\n";

  // A right-click opens the menu; Copy takes every row when none is selected.
  clearClipboard();
  EXPECT_EQ(chooseFromMenu(hub, L'c', [&] { postRightClick(grid); }), L"&Copy|&Export...");
  EXPECT_EQ(clipboardText(), header + found + rest);

  // Ctrl+C on the grid takes the selected row only.
  ListView_SetItemState(grid, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  clearClipboard();
  pressCtrlC(grid);
  EXPECT_EQ(clipboardText(), header + found);
  clearClipboard();
  EXPECT_NE(chooseFromMenu(hub, L'c', [&] { postRightClick(ListView_GetHeader(grid)); }), L"") << "from the headers";
  EXPECT_EQ(clipboardText(), header + found);

  // Shift+F10 opens the menu too; Export writes every row, selected or not.
  const std::wstring file = output.path() + L"hub.csv";
  dialogs->saveChoices.push_back(file);
  {
    KeysHeld shift({VK_SHIFT});
    EXPECT_NE(chooseFromMenu(hub, L'e', [&] { postKeys(grid, {{WM_SYSKEYDOWN, VK_F10}}); }), L"");
  }
  ASSERT_EQ(dialogs->saveRequests.size(), 1u);
  EXPECT_EQ(dialogs->saveRequests[0].title, L"Export results");
  EXPECT_EQ(dialogs->saveRequests[0].filter, std::wstring(L"CSV files (*.csv)\0*.csv\0", 24));
  EXPECT_TRUE(endsWith(dialogs->saveRequests[0].file, L"\\Kestova Free disk space " + today() + L".csv"))
      << toCp1252(dialogs->saveRequests[0].file);
  const std::string letter(1, static_cast<char>(drive.letter()));
  EXPECT_EQ(fileBytes(file), std::string(kBom) + "name,path,size,delete?\r\n" +
                                 "\"in,voice \xE4\xB8\xAD\xD0\x96.tmp\",\"" + letter + ":\\d\xD0\x96,1\\\",2 KB,Yes\r\n" +
                                 ",,,\r\nTotal space :,    =    ,2.00   KB,\r\n");
  EXPECT_EQ(dialogs->messages.size(), 1u) << "only the search's closing message";

  // In German the menu and the dialog's title follow the language; the context-menu key opens it.
  hub.fire(L"Deutsch1");
  EXPECT_EQ(chooseFromMenu(hub, L'e', [&] { postMenuKey(grid); }), L"&Kopieren|&Exportieren...");
  ASSERT_EQ(dialogs->saveRequests.size(), 2u);
  EXPECT_EQ(dialogs->saveRequests[1].title, L"Ergebnisse exportieren");
}

TEST_F(ResultMenus, TwoHundredThousandHubRowsExportWhileTheQueueRunsAndAHeldTargetStaysAsItWas) {
  MappedDrive drive;
  app::Tfsweep& hub = hubOn(drive);
  app::JunkCleaner& cleaner = hub.junkCleaner();
  std::string expected = std::string(kBom) + "name,path,size,delete?\r\n";
  {
    ui::Grid::UpdateScope batch(hub.grid(L"asg1"));
    for (int i = 1; i <= 200000; ++i) {
      std::wstring n = std::to_wstring(i);
      cleaner.addRow({L"f" + n + L",\u0416.tmp", L"M:\\folder\\", n + L" KB", L"Yes"});
      expected += "\"f" + std::string(n.begin(), n.end()) + ",\xD0\x96.tmp\",M:\\folder\\," +
                  std::string(n.begin(), n.end()) + " KB,Yes\r\n";
    }
  }

  // A target another program holds open without sharing: the message names it, the old file
  // stays byte for byte, and no temporary file is left beside it.
  const std::wstring held = output.path() + L"held.csv";
  const std::string old = "old,file\r\nkept\r\n";
  output.writeFile(L"held.csv", old);
  {
    FileHolder holder(held);
    exportTo(hub, held);
  }
  ASSERT_EQ(dialogs->messages.size(), 1u);
  const std::wstring& message = dialogs->messages[0].text;
  EXPECT_EQ(message.rfind(L"Cannot write \"" + held + L"\": ", 0), 0u) << toCp1252(message);
  EXPECT_TRUE(endsWith(message, L" The file was left as it was.")) << toCp1252(message);
  EXPECT_EQ(fileBytes(held), old);
  EXPECT_EQ(treeBytes(output.path()).size(), 1u) << "a temporary file was left";

  // The export lets the queue run: a close asked for during it waits for its end.
  const std::wstring file = output.path() + L"all.csv";
  bool busyDuring = false, fileDuring = true, hourglassDuring = false;
  HWND window = hub.hwnd();
  QueueProbe probe([&] {
    busyDuring = hub.busy();
    hourglassDuring = GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
    fileDuring = fileExists(file);
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  exportTo(hub, file);
  EXPECT_TRUE(probe.ran());
  EXPECT_TRUE(busyDuring);
  EXPECT_TRUE(hourglassDuring);
  EXPECT_FALSE(fileDuring) << "the file is there only once it is complete";
  EXPECT_TRUE(IsWindow(window)) << "the close waited for the export";
  EXPECT_TRUE(fileBytes(file) == expected) << "the export differs from the grid's 200000 rows";
  pump(200);
  EXPECT_FALSE(IsWindow(window)) << "the close was carried out once the export ended";
}

TEST_F(ResultMenus, TheDuplicatesAndStatisticsGridsCopyAndExportWhatTheyShow) {
  wchar_t thousands[8] = L",", decimal[8] = L".";
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, 8);
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
  ASSERT_EQ(std::wstring(thousands) + decimal, L",.") << "the expected texts are written for this locale";
  MappedDrive drive;
  ship(L"capaxx.jpg");
  hubOn(drive);
  drive.folder().writeFile(L"X\u4E2D\\A,B \u0416.BIN", std::string(1300000, 'z'));
  drive.folder().writeFile(L"Y\\A,B \u0416.BIN", std::string(1300000, 'z'));
  auto& w = app::windows();
  w.dups = std::make_unique<dupes::Tfdups>(w.hubLink, w.dupg);
  w.dups->create();
  w.dups->show();
  dupes::Tfdups& dups = *w.dups;
  dups.selectDrive(drive.letter());
  dups.setChecked(L"CheckBox2", false);
  dups.fire(L"BitBtnWithColor2");
  ui::Grid& grid = dups.grid(L"asg2");
  ASSERT_EQ(grid.rowCount(), 4);
  const std::wstring root = std::wstring(1, drive.letter()) + L":";
  const std::wstring date = grid.cell(3, 2);  // the locale's short date: another test's concern
  const std::string date8(date.begin(), date.end());
  EXPECT_EQ(copyOf(dups), L"Name\tPath\tSize\tDate\tDelete?\r\n\t\t\t\t\r\n" +
                              (L"A,B \u0416.BIN\t" + root + L"\\X\u4E2D\t1,270 Kb\t" + date + L"\tNo\r\n") +
                              (L"A,B \u0416.BIN\t" + root + L"\\Y\t1,270 Kb\t" + date + L"\tNo\r\n"));
  const std::wstring file = output.path() + L"dups.csv";
  exportTo(dups, file);
  const std::string root8 = std::string(1, static_cast<char>(drive.letter())) + ":";
  EXPECT_EQ(fileBytes(file), std::string(kBom) + "Name,Path,Size,Date,Delete?\r\n,,,,\r\n" +
                                 "\"A,B \xD0\x96.BIN\"," + root8 + "\\X\xE4\xB8\xAD,\"1,270 Kb\"," + date8 + ",No\r\n" +
                                 "\"A,B \xD0\x96.BIN\"," + root8 + "\\Y,\"1,270 Kb\"," + date8 + ",No\r\n");
  EXPECT_TRUE(endsWith(dialogs->saveRequests.back().file, L"\\Kestova Find Duplicate files " + today() + L".csv"));

  MappedDrive disk;
  writeSizedFile(disk.root() + L"a,b\u0416\\big.dat", 1024ull << 20);
  w.statistics = std::make_unique<stats::Tfstat>(w.hubLink);
  w.statistics->create();
  w.statistics->show();
  stats::Tfstat& statistics = *w.statistics;
  statistics.chooseDrive(disk.letter());
  statistics.fire(L"BitBtnWithColor4");
  SendMessageW(statistics.control(L"RG2Item1"), BM_CLICK, 0, 0);  // the folders view
  EXPECT_EQ(copyOf(statistics), L"Directory Name\tQuantity\tTotal Size\r\n" + std::wstring(1, disk.letter()) +
                                    L":\\a,b\u0416\t1\t1,024.00 Mb\r\n");
  const std::wstring folders = output.path() + L"stats.csv";
  exportTo(statistics, folders);
  EXPECT_EQ(fileBytes(folders), std::string(kBom) + "Directory Name,Quantity,Total Size\r\n\"" +
                                    std::string(1, static_cast<char>(disk.letter())) + ":\\a,b\xD0\x96\",1,\"1,024.00 Mb\"\r\n");
}

TEST_F(ResultMenus, TheRegistryResultsAndThePestGridCopyAndExportWhatTheyShow) {
  static const bool equivalents = (registry::InitializeKeyEquivalents(), true);
  (void)equivalents;
  std::wstring name = uniqueKeyName(L"Export");
  std::wstring folder = name + L"gone";
  for (auto& c : folder) c = static_cast<wchar_t>(towlower(c));
  TestKey key(HKEY_CURRENT_USER, L"Software\\" + name);
  key.setString(L"v,\"1\"\u4E2D", L"C:\\" + folder + L"\\one.txt");
  registry::TMainForm form;
  form.create();
  form.show();
  form.setText(L"ebNow", folder);
  form.fire(L"sbSearchE");
  clearClipboard();
  form.fire(L"Copy1");
  EXPECT_EQ(clipboardText(), L"(nothing on the clipboard)") << "copied while the search still reports";
  form.waitForSearch();
  ASSERT_EQ(form.errors().Results.size(), 1u);
  form.fire(L"Button2");
  HWND list = form.control(L"lbResults");
  const std::wstring keyText = form.errors().Results[0].Key;  // the key's spelling is another test's concern
  const std::wstring row = L"1\t" + keyText + L"\tv,\"1\"\u4E2D   Error : File not found\tC:\\" + folder + L"\\one.txt\r\n";
  // The search leaves its last result selected: Copy takes it, the context-menu key opens the menu.
  clearClipboard();
  EXPECT_NE(chooseFromMenu(form, L'c', [&] { postMenuKey(list); }), L"");
  EXPECT_EQ(clipboardText(), L"No.\tKey\tVal\tDat\r\n" + row);
  const std::wstring file = output.path() + L"registry.csv";
  exportTo(form, file);
  const std::string key8(keyText.begin(), keyText.end());
  const std::string folder8(folder.begin(), folder.end());
  EXPECT_EQ(fileBytes(file), std::string(kBom) + "No.,Key,Val,Dat\r\n1," + key8 +
                                 ",\"v,\"\"1\"\"\xE4\xB8\xAD   Error : File not found\",C:\\" + folder8 + "\\one.txt\r\n");
  EXPECT_TRUE(endsWith(dialogs->saveRequests.back().file, L"\\Kestova Fix PC errors " + today() + L".csv"));

  TestKey base(HKEY_CURRENT_USER, L"Software\\" + uniqueKeyName(L"ExportSpy"));
  spyware::BlockRoots roots{{HKEY_CURRENT_USER, base.path() + L"\\MachineP3P"},
                            {HKEY_CURRENT_USER, base.path() + L"\\UserP3P"},
                            {HKEY_CURRENT_USER, base.path() + L"\\ActiveX"}};
  writeSetting(L"SPY.TXT", "{11111111-2222-3333-4444-555555555555}  Tool, \"Bar\" \xCB\r\n");
  spyware::Tfspy spy(roots);
  spy.create();
  spy.show();
  HWND pests = spy.grid(L"as1").hwnd();
  const std::wstring pest = L"Tool, \"Bar\" \u00CB    --> {11111111-2222-3333-4444-555555555555}";
  clearClipboard();
  pressCtrlC(pests);
  EXPECT_EQ(clipboardText(), L"Pest Name --> Clsid\tType\tProtected?\r\n" + pest + L"\tSpyware/Adware\tNO\r\n\t\t\r\n");
  const std::wstring list8 = output.path() + L"pests.csv";
  exportTo(spy, list8);
  EXPECT_EQ(fileBytes(list8), std::string(kBom) + "Pest Name --> Clsid,Type,Protected?\r\n" +
                                  "\"Tool, \"\"Bar\"\" \xC3\x8B    --> {11111111-2222-3333-4444-555555555555}\"," +
                                  "Spyware/Adware,NO\r\n,,\r\n");
}

}  // namespace
}  // namespace kestova::test
