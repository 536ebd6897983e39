#include <gtest/gtest.h>

#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "dupes/Tfdupg.h"
#include "dupes/Tfdups.h"
#include "harness/driver.h"
#include "core/text_codec.h"
#include "harness/hub_fixture.h"
#include "shredder/TFwipe.h"

namespace kestova::test {
namespace {

// What a timer saw of a modal tool while the hub waited for it.
struct ModalProbe {
  const wchar_t* className;
  HWND hub;
  std::wstring caption;
  bool hubDisabled = false;
};
ModalProbe* probe = nullptr;

void CALLBACK closeModalTool(HWND, UINT, UINT_PTR id, DWORD) {
  HWND tool = FindWindowW(probe->className, nullptr);
  if (!tool || !IsWindowVisible(tool)) return;
  KillTimer(nullptr, id);
  probe->caption = Driver::text(tool);
  probe->hubDisabled = IsWindowEnabled(probe->hub) == FALSE;
  PostMessageW(tool, WM_CLOSE, 0, 0);
}

class HubTools : public HubFixture {
 protected:
  HubTools() { ship(L"config.TXT"); }
};

TEST_F(HubTools, EveryModalToolOpensFromItsLabelAndButtonAndIsReleased) {
  app::Tfsweep& hub = startHub();
  waitUntil([&] { return IsWindowEnabled(hub.hwnd()) != FALSE; }, 3000);
  struct Tool {
    const wchar_t* control;
    const wchar_t* className;
    const wchar_t* caption;
  };
  const Tool tools[] = {
      {L"Label3", L"Tfstat", L"Kestova - Disk Statistics"},
      {L"BitBtnWithColor6", L"Tfstat", L"Kestova - Disk Statistics"},
      {L"Label11", L"TMainForm", L"Kestova : Fix PC errors"},
      {L"BitBtnWithColor17", L"TMainForm", L"Kestova : Fix PC errors"},
      {L"Label9", L"Tfspy", L"Kestova : Block Spyware"},
      {L"BitBtnWithColor16", L"Tfspy", L"Kestova : Block Spyware"},
      {L"Label10", L"Tfsoftclean", L"Kestova : Softclean"},
      {L"BitBtnWithColor2", L"Tfsoftclean", L"Kestova : Softclean"},
      {L"Label8", L"Tfinfo", L"System Utilities"},
      {L"BitBtnWithColor3", L"Tfinfo", L"System Utilities"},
      {L"Label5", L"Tftips", L"Tips"},
      {L"ViewSetCleanFolders1", L"Tffolders", L"Temp folders path"},
      {L"About1", L"TAboutBox", L"About Kestova"},
  };
  for (const auto& tool : tools) {
    ModalProbe seen{tool.className, hub.hwnd(), L"", false};
    probe = &seen;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, closeModalTool);
    hub.fire(tool.control);  // returns when the modal window has closed
    KillTimer(nullptr, timer);
    EXPECT_EQ(seen.caption, tool.caption) << toCp1252(tool.control);
    EXPECT_TRUE(seen.hubDisabled) << toCp1252(tool.control);
    EXPECT_EQ(FindWindowW(tool.className, nullptr), nullptr) << toCp1252(tool.control);
    EXPECT_TRUE(IsWindowEnabled(hub.hwnd()));
  }
  probe = nullptr;
  const auto& w = app::windows();
  EXPECT_FALSE(w.statistics || w.registryCleaner || w.spyware || w.traces || w.systemInfo || w.tips || w.folders ||
               w.about);
}

TEST_F(HubTools, DuplicatesAndShredderExistFromStartAndShowWithoutBlocking) {
  app::createStartupWindows();
  app::Tfsweep& hub = *app::windows().hub;
  HWND dups = app::windows().dups->hwnd();
  HWND wipe = app::windows().wipe->hwnd();
  EXPECT_FALSE(IsWindowVisible(dups));
  hub.fire(L"Label7");
  EXPECT_TRUE(IsWindowVisible(dups));
  EXPECT_EQ(Driver::text(dups), L"Kestova : Find Duplicate files ");
  hub.fire(L"BitBtnWithColor18");
  EXPECT_TRUE(IsWindowVisible(wipe));
  EXPECT_EQ(Driver::text(wipe), L"Kestova :  Shredder - make files unrecoverable");
  EXPECT_EQ(app::windows().wipe->hwnd(), wipe);  // the same window, not a new one
  EXPECT_EQ(Driver::text(app::windows().dupg->hwnd()), L"Find Duplicates ");
}

}  // namespace
}  // namespace kestova::test
