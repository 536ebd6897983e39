#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cwctype>

#include "app/Tfsweep.h"
#include "harness/fit.h"
#include "harness/hub_fixture.h"
#include "harness/translated_windows.h"
#include "harness/window_image.h"

namespace kestova::test {
namespace {

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool isContainer(HWND control) {
  wchar_t cls[64] = {};
  GetClassNameW(control, cls, 64);
  std::wstring name(cls);
  for (auto& c : name) c = static_cast<wchar_t>(std::towlower(c));
  return name == L"systabcontrol32" ||
         (name == L"button" && (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX);
}

// A status bar keeps to its window's bottom edge whatever its table says.
bool isStatusBar(HWND control) {
  wchar_t cls[64] = {};
  GetClassNameW(control, cls, 64);
  return std::wstring(cls) == STATUSCLASSNAMEW;
}

// The hub lays its label row out along its texts: the labels keep the row's top and height.
bool inHubLabelRow(const TranslatedWindow& window, const RECT& table) { return window.isHub && table.top == 6; }

class Translations : public HubFixture {
 protected:
  Translations() { ship(L"config.TXT"); }

  // Every target shows its table text for `code`; none is empty unless its table allows it.
  static void expectTexts(const TranslatedWindow& window, ui::Form& form, int code) {
    for (const auto& entry : window.texts) {
      std::wstring expected = entry.texts[static_cast<std::size_t>(code - 1)];
      EXPECT_EQ(form.text(entry.target), expected) << narrow(entry.target) << " in language " << code;
      if (!window.mayBeEmpty.count(entry.target)) {
        EXPECT_FALSE(expected.empty()) << narrow(entry.target) << " is empty in language " << code;
      }
    }
  }

  // No caption is cut off, the menu bar keeps one line, and no two translated controls overlap.
  static void expectFit(const TranslatedWindow& window, ui::Form& form, int code) {
    EXPECT_TRUE(menuBarOnOneLine(form.hwnd())) << window.name << " menu bar wraps in language " << code;
    std::vector<HWND> controls;
    for (const auto& entry : window.texts) {
      if (!form.hasControl(entry.target)) continue;
      HWND control = form.control(entry.target);
      std::wstring clipped = captionClipped(control);
      EXPECT_TRUE(clipped.empty()) << window.name << "." << narrow(entry.target) << " in language " << code << ": "
                                   << narrow(clipped);
      EXPECT_TRUE(insideParent(control)) << window.name << "." << narrow(entry.target) << " leaves its parent in language "
                                         << code;
      if (!isContainer(control)) controls.push_back(control);
    }
    // Every control, translated or not, is its table's rectangle at the window's scale.
    for (const auto& [name, table] : form.layout()) {
      HWND control = form.control(name);
      if (isStatusBar(control)) continue;
      if (inHubLabelRow(window, table)) {
        RECT own;
        GetWindowRect(control, &own);
        MapWindowPoints(nullptr, form.hwnd(), reinterpret_cast<POINT*>(&own), 2);
        EXPECT_NEAR(own.top, atDpi(table.top, testDpi()), 1) << narrow(name);
        EXPECT_NEAR(own.bottom, atDpi(table.bottom, testDpi()), 1) << narrow(name);
        continue;
      }
      std::wstring off = offTable(control, table, testDpi());
      EXPECT_TRUE(off.empty()) << window.name << "." << narrow(name) << " at " << testDpi() << " DPI: " << narrow(off);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        if (GetParent(controls[i]) != GetParent(controls[j])) continue;
        EXPECT_FALSE(controlsOverlap(controls[i], controls[j]))
            << window.name << ": two captions overlap in language " << code;
      }
    }
  }
};

// Every translated window in every language: the hub's menu sets the language, an open window
// keeps its texts until it is activated again, and then shows its table's texts, each fitting
// its control.
TEST_F(Translations, EveryWindowTakesItsTextsInEveryLanguage) {
  app::Tfsweep& hub = startHub();
  // A scaled run really is at its scale.
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSX), testDpi());
  ReleaseDC(nullptr, screen);
  for (const auto& window : translatedWindows()) {
    SCOPED_TRACE(window.name);
    ui::Form& form = window.open();
    EXPECT_EQ(form.dpi(), testDpi());
    for (const auto& entry : window.texts) {
      ASSERT_TRUE(namesPartOf(form, entry.target)) << narrow(entry.target) << " is no control or menu item";
    }
    activate(form);
    int shown = ui::currentLanguage();
    for (int code : {2, 3, 4, 5, 6, 7, 8, 1}) {
      hub.fire(languageMenuItem(code));
      if (!window.isHub) expectTexts(window, form, shown);
      activate(form);
      shown = code;
      expectTexts(window, form, code);
      expectFit(window, form, code);
      if (!screenshotFolder().empty()) {
        std::wstring name(window.name.begin(), window.name.end());
        std::wstring scale = testDpi() == 96 ? L"" : L"-" + std::to_wstring(testDpi()) + L"dpi";
        saveWindowImage(form.hwnd(), screenshotFolder() + name + L"-" + std::to_wstring(code) + scale + L".bmp");
      }
    }
  }
}

}  // namespace
}  // namespace kestova::test
