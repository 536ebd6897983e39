#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Tffolders.h"
#include "app/Tfsweep.h"
#include "app/Tftips.h"
#include "app/app_windows.h"
#include "sysinfo/Tfinfo.h"
#include "harness/driver.h"
#include "harness/hub_fixture.h"
#include "harness/translated_windows.h"
#include "ui/application.h"

namespace kestova::test {
namespace {

// A window with a help hook: how to open it and its Help entry (none when F1 is its only way).
struct HelpWindow {
  std::string name;
  std::function<ui::Form&()> open;
  const wchar_t* helpEntry;
};

template <typename Window, typename... Args>
ui::Form& openOwned(std::unique_ptr<Window>& slot, Args&... args) {
  slot = std::make_unique<Window>(args...);
  slot->create(app::windows().hub->hwnd());
  slot->show();
  return *slot;
}

std::vector<HelpWindow> helpWindows() {
  std::vector<HelpWindow> all;
  for (const auto& window : translatedWindows()) {
    static const std::map<std::string, const wchar_t*> entries = {
        {"Tfsweep", L"About2"}, {"TMainForm", L"BitBtn1"}, {"TFwipe", L"About1"},
        {"Tfdups", L"Help1"},   {"Tfsoftclean", L"Menu1"}, {"Tfspy", L"Help1"}};
    auto entry = entries.find(window.name);
    all.push_back({window.name, window.open, entry == entries.end() ? nullptr : entry->second});
  }
  all.push_back({"Tffolders", [] () -> ui::Form& { return openOwned(app::windows().folders, *app::windows().hub); },
                 nullptr});
  all.push_back({"Tftips", [] () -> ui::Form& { return openOwned(app::windows().tips); }, nullptr});
  all.push_back({"Tfinfo",
                 [] () -> ui::Form& {
                   const DriveTable& table = app::windows().hub->driveTable();
                   return openOwned(app::windows().systemInfo, table);
                 },
                 nullptr});
  return all;
}

// The help viewer's windows, titled after the help file's title.
std::vector<HWND> helpViewers() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND hwnd, LPARAM lp) __attribute__((stdcall)) -> BOOL {
        if (Driver::text(hwnd) == L"Kestova Help") reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class Help : public HubFixture {
 protected:
  Help() {
    ship(L"config.TXT");
    ship(L"kestova.chm");
    // The viewer needs the browser component that the tests' Wine otherwise leaves out.
    wchar_t overrides[512] = {};
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    overrides_ = overrides;
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"mscoree=;winemenubuilder.exe=d");
  }
  ~Help() override {
    closeViewers();
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides_.empty() ? nullptr : overrides_.c_str());
  }

  // True when a help viewer showing "Kestova Help" came up; it is closed again.
  static bool viewerOpened() {
    bool opened = waitUntil([] { return !helpViewers().empty(); }, 60000);
    closeViewers();
    return opened;
  }
  static void closeViewers() {
    for (HWND viewer : helpViewers()) PostMessageW(viewer, WM_CLOSE, 0, 0);
    waitUntil([] { return helpViewers().empty(); }, 20000);
  }
  static void pressF1(ui::Form& form) {
    SetFocus(form.hwnd());
    PostMessageW(GetFocus() ? GetFocus() : form.hwnd(), WM_KEYDOWN, VK_F1, 0);
    ui::Application::processMessages();
  }

 private:
  std::wstring overrides_;
};

TEST_F(Help, F1AndTheHelpEntryOfEveryWindowOpenTheHelpFile) {
  startHub();
  for (const auto& window : helpWindows()) {
    SCOPED_TRACE(window.name);
    ui::Form& form = window.open();
    pressF1(form);
    EXPECT_TRUE(viewerOpened()) << "F1";
    if (window.helpEntry) {
      form.fire(window.helpEntry);
      EXPECT_TRUE(viewerOpened()) << "the Help entry";
    }
  }
}

}  // namespace
}  // namespace kestova::test
