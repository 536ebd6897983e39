#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "harness/file_holder.h"
#include "harness/driver.h"
#include "harness/hub_fixture.h"
#include "harness/queue_probe.h"
#include "harness/test_keys.h"
#include "traces/Tfsoftclean.h"
#include "ui/application.h"
#include "win/handles.h"
#include "win/registry_key.h"
#include "win/shell_folders.h"
#include "win/text_file.h"

namespace kestova::test {
namespace {

using traces::Tfsoftclean;
using traces::Trace;

constexpr Trace kRegistryTraces[] = {Trace::TypedUrls, Trace::RunHistory, Trace::FindHistory};

// A folder of the prefix's Windows folder, removed afterwards unless it was there before.
class WindowsSubfolder {
 public:
  explicit WindowsSubfolder(const std::wstring& name)
      : path_(*win::ShellFolders().path(win::kWindowsFolder) + L"\\" + name),
        existed_(GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  WindowsSubfolder(const WindowsSubfolder&) = delete;
  WindowsSubfolder& operator=(const WindowsSubfolder&) = delete;
  ~WindowsSubfolder() {
    if (!existed_) removeTree(path_);
  }
  std::wstring write(const std::wstring& relative, const std::string& bytes) const {
    std::wstring full = path_ + L"\\" + relative;
    for (std::size_t at = full.find(L'\\', path_.size() + 1); at != std::wstring::npos; at = full.find(L'\\', at + 1)) {
      CreateDirectoryW(full.substr(0, at).c_str(), nullptr);
    }
    win::writeBytes(full, bytes);
    return full;
  }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  bool existed_;
};

class Softclean : public HubFixture {
 protected:
  Tfsoftclean& open() {
    auto& w = app::windows();
    w.traces = std::make_unique<Tfsoftclean>();
    w.traces->create();
    w.traces->show();
    return *w.traces;
  }
  // The registry lists are left alone: other test programs use them at the same time.
  static void untickRegistry(Tfsoftclean& form) {
    for (Trace t : kRegistryTraces) form.setChecked(Tfsoftclean::checkBox(t), false);
  }
  static int tickedCount(const Tfsoftclean& form) {
    int count = 0;
    for (int i = 0; i < traces::kTraceCount; ++i) count += form.checked(Tfsoftclean::checkBox(static_cast<Trace>(i)));
    return count;
  }
  std::vector<std::wstring> messages() {
    std::vector<std::wstring> texts;
    for (const auto& shown : dialogs->messages) texts.push_back(shown.text);
    return texts;
  }
};

TEST_F(Softclean, OpensTickedAndWithNothingTickedCleanChangesNothingButStillReports) {
  WindowsSubfolder log(L"AppLog");
  std::wstring file = log.write(L"kept.log", "kept");
  Tfsoftclean& form = open();
  EXPECT_EQ(tickedCount(form), 7);
  form.fire(L"Label5");
  EXPECT_EQ(tickedCount(form), 0);
  form.fire(L"BitBtnWithColor1");
  EXPECT_EQ(fileBytes(file), "kept");
  EXPECT_EQ(messages(), std::vector<std::wstring>{L"There were no items to clean"});
  form.setChecked(L"CheckBox9", true);
  form.fire(L"Label4");
  EXPECT_EQ(tickedCount(form), 7);
}

TEST_F(Softclean, CleanEmptiesTheWindowsFoldersWithTheControlsDisabled) {
  WindowsSubfolder log(L"AppLog");
  WindowsSubfolder pages(L"Offline Web Pages");
  log.write(L"app\\today.log", "t");
  pages.write(L"page.htm", "p");
  std::wstring spared = log.write(L"..keep\\x", "x");  // a folder whose name begins with "."
  Tfsoftclean& form = open();
  untickRegistry(form);
  bool enabledDuring = true;
  QueueProbe probe([&] {
    enabledDuring = form.enabled(L"BitBtnWithColor1") || form.enabled(L"CheckBox2") || form.enabled(L"Label4") ||
                    form.enabled(L"Label14") || form.enabled(L"Menu1");
    form.fire(L"BitBtnWithColor1");  // a second press inside the run
  });
  form.fire(L"BitBtnWithColor1");
  EXPECT_TRUE(probe.ran());
  EXPECT_FALSE(enabledDuring);
  EXPECT_FALSE(fileExists(log.path() + L"\\app"));
  EXPECT_FALSE(fileExists(pages.path() + L"\\page.htm"));
  EXPECT_TRUE(fileExists(pages.path()));
  EXPECT_EQ(fileBytes(spared), "x");
  EXPECT_EQ(messages(), std::vector<std::wstring>{L"Items cleaned"});
  EXPECT_TRUE(form.enabled(L"BitBtnWithColor1"));
  EXPECT_TRUE(form.enabled(L"Menu1"));
}

// "Items cleaned" only when something went: a file another program holds is told as left.
TEST_F(Softclean, WhenNothingCouldBeRemovedTheReportSaysWhatWasLeft) {
  WindowsSubfolder log(L"AppLog");
  std::wstring held = log.write(L"held.log", "held");
  Tfsoftclean& form = open();
  untickRegistry(form);
  {
    FileHolder holder(held);
    form.fire(L"BitBtnWithColor1");
  }
  EXPECT_EQ(fileBytes(held), "held");
  EXPECT_EQ(messages(), std::vector<std::wstring>{L"Nothing could be cleaned; items left: 1 (in use, held by a "
                                                  L"policy, or without the rights to remove them)"});
}

TEST_F(Softclean, ClosingDuringACleanStopsItWithoutAReport) {
  WindowsSubfolder log(L"AppLog");
  for (int i = 0; i < 20; ++i) log.write(L"f" + std::to_wstring(i) + L".log", "x");
  Tfsoftclean& form = open();
  untickRegistry(form);
  QueueProbe probe([&] { PostMessageW(form.hwnd(), WM_CLOSE, 0, 0); });
  form.fire(L"BitBtnWithColor1");
  ui::Application::processMessages();
  EXPECT_TRUE(probe.ran());
  EXPECT_FALSE(form.exists());
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(Softclean, TextsFollowTheHubsLanguageButTheItemsDoNot) {
  app::Tfsweep& hub = startHub();
  Tfsoftclean& form = open();
  std::wstring item = form.text(L"CheckBox9");
  EXPECT_EQ(form.text(L"Label6"), L"Clean Windows");
  hub.fire(L"Italiano1");
  SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form.text(L"Label6"), L"Pulire gli articoli nei Windows");
  EXPECT_EQ(form.text(L"Menu1"), L"&Aiuto");
  hub.fire(L"Norwegian1");
  SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form.text(L"BitBtnWithColor1"), L"&Rengj\u00F8r");
  EXPECT_EQ(form.text(L"Label4"), L"Velger ut all");
  EXPECT_EQ(form.text(L"CheckBox9"), item);
  RECT r;
  GetClientRect(form.hwnd(), &r);
  EXPECT_EQ(r.right, 760);
  EXPECT_EQ(r.bottom, 488);
  EXPECT_EQ(Driver::text(form.hwnd()), L"Kestova : Softclean");
}

// A top-level window of another program whose title contains `part`.
HWND waitForViewer(const wchar_t* className, const std::wstring& part) {
  HWND found = nullptr;
  for (DWORD start = GetTickCount(); !found && GetTickCount() - start < 20000; Sleep(50)) {
    ui::Application::processMessages();
    for (HWND w : Driver::topLevelWindows(className)) {
      if (IsWindowVisible(w) && Driver::text(w).find(part) != std::wstring::npos) found = w;
    }
  }
  return found;
}

void closeViewer(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  win::Handle viewer(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (viewer && WaitForSingleObject(viewer.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(viewer.get(), 0);
}

// The prefix knows the text-file type but gives ".txt" no type; the test gives it one, as every
// Windows does.
TEST_F(Softclean, RestorePointsLinkOpensTheShippedInstructions) {
  ASSERT_FALSE(win::RegistryKey::open(HKEY_CLASSES_ROOT, L".txt")) << "the prefix has its own .txt type";
  ASSERT_TRUE(win::RegistryKey::open(HKEY_CLASSES_ROOT, L"txtfile\\shell\\open\\command"));
  TestKey extension(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.txt");
  extension.setString(L"", L"txtfile");
  ship(L"system restore.txt");
  Tfsoftclean& form = open();
  form.fire(L"Label14");
  HWND viewer = waitForViewer(L"Notepad", L"system restore");
  ASSERT_NE(viewer, nullptr);
  closeViewer(viewer);
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(Softclean, F1OpensTheHelpFile) {
  ship(L"kestova.chm");
  Tfsoftclean& form = open();
  PostMessageW(form.control(L"CheckBox2"), WM_KEYDOWN, VK_F1, 0);
  HWND help = waitForViewer(L"HH Parent", L"Kestova Help");
  ASSERT_NE(help, nullptr);
  closeViewer(help);
}

}  // namespace
}  // namespace kestova::test
