#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/Tfsweep.h"
#include "harness/driver.h"
#include "harness/http_server.h"
#include "harness/shell_recorder.h"
#include "harness/hub_fixture.h"
#include "registry/rdfuncs.h"
#include "ui/url_label.h"
#include "win/registry_key.h"

namespace kestova::test {
namespace {

class HubUpdate : public HubFixture {
 protected:
  HubUpdate() : recorder(recordings.path() + L"opened.txt", {L"http", L"mailto"}) {
    ship(L"config.TXT");
    ini = registry::SettingsFilePath();
    server.configureUpdateServer(ini);
  }
  ~HubUpdate() override { WritePrivateProfileStringW(L"Update", nullptr, nullptr, ini.c_str()); }

  app::Tfsweep& hub() {
    app::Tfsweep& h = startHub();
    waitUntil([&] { return IsWindowEnabled(h.hwnd()) != FALSE; }, 3000);
    return h;
  }
  // Chooses Help > Update > Check for updates as the menu does.
  static void checkForUpdates(app::Tfsweep& h) {
    SendMessageW(h.hwnd(), WM_COMMAND, MAKEWPARAM(h.menuId(L"AutoUpdate1"), 0), 0);
  }
  static void clickLabel(app::Tfsweep& h, const wchar_t* name) {
    HWND label = h.control(name);
    SendMessageW(h.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED), reinterpret_cast<LPARAM>(label));
  }

  TempFolder recordings;
  ShellRecorder recorder;
  LoopbackServer server;
  std::wstring ini;
};

TEST_F(HubUpdate, TheCurrentVersionInAnyLineEndIsNotAnnounced) {
  app::Tfsweep& h = hub();
  for (const char* file : {"2009", "2009\n1", "2009\r1", "2009\r\n"}) {
    server.put(L"version.txt", file);
    checkForUpdates(h);
  }
  ASSERT_EQ(dialogs->messages.size(), 4u);
  for (const auto& m : dialogs->messages) EXPECT_EQ(m.text, L"No update is available");
  EXPECT_TRUE(h.exists());
  EXPECT_TRUE(recorder.opened().empty());
}

TEST_F(HubUpdate, ANewVersionOpensTheInstructionsAndEndsTheProgram) {
  WritePrivateProfileStringW(L"Update", L"Site", L"http://127.0.0.1:1/site/", ini.c_str());
  server.put(L"version.txt", "2009 \r\n");
  app::Tfsweep& h = hub();
  clickLabel(h, L"Label13");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text,
            L"A new version is available : Visit  http://127.0.0.1:1/site/update.htm for instructions ");
  waitUntil([&] { return !h.exists(); }, 3000);
  EXPECT_FALSE(h.exists());
  EXPECT_EQ(recorder.waitOpened(1), (std::vector<std::string>{"http://127.0.0.1:1/site/update.htm"}));
}

TEST_F(HubUpdate, AnEmptyVersionFileAnnouncesAndAFailedFetchIsReported) {
  server.put(L"version.txt", "");
  app::Tfsweep& first = hub();
  checkForUpdates(first);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text.rfind(L"A new version is available : Visit  ", 0), 0u);
  waitUntil([&] { return !first.exists(); }, 3000);

  dialogs->messages.clear();
  WritePrivateProfileStringW(L"Update", L"Server", (server.base() + L"/gone/").c_str(), ini.c_str());
  app::Tfsweep& second = hub();
  checkForUpdates(second);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"Cannot open URL " + server.url(L"/gone/version.txt"));
  EXPECT_TRUE(second.exists());
}

TEST_F(HubUpdate, SupportAndWebsiteOpenTheirAddresses) {
  WritePrivateProfileStringW(L"Update", L"Site", L"http://127.0.0.1:1/home", ini.c_str());
  WritePrivateProfileStringW(L"Update", L"Mailbox", L"help@127.0.0.1", ini.c_str());
  app::Tfsweep& h = hub();
  ui::TURLLabel& label = h.urlLabel(L"UrlLabel1");
  EXPECT_EQ(label.URL(), L"http://127.0.0.1:1/home");
  EXPECT_FALSE(label.Highlight());
  EXPECT_EQ(label.style(), LinkStyle::Link);

  SendMessageW(h.hwnd(), WM_COMMAND, MAKEWPARAM(h.menuId(L"Support1"), 0), 0);
  recorder.waitOpened(1);
  SendMessageW(h.hwnd(), WM_COMMAND, MAKEWPARAM(h.menuId(L"Website1"), 0), 0);
  recorder.waitOpened(2);
  clickLabel(h, L"UrlLabel1");
  EXPECT_EQ(recorder.waitOpened(3), (std::vector<std::string>{"mailto:help@127.0.0.1?subject=Support Kestova",
                                                              "http://127.0.0.1:1/home", "http://127.0.0.1:1/home"}));
  EXPECT_TRUE(dialogs->messages.empty());
}

// The shell would run a program named in the settings file: such an entry gives way to the default.
TEST_F(HubUpdate, AnEntryThatIsNoWebOrMailAddressIsNeverOpened) {
  WritePrivateProfileStringW(L"Update", L"Site", L"C:\\Windows\\notepad.exe", ini.c_str());
  WritePrivateProfileStringW(L"Update", L"Mailbox", L"help@127.0.0.1?attach=C:\\secret.txt", ini.c_str());
  app::Tfsweep& h = hub();
  SendMessageW(h.hwnd(), WM_COMMAND, MAKEWPARAM(h.menuId(L"Support1"), 0), 0);
  recorder.waitOpened(1);
  SendMessageW(h.hwnd(), WM_COMMAND, MAKEWPARAM(h.menuId(L"Website1"), 0), 0);
  EXPECT_EQ(recorder.waitOpened(2), (std::vector<std::string>{"mailto:support@kestova.example?subject=Support Kestova",
                                                              "http://www.kestova.example"}));
}

TEST_F(HubUpdate, LinkLabelRulesOnARealLabel) {
  app::Tfsweep& h = hub();
  ui::TURLLabel& label = h.urlLabel(L"UrlLabel1");
  label.SetHighlight(true);
  EXPECT_EQ(label.style(), LinkStyle::Plain);
  SendMessageW(label.hwnd(), WM_MOUSEMOVE, 0, 0);  // the mouse enters
  EXPECT_EQ(label.style(), LinkStyle::Link);
  SendMessageW(label.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(label.style(), LinkStyle::Plain);

  label.SetURL(L"   ");
  EXPECT_EQ(label.URL(), L"");
  label.SetHighlight(false);
  label.SetURL(L"a.b/c");  // "http://a.b/c": 12 characters, not a link
  EXPECT_FALSE(label.linked());
  EXPECT_EQ(label.style(), LinkStyle::Plain);
  int clicks = 0;
  label.onClick = [&] { ++clicks; };
  clickLabel(h, L"UrlLabel1");
  EXPECT_EQ(clicks, 1);
  label.SetURL(L"127.0.0.1:1/next");
  EXPECT_EQ(label.style(), LinkStyle::Link);
  clickLabel(h, L"UrlLabel1");
  EXPECT_EQ(clicks, 2);
  // Only the linked click reached the shell.
  EXPECT_EQ(recorder.waitOpened(1), (std::vector<std::string>{"http://127.0.0.1:1/next"}));
}

}  // namespace
}  // namespace kestova::test
