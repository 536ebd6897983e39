#include <gtest/gtest.h>

#include "app/Tffolders.h"
#include "app/Tfsweep.h"
#include "core/text_lines.h"
#include "harness/hub_fixture.h"

namespace kestova::test {
namespace {

class Folders : public HubFixture {
 protected:
  Lines config() const {
    std::string bytes = setting(L"config.TXT");
    return splitLines(std::wstring(bytes.begin(), bytes.end()));
  }
  bool has(const std::wstring& line) const {
    Lines lines = config();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

TEST_F(Folders, ChoosingAHistoryFolderReplacesOnlyThatDrivesEntry) {
  writeSetting(L"config.TXT", "settings\r\nc11\r\nhiD:\\Other drive history\r\n");
  app::Tfsweep& hub = startHub();
  app::Tffolders window(hub);
  window.create(hub.hwnd());
  std::wstring before = window.text(L"Edit2");
  dialogs->folderChoices.push_back(L"C:\\Chosen History");
  window.fire(L"Button2");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text,
            L"Browse till you find the right folder then double click it and hit ok button . WARNING :  Set an "
            L"invalid folder will cause deletion errors");
  EXPECT_EQ(dialogs->browseStarts.at(0), before);
  EXPECT_EQ(window.text(L"Edit2"), L"C:\\Chosen History");
  EXPECT_EQ(hub.folders()[FolderCode::hi], L"C:\\Chosen History");
  EXPECT_TRUE(has(L"hiC:\\Chosen History"));
  EXPECT_TRUE(has(L"hiD:\\Other drive history"));
  Lines lines = config();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::wstring& l) { return l.rfind(L"hiC", 0) == 0; }), 1);
}

TEST_F(Folders, ARecycleFolderOnAnotherDriveGetsThatDrivesKey) {
  ship(L"config.TXT");
  app::Tfsweep& hub = startHub();
  app::Tffolders window(hub);
  window.create(hub.hwnd());
  dialogs->folderChoices.push_back(L"D:\\RECYCLER");
  window.fire(L"Button4");
  EXPECT_TRUE(has(L"lxD:\\RECYCLER"));
  EXPECT_EQ(hub.folders()[FolderCode::lx], L"D:\\RECYCLER");
}

TEST_F(Folders, CancellingTheDialogKeepsTheField) {
  ship(L"config.TXT");
  app::Tfsweep& hub = startHub();
  hub.folders()[FolderCode::nc] = L"C:\\Netscape\\Cache";
  app::Tffolders window(hub);
  window.create(hub.hwnd());
  EXPECT_EQ(window.text(L"Edit5"), L"C:\\Netscape\\Cache");
  window.fire(L"Button5");
  EXPECT_EQ(dialogs->browseStarts.at(0), L"C:\\Netscape\\Cache");
  EXPECT_EQ(hub.folders()[FolderCode::nc], L"C:\\Netscape\\Cache");
  EXPECT_TRUE(has(L"ncC:\\Netscape\\Cache"));
}

TEST_F(Folders, AutoDetectFindsTheShellFoldersAndRecordsThem) {
  ship(L"config.TXT");
  app::Tfsweep& hub = startHub();
  hub.folders()[FolderCode::ie] = L"";
  hub.folders()[FolderCode::hi] = L"";
  app::Tffolders window(hub);
  window.create(hub.hwnd());
  window.fire(L"BitBtnWithColor2");
  std::wstring cache = window.text(L"Edit1");
  std::wstring history = window.text(L"Edit2");
  EXPECT_FALSE(cache.empty());
  EXPECT_FALSE(history.empty());
  EXPECT_FALSE(window.text(L"Edit3").empty());  // cookies, known for the run
  EXPECT_TRUE(has(L"ie" + cache));
  EXPECT_TRUE(has(L"hi" + history));
}

}  // namespace
}  // namespace kestova::test
