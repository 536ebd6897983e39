#include <gtest/gtest.h>

#include <algorithm>

#include "harness/driver.h"
#include "core/text_codec.h"
#include "harness/hub_fixture.h"
#include "harness/test_keys.h"
#include "registry/TMainForm.h"
#include "registry/rdfuncs.h"
#include "registry/regequiv.h"
#include "registry/repair.h"
#include "registry/restore.h"
#include "win/text_file.h"

namespace kestova::test {
namespace {

std::wstring lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
  return text;
}

class RegistryCleaner : public HubFixture {
 protected:
  RegistryCleaner() {
    static const bool equivalents = (registry::InitializeKeyEquivalents(), true);
    (void)equivalents;
    DeleteFileW(registry::SettingsFilePath().c_str());
  }
  ~RegistryCleaner() override { DeleteFileW(registry::SettingsFilePath().c_str()); }

  // The results below the test's own key, in list order.
  static std::vector<std::wstring> resultsBelow(const registry::TMainForm& form, const std::wstring& keyName) {
    std::vector<std::wstring> names;
    for (const auto& result : form.errors().Results) {
      if (result.Key.find(lower(keyName)) != std::wstring::npos) names.push_back(result.ValueName);
    }
    return names;
  }
};

TEST_F(RegistryCleaner, ASearchListsTheMissingFilesAndOffersTheRepair) {
  std::wstring name = uniqueKeyName(L"Window");
  // A long key text, so that its item wraps when the window narrows.
  TestKey key(HKEY_CURRENT_USER,
              L"Software\\" + name + L"\\a-rather-long-key-name\\with-several-parts\\so-that-the-key-text\\wraps");
  // Paths the rules let through: no "-", no "dll", no "windows".
  key.setString(L"one", L"C:\\kestovagone\\one.txt");
  key.setString(L"two", L"C:\\kestovagone\\two.exe");
  key.setString(L"three", L"C:\\kestovagone\\three.txt");
  key.setString(L"present", L"C:\\windows");

  registry::TMainForm form;
  form.create();
  form.show();
  EXPECT_EQ(form.text(L"sbSearchE"), L"&Start");
  EXPECT_EQ(form.text(L"Button2"), L"&Errors");
  EXPECT_FALSE(form.visible(L"Button3"));

  form.fire(L"sbSearchE");
  EXPECT_TRUE(form.searching());
  EXPECT_FALSE(form.criteriaSearch());
  EXPECT_FALSE(form.enabled(L"sbSearchE"));
  EXPECT_FALSE(form.enabled(L"Button4"));
  form.waitForSearch();

  ASSERT_EQ(resultsBelow(form, name), (std::vector<std::wstring>{L"one", L"three", L"two"}));
  int errors = form.errors().ErrorCount;
  EXPECT_EQ(form.text(L"lblSearch"), L"Found " + std::to_wstring(errors) + L" items");
  EXPECT_EQ(form.text(L"StatusBar1"), form.text(L"lblSearch"));
  EXPECT_EQ(form.text(L"Label1").rfind(L"Windows errors: ", 0), 0u) << toCp1252(form.text(L"Label1"));
  EXPECT_TRUE(form.visible(L"Button3"));
  EXPECT_TRUE(form.visible(L"Button2"));
  EXPECT_TRUE(form.enabled(L"sbSearchE"));

  HWND list = form.control(L"lbResults");
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), errors);
  form.fire(L"Button2");
  EXPECT_EQ(form.page(), 1);
  // The item of the first test error grows when the window narrows.
  int index = 0;
  while (form.errors().Results[static_cast<std::size_t>(index)].Key.find(lower(name)) == std::wstring::npos) ++index;
  LRESULT wide = SendMessageW(list, LB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0);
  RECT r;
  GetWindowRect(form.hwnd(), &r);
  SetWindowPos(form.hwnd(), nullptr, 0, 0, 520, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  LRESULT narrow = SendMessageW(list, LB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0);
  EXPECT_GT(narrow, wide);
  // A right-button press selects the item under the pointer.
  SendMessageW(list, LB_SETCURSEL, index == 0 ? 1 : 0, 0);
  RECT item;
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(item.left + 5, item.top + 5));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), index);
  form.fire(L"Button1");
  EXPECT_EQ(form.page(), 0);

  // Closed while the repair runs: the repair ends, its texts and backup are complete, and the
  // window closes afterwards without a word.
  ShowWindow(form.hwnd(), SW_SHOW);
  PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  form.fire(L"Button3");
  EXPECT_FALSE(key.value(L"one"));
  EXPECT_TRUE(key.value(L"present"));
  EXPECT_NE(fileBytes(registry::BackupFilePath()).find("kestovagone\\\\one.txt"), std::string::npos);
  pump(200);
  EXPECT_FALSE(form.exists());
  EXPECT_TRUE(dialogs->messages.empty());
  // The repair reached the whole prefix: its backup puts everything back for the other tests.
  dialogs->answers.push_back(IDYES);
  registry::RestoreBackup(nullptr, registry::BackupFilePath());
  EXPECT_TRUE(key.value(L"one"));
}

TEST_F(RegistryCleaner, EveryHintReachesTheStatusBarAndLeavesWithThePointer) {
  registry::TMainForm form;
  form.create();
  form.show();
  auto pointAt = [&](HWND window) {
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  };
  pointAt(form.control(L"BitBtn1"));
  EXPECT_EQ(form.text(L"StatusBar1"), L"Help file");
  pointAt(form.control(L"sbSearchE"));
  EXPECT_EQ(form.text(L"StatusBar1"), L" for invalid registry keys");
  pointAt(form.hwnd());
  EXPECT_EQ(form.text(L"StatusBar1"), L"");
}

TEST_F(RegistryCleaner, AFreshStartWritesTheDefaultSettingsAndThePlacement) {
  {
    registry::TMainForm form;
    form.create();
    form.show();
    EXPECT_EQ(form.activeTab(), 0);
    SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  }
  std::string ini = fileBytes(registry::SettingsFilePath());
  for (const char* line : {"[MainForm Settings]", "Left=", "ShowCmd=", "[Settings]", "ActivePage=0", "PerPage=0",
                           "MaxRslt=2"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line;
  }
}

TEST_F(RegistryCleaner, ATabThatDoesNotExistRunsTheCriteriaSearch) {
  win::writeBytes(registry::SettingsFilePath(), "[Settings]\r\nActivePage=5\r\n");
  registry::TMainForm form;
  form.create();
  form.show();
  EXPECT_EQ(form.activeTab(), 1);
  form.fire(L"sbSearchE");
  EXPECT_TRUE(form.criteriaSearch());
  form.waitForSearch();
  EXPECT_EQ(form.text(L"lblSearch"), L"Found 0 items");
  EXPECT_FALSE(form.visible(L"Button3"));
}

TEST_F(RegistryCleaner, ClosingDuringASearchStopsTheWorkerFirst) {
  auto form = std::make_unique<registry::TMainForm>();
  form->create();
  form->show();
  form->fire(L"sbSearchE");
  ASSERT_TRUE(form->searching());
  SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form->exists());
  form.reset();  // nothing may report into the released window
  pump(300);
}

}  // namespace
}  // namespace kestova::test
