#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "core/text_codec.h"
#include "harness/file_holder.h"
#include "harness/driver.h"
#include "harness/http_server.h"
#include "harness/hub_fixture.h"
#include "harness/test_keys.h"
#include "registry/rdfuncs.h"
#include "spyware/Tfspy.h"
#include "spyware/pest_registry.h"
#include "ui/grid.h"
#include "ui/url_label.h"
#include "win/error.h"

namespace kestova::test {
namespace {

using kestova::PestKind;
using spyware::Tfspy;

// "{xxxxxxxx-0000-0000-0000-000000000000}  Pest n" lines, n counted from `first`.
std::string activeXLines(int count, int first = 0) {
  std::string out;
  for (int i = first; i < first + count; ++i) {
    char id[64];
    std::snprintf(id, sizeof id, "{%08X-0000-4000-8000-00000000ABCD}  Pest %d\r\n", i, i);
    out += id;
  }
  return out;
}

class Spyware : public HubFixture {
 protected:
  Spyware()
      : base(HKEY_CURRENT_USER, L"Software\\" + uniqueKeyName(L"SpyWindow")),
        roots{{HKEY_CURRENT_USER, base.path() + L"\\MachineP3P"},
              {HKEY_CURRENT_USER, base.path() + L"\\UserP3P"},
              {HKEY_CURRENT_USER, base.path() + L"\\ActiveX"}} {}
  ~Spyware() override {
    form.reset();
    WritePrivateProfileStringW(L"Update", nullptr, nullptr, registry::SettingsFilePath().c_str());
  }
  Tfspy& open() {
    form = std::make_unique<Tfspy>(roots);
    form->create();
    form->show();
    return *form;
  }
  std::wstring cell(int column, int row) const { return form->grid(L"as1").cell(column, row); }
  int rows() const { return form->grid(L"as1").rowCount(); }
  std::vector<std::wstring> texts() {
    std::vector<std::wstring> out;
    for (const auto& m : dialogs->messages) out.push_back(m.text);
    return out;
  }

