#include <gtest/gtest.h>

#include "harness/driver.h"
#include "harness/scripted_dialogs.h"
#include "ui/application.h"
#include "ui/form.h"
#include "win/error.h"

namespace kestova::test {
namespace {

class ThrowingForm : public ui::Form {
 public:
  ThrowingForm() : Form({L"TThrowingForm", L"Form test", 200, 120}) {}
  int clicks = 0;

 protected:
  void build() override {
    static const ui::ControlSpec controls[] = {
        {L"Button1", ui::Kind::Button, 8, 8, 80, 24, L"Fail"},
        {L"Label1", ui::Kind::LinkLabel, 8, 40, 80, 16, L"Link"},
        {L"Hidden1", ui::Kind::Button, 8, 60, 80, 24, L"Hidden", L"", false},
    };
    static const ui::MenuSpec menu[] = {{L"File1", L"&File", 0}, {L"Item1", L"&Item", 1}};
    addControls(controls);
    addMenu(menu);
    on(L"Button1", ui::Event::Click, [] { throw win::Error(L"The disk is on fire"); });
    on(L"Item1", ui::Event::Click, [this] { ++clicks; });
  }
};

TEST(FormLayer, AnExceptionInAHandlerIsShownOnceAndTheWindowLives) {
  ScriptedDialogsScope dialogs;
  ThrowingForm form;
  form.create();
  form.show();
  HWND button = form.control(L"Button1");
  SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"The disk is on fire");
  EXPECT_EQ(dialogs->messages[0].caption, L"Kestova");
  EXPECT_TRUE(dialogs->messages[0].flags & MB_ICONERROR);
  EXPECT_TRUE(form.exists());
}

TEST(FormLayer, ControlsAndMenuItemsAreFoundByName) {
  ThrowingForm form;
  form.create();
  EXPECT_EQ(Driver::control(form.hwnd(), L"Button1"), form.control(L"Button1"));
  EXPECT_FALSE(form.visible(L"Hidden1"));
  EXPECT_THROW(form.control(L"Nope"), std::logic_error);
  form.setText(L"Item1", L"&Renamed");
  EXPECT_EQ(form.text(L"Item1"), L"&Renamed");
  SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(form.menuId(L"Item1"), 0), 0);
  EXPECT_EQ(form.clicks, 1);
  form.setChecked(L"Item1", true);
  EXPECT_TRUE(form.checked(L"Item1"));
}

TEST(FormLayer, ALinkLabelTakesTheLinkStyleWhileThePointerIsOverIt) {
  ThrowingForm form;
  form.create();
  form.show();
  HWND label = form.control(L"Label1");
  auto plainFont = SendMessageW(label, WM_GETFONT, 0, 0);
  SendMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_NE(SendMessageW(label, WM_GETFONT, 0, 0), plainFont);
  SendMessageW(label, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(SendMessageW(label, WM_GETFONT, 0, 0), plainFont);
}

// Other windows use their user data as they please: the single-instance listener keeps the
// hub's handle there. The message loop asks of every root window whether it is a form.
TEST(FormLayer, AWindowWhoseUserDataIsNoFormIsNotTakenForOne) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TForeignWindow";
  RegisterClassW(&wc);
  HWND foreign = CreateWindowExW(0, L"TForeignWindow", L"Foreign", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(foreign, nullptr);
  ThrowingForm form;
  form.create();
  // Neither an address nobody mapped nor the handle of a real form makes it one.
  for (LONG_PTR data : {static_cast<LONG_PTR>(0x10), reinterpret_cast<LONG_PTR>(form.hwnd()),
                        reinterpret_cast<LONG_PTR>(&form)}) {
    SetWindowLongPtrW(foreign, GWLP_USERDATA, data);
    EXPECT_EQ(ui::Form::fromHwnd(foreign), nullptr);
    PostMessageW(foreign, WM_KEYDOWN, VK_F1, 0);
    ui::Application::processMessages();
  }
  EXPECT_EQ(ui::Form::fromHwnd(form.hwnd()), &form);
  DestroyWindow(foreign);
}

}  // namespace
}  // namespace kestova::test
