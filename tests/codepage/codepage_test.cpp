#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>

#include "app/Tffolders.h"
#include "app/Tfsweep.h"
#include "ui/grid.h"
#include "harness/hub_fixture.h"
#include "harness/translated_windows.h"

namespace kestova::test {
namespace {

// The windows whose Norwegian texts carry letters outside ASCII ("ø", "å").
const std::set<std::string> kWithNorwegianLetters = {"Tfsweep", "TFwipe", "Tfsoftclean", "Tfdupg", "Tfstat"};

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// This program runs with LC_ALL=ru_RU.UTF-8, which gives it the Cyrillic ANSI code page.
class CodePage : public HubFixture {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 1251u) << "the test would prove nothing under code page " << GetACP(); }
};

TEST_F(CodePage, NorwegianLettersSurviveInEveryTranslatedWindow) {
  ship(L"config.TXT");
  writeSetting(L"idiom.TXT", "language\r\n8\r\n");
  app::Tfsweep& hub = startHub();
  ASSERT_TRUE(hub.checked(L"Norwegian1"));
  for (const auto& window : translatedWindows()) {
    SCOPED_TRACE(window.name);
    ui::Form& form = window.open();
    activate(form);
    bool letters = false;
    for (const auto& entry : window.texts) {
      std::wstring expected = entry.texts[kNorwegian - 1];
      EXPECT_EQ(form.text(entry.target), expected) << narrow(entry.target);
      letters = letters || expected.find_first_of(L"\u00F8\u00E5") != std::wstring::npos;
    }
    if (kWithNorwegianLetters.count(window.name)) {
      EXPECT_TRUE(letters) << "no \"\u00F8\" or \"\u00E5\" to check";
    }
  }
  hub.fire(L"English1");
  hub.fire(L"Norwegian1");
  EXPECT_EQ(setting(L"idiom.TXT"), "language\r\n8\r\n");
}

// A settings line is Windows-1252 whatever the system's code page: byte 0xE9 is "é", and it is
// written back as the same byte.
TEST_F(CodePage, AFolderLineWithByteE9ShowsEAcute) {
  writeSetting(L"config.TXT", "settings\r\nc11\r\nncC:\\Caf\xE9\\Cache\r\n");
  app::Tfsweep& hub = startHub();
  {
    app::Tffolders window(hub);
    window.create(hub.hwnd());
    EXPECT_EQ(window.text(L"Edit5"), L"C:\\Caf\u00E9\\Cache");
  }
  SendMessageW(hub.hwnd(), WM_CLOSE, 0, 0);  // stores the switch codes: the file is rewritten
  EXPECT_NE(setting(L"config.TXT").find("ncC:\\Caf\xE9\\Cache\r\n"), std::string::npos);
}

// A pest list is Windows-1252 too: its name with byte 0xE9 shows "\u00E9" in the grid.
TEST_F(CodePage, APestListLineWithByteE9ShowsEAcute) {
  writeSetting(L"SPY.TXT", "{11111111-2222-3333-4444-555555555555}  Caf\xE9 Toolbar\r\n");
  startHub();
  const auto& windows = translatedWindows();
  auto spyware = std::find_if(windows.begin(), windows.end(), [](const auto& w) { return w.name == "Tfspy"; });
  ASSERT_NE(spyware, windows.end());
  ui::Form& spy = spyware->open();
  EXPECT_EQ(spy.grid(L"as1").cell(0, 1), L"Caf\u00E9 Toolbar    --> {11111111-2222-3333-4444-555555555555}");
}

}  // namespace
}  // namespace kestova::test