  TestKey base;
  spyware::BlockRoots roots;
  std::unique_ptr<Tfspy> form;
};

TEST_F(Spyware, OpeningListsEveryFileWithKeysForTheFirstTwoAndCountsEveryLine) {
  writeSetting(L"SPY.TXT", "{11111111-2222-3333-4444-555555555555}  Toolbar One\r\n\r\n");
  writeSetting(L"SPY2.TXT", "ads.example.com\r\n");
  writeSetting(L"SPY3.TXT", "{66666666-2222-3333-4444-555555555555}  Dialer Two\r\n");
  writeSetting(L"SPY4.TXT", " spaced.example.com \n\n\n");
  spyware::PrepareBlockRoots(roots);
  ASSERT_TRUE(spyware::BlockPest(PestKind::Cookie, L"ads.example.com", roots));

  Tfspy& window = open();

  EXPECT_EQ(Driver::text(window.hwnd()), L"Kestova : Block Spyware");
  RECT client;
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, 760);
  EXPECT_EQ(client.bottom, 488);
  EXPECT_EQ(cell(0, 0), L"Pest Name --> Clsid");
  EXPECT_EQ(cell(1, 0), L"Type");
  EXPECT_EQ(cell(2, 0), L"Protected?");
  ASSERT_EQ(rows(), 6);
  EXPECT_EQ(cell(0, 1), L"Toolbar One    --> {11111111-2222-3333-4444-555555555555}");
  EXPECT_EQ(cell(1, 1), L"Spyware/Adware");
  EXPECT_EQ(cell(2, 1), L"NO");
  EXPECT_EQ(cell(0, 2), L"ads.example.com");
  EXPECT_EQ(cell(1, 2), L"Cookie");
  EXPECT_EQ(cell(2, 2), L"YES");
  EXPECT_EQ(cell(0, 3), L"Dialer Two");
  EXPECT_EQ(cell(0, 4), L" spaced.example.com ");
  EXPECT_EQ(cell(0, 5), L"");
  EXPECT_EQ(window.text(L"Edit1"), L" Number of itens  : -3");  // 7 lines
  EXPECT_EQ(window.urlLabel(L"Label3").style(), LinkStyle::Link);
}

TEST_F(Spyware, WithoutListsTheGridIsEmptyAndTheFigureNegative) {
  Tfspy& window = open();
  EXPECT_EQ(rows(), 2);
  EXPECT_EQ(window.text(L"Edit1"), L" Number of itens  : -10");
}

TEST_F(Spyware, BlockAnnouncesOnlyMoreThanTenItemsAndRefreshesTheGrid) {
  writeSetting(L"SPY.TXT", activeXLines(6));
  writeSetting(L"SPY2.TXT", "a.example.com\r\nb.example.com\r\nc.example.com\r\nd.example.com\r\n");
  Tfspy& window = open();
  window.fire(L"BitBtnWithColor1");  // 10 items
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(cell(0, 1), L"Pest 0");
  EXPECT_EQ(cell(2, 1), L"YES");
  EXPECT_EQ(cell(2, 10), L"YES");
  EXPECT_EQ(window.text(L"Edit1"), std::wstring(50, L' ') + L"Number of Items  : 0");

  writeSetting(L"SPY3.TXT", activeXLines(1, 100));
  window.fire(L"BitBtnWithColor1");  // 11, all but one already protected: each still counts
  EXPECT_EQ(texts(), (std::vector<std::wstring>{L"Kestova is now protecting your computer of: 1  Pests"}));
  EXPECT_TRUE(window.enabled(L"BitBtnWithColor1"));
}

TEST_F(Spyware, UnblockAnnouncesFromTwentyTwoRemovedItems) {
  writeSetting(L"SPY.TXT", activeXLines(20));
  writeSetting(L"SPY2.TXT", "a.example.com\r\n");
  Tfspy& window = open();
  window.fire(L"BitBtnWithColor1");
  dialogs->messages.clear();
  window.fire(L"Label3");  // 21 removed
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(cell(2, 1), L"NO");

  writeSetting(L"SPY4.TXT", "b.example.com\r\n");
  window.fire(L"BitBtnWithColor1");
  dialogs->messages.clear();
  window.fire(L"Label3");  // 22 removed
  EXPECT_EQ(texts(), (std::vector<std::wstring>{L"Kestova removed protection against all Pests"}));
}

// A standard user cannot write the machine's keys. Wine lets every program write them, so the
// machine's root stands below a volatile key, where Wine refuses to make a lasting one.
TEST_F(Spyware, WithoutRightsToTheMachineKeysTheWindowSaysSoAndBlockAndUnblockChangeNothing) {
  TestKey volatileKey(HKEY_CURRENT_USER, base.path() + L"\\Volatile", REG_OPTION_VOLATILE);
  roots.activeX.path = volatileKey.path() + L"\\ActiveX";
  writeSetting(L"SPY.TXT", activeXLines(2));
  writeSetting(L"SPY2.TXT", "a.example.com\r\n");
  const std::wstring rights = L"Blocking needs administrator rights: start Kestova with Run as administrator";
  Tfspy& window = open();
  EXPECT_TRUE(window.visible(L"Label7"));
  EXPECT_EQ(window.text(L"Label7"), rights);
  EXPECT_EQ(cell(0, 2), L"Pest 1    --> {00000001-0000-4000-8000-00000000ABCD}") << "the grid is filled as always";
  window.fire(L"BitBtnWithColor1");
  window.fire(L"Label3");
  EXPECT_EQ(texts(), (std::vector<std::wstring>{rights, rights}));
  EXPECT_FALSE(win::RegistryKey::open(HKEY_CURRENT_USER, roots.userP3P.path).has_value()) << "Block ran";
  EXPECT_FALSE(win::RegistryKey::open(HKEY_CURRENT_USER, roots.machineP3P.path).has_value())
      << "the test left the root it made";
}

TEST_F(Spyware, WithRightsTheNoticeStaysHidden) {
  Tfspy& window = open();
  EXPECT_FALSE(window.visible(L"Label7"));
  EXPECT_FALSE(win::RegistryKey::open(HKEY_CURRENT_USER, roots.activeX.path).has_value())
      << "the test left the root it made";
}

// What the count field read each time the test's timer ran.
struct Watch {
  static inline Tfspy* window = nullptr;
  static inline std::vector<std::wstring> seen;
  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) { seen.push_back(window->text(L"Edit1")); }
};

// Long lists take a while: the window's queue runs during a pass, while the count field tells
// how far it is. A message posted before the press is handled inside the pass.
TEST_F(Spyware, APassLetsTheQueueRunAndShowsHowFarItIs) {
  writeSetting(L"SPY.TXT", activeXLines(50));
  writeSetting(L"SPY2.TXT", "a.example.com\r\n");
  Tfspy& window = open();
  Watch::window = &window;
  Watch::seen.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Watch::tick);
  Sleep(50);  // the timer is due before the pass starts
  window.fire(L"BitBtnWithColor1");
  KillTimer(nullptr, timer);
  ASSERT_FALSE(Watch::seen.empty()) << "no message ran during the pass";
  EXPECT_EQ(Watch::seen.front(), L"1 / 51");
  EXPECT_EQ(cell(2, 50), L"YES");
}

TEST_F(Spyware, AMissingFirstListStopsBlockButTheGridStillShowsTheState) {
  writeSetting(L"SPY2.TXT", "a.example.com\r\n");
  Tfspy& window = open();
  EXPECT_THROW(window.fire(L"BitBtnWithColor1"), win::Error);
  EXPECT_EQ(window.text(L"Edit1"), std::wstring(50, L' ') + L"Number of Items  : -9");
  EXPECT_TRUE(window.enabled(L"BitBtnWithColor1"));
  EXPECT_TRUE(window.enabled(L"Label3"));
  EXPECT_FALSE(window.running());
}

