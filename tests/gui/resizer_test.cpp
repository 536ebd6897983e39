#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/resizer.h"

namespace kestova::test {
namespace {

class NestedForm : public ui::Form {
 public:
  NestedForm() : Form({L"TNestedForm", L"Resizer test", 400, 300, WS_OVERLAPPEDWINDOW}) {}

 protected:
  void build() override {
    static const ui::ControlSpec controls[] = {
        {L"Button1", ui::Kind::Button, 10, 20, 100, 30, L"Top"},
        {L"Panel1", ui::Kind::Panel, 200, 100, 180, 150},
        {L"Button2", ui::Kind::Button, 20, 10, 60, 30, L"In panel", L"", true, true, CLR_INVALID, L"Panel1"},
        {L"GroupBox1", ui::Kind::GroupBox, 10, 60, 160, 100, L"Group", L"", true, true, CLR_INVALID, L"Panel1"},
        {L"Check1", ui::Kind::CheckBox, 8, 20, 80, 20, L"Deep", L"", true, true, CLR_INVALID, L"GroupBox1"},
        {L"Button3", ui::Kind::Button, 50, 260, 10, 10},
        {L"Button4", ui::Kind::Button, 150, 260, 10, 10},
    };
    addControls(controls);
  }
};

RECT boundsIn(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void setClientSize(HWND form, int width, int height) {
  RECT r = {0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE)), FALSE, 0);
  SetWindowPos(form, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

TEST(Resizer, DoublingTheFormDoublesNestedControlsInProportion) {
  NestedForm form;
  form.create();
  ui::TResizer resizer;
  resizer.ResizeAll(form.hwnd());
  EXPECT_TRUE(resizer.initialised());
  // The first call records only.
  RECT top = boundsIn(form.control(L"Button1"));
  EXPECT_EQ(top.left, 10);

  setClientSize(form.hwnd(), 800, 600);
  resizer.ResizeAll(form.hwnd());
  RECT button = boundsIn(form.control(L"Button1"));
  EXPECT_EQ(button.left, 20);
  EXPECT_EQ(button.top, 40);
  EXPECT_EQ(button.right - button.left, 200);
  RECT panel = boundsIn(form.control(L"Panel1"));
  EXPECT_EQ(panel.left, 400);
  EXPECT_EQ(panel.right - panel.left, 360);
  RECT inPanel = boundsIn(form.control(L"Button2"));
  EXPECT_EQ(inPanel.left, 40);
  EXPECT_EQ(inPanel.right - inPanel.left, 120);
  RECT deep = boundsIn(form.control(L"Check1"));
  EXPECT_EQ(deep.left, 16);
  EXPECT_EQ(deep.top, 40);
  EXPECT_EQ(deep.bottom - deep.top, 40);
}

TEST(Resizer, HalvesRoundToTheEvenNeighbour) {
  NestedForm form;
  form.create();
  ui::TResizer resizer;
  resizer.ResizeAll(form.hwnd());
  // Lefts 50 and 150 of 400 are exact fractions; at 500 wide they give 62.5 and 187.5.
  setClientSize(form.hwnd(), 500, 300);
  resizer.ResizeAll(form.hwnd());
  EXPECT_EQ(boundsIn(form.control(L"Button3")).left, 62);
  EXPECT_EQ(boundsIn(form.control(L"Button4")).left, 188);
  // The panel's width 180 of 400 gives 225; its button's 20 of 180 then gives 25.
  EXPECT_EQ(boundsIn(form.control(L"Button2")).left, 25);
}

TEST(Resizer, AControlThatIsNoContainerRecordsNothing) {
  NestedForm form;
  form.create();
  ui::TResizer resizer;
  resizer.ResizeAll(form.control(L"Button1"));
  EXPECT_FALSE(resizer.initialised());
  resizer.ResizeAll(form.hwnd());
  EXPECT_TRUE(resizer.initialised());
}

}  // namespace
}  // namespace kestova::test