class ListUpdate : public Spyware {
 protected:
  ListUpdate() {
    server.configureUpdateServer(registry::SettingsFilePath());
    writeSetting(L"SPY3.TXT", "{AAAAAAAA-2222-3333-4444-555555555555}  Old\r\n");
    writeSetting(L"SPY4.TXT", "old.example.com\r\n");
  }
  void expectOldLists() const {
    EXPECT_EQ(setting(L"SPY3.TXT"), "{AAAAAAAA-2222-3333-4444-555555555555}  Old\r\n");
    EXPECT_EQ(setting(L"SPY4.TXT"), "old.example.com\r\n");
  }
  LoopbackServer server;
};

TEST_F(ListUpdate, ANewVersionReplacesBothListsWithCrLfAndClosesTheWindow) {
  server.put(L"version.txt", "2010\n");
  server.put(L"SPY3.TXT", "{BBBBBBBB-2222-3333-4444-555555555555}  New\n{CCCCCCCC-2222-3333-4444-555555555555}  Other");
  server.put(L"SPY4.TXT", "new.example.com\rtrack.example.com\n");
  Tfspy& window = open();
  window.fire(L"UpdateSpywareList1");
  EXPECT_EQ(texts(), (std::vector<std::wstring>{L"Connect to Internet before clicking OK!",
                                                L"Database Updated - reopen Spyware screen to reload database"}));
  EXPECT_EQ(setting(L"SPY3.TXT"),
            "{BBBBBBBB-2222-3333-4444-555555555555}  New\r\n{CCCCCCCC-2222-3333-4444-555555555555}  Other\r\n");
  EXPECT_EQ(setting(L"SPY4.TXT"), "new.example.com\r\ntrack.example.com\r\n");
  WIN32_FIND_DATAW found;
  HANDLE leftovers = FindFirstFileW((programFolder.path() + L"spy*.tmp").c_str(), &found);
  EXPECT_EQ(leftovers, INVALID_HANDLE_VALUE) << "a temporary list stayed behind";
  if (leftovers != INVALID_HANDLE_VALUE) FindClose(leftovers);
  waitUntil([&] { return !window.exists(); }, 3000);
  EXPECT_FALSE(window.exists());
}

TEST_F(ListUpdate, TheCurrentVersionDownloadsNothing) {
  server.put(L"version.txt", "2009\r\nanything");
  server.put(L"SPY3.TXT", "{BBBBBBBB-2222-3333-4444-555555555555}  New\r\n");
  Tfspy& window = open();
  window.fire(L"UpdateSpywareList1");
  EXPECT_EQ(texts(), (std::vector<std::wstring>{L"Connect to Internet before clicking OK!", L"No update is available"}));
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].rfind("/version.txt ", 0), 0u);
  expectOldLists();
  EXPECT_TRUE(window.exists());
}

TEST_F(ListUpdate, AFailedOrInvalidSecondListLeavesBothFiles) {
  server.put(L"version.txt", "2010\r\n");
  server.put(L"SPY3.TXT", "{BBBBBBBB-2222-3333-4444-555555555555}  New\r\n");
  Tfspy& window = open();
  try {
    window.fire(L"UpdateSpywareList1");
    ADD_FAILURE() << "a missing list was taken";
  } catch (const win::Error& e) {
    EXPECT_EQ(e.text(), L"Cannot open URL " + server.url(L"/SPY4.TXT"));
  }
  expectOldLists();

  server.put(L"SPY4.TXT", "<html><body>Moved</body></html>\r\n");
  try {
    window.fire(L"UpdateSpywareList1");
    ADD_FAILURE() << "an HTML page was taken for a list";
  } catch (const win::Error& e) {
    EXPECT_EQ(e.text(), L"Downloaded list is not valid: " + server.url(L"/SPY4.TXT"));
  }
  expectOldLists();
  EXPECT_TRUE(window.enabled(L"BitBtnWithColor1"));
}

// The second list cannot be replaced while another program holds it: the first new list is
// taken back, so the two lists never come from two versions.
TEST_F(ListUpdate, WhenTheSecondListCannotBeReplacedTheFirstGoesBackToTheOldOne) {
  server.put(L"version.txt", "2010\r\n");
  server.put(L"SPY3.TXT", "{BBBBBBBB-2222-3333-4444-555555555555}  New\r\n");
  server.put(L"SPY4.TXT", "new.example.com\r\n");
  Tfspy& window = open();
  {
    FileHolder held(programFolder.path() + L"SPY4.TXT");
    try {
      window.fire(L"UpdateSpywareList1");
      ADD_FAILURE() << "the held list was reported replaced";
    } catch (const win::Error& e) {
      EXPECT_EQ(e.text().rfind(L"Cannot replace SPY4.TXT", 0), 0u) << e.text();
    }
  }
  expectOldLists();
  WIN32_FIND_DATAW found;
  HANDLE leftovers = FindFirstFileW((programFolder.path() + L"spy*.tmp").c_str(), &found);
  EXPECT_EQ(leftovers, INVALID_HANDLE_VALUE) << "a temporary list stayed behind";
  if (leftovers != INVALID_HANDLE_VALUE) FindClose(leftovers);
}

}  // namespace
}  // namespace kestova::test
