#include "harness/fit.h"

#include <cmath>
#include <cstdlib>
#include <cwctype>

#include <commctrl.h>

#include "win/handles.h"

namespace kestova::test {
namespace {

std::wstring windowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), n + 1)));
  return text;
}

std::wstring className(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  std::wstring text(name);
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

}  // namespace

std::wstring captionClipped(HWND control) {
  if (!IsWindowVisible(control)) return {};
  std::wstring text = windowText(control);
  if (text.empty()) return {};
  RECT client;
  GetClientRect(control, &client);
  std::wstring cls = className(control);
  LONG style = GetWindowLongW(control, GWL_STYLE);
  int available = client.right;
  bool wraps = false;
  if (cls == L"button") {
    switch (style & BS_TYPEMASK) {
      case BS_GROUPBOX: available -= 16; break;  // the frame's corner on both sides
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: available -= GetSystemMetrics(SM_CXMENUCHECK) + 4; break;
      default: available -= 2 * (GetSystemMetrics(SM_CXEDGE) + 3); break;  // border and focus frame
    }
  } else if (cls == L"static") {
    wraps = (style & SS_TYPEMASK) == SS_LEFT;
  } else {
    return {};
  }
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT need = {0, 0, available, 0};
  DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  if (need.right <= available && need.bottom <= client.bottom) return {};
  return L"\"" + text + L"\" needs " + std::to_wstring(need.right) + L"x" + std::to_wstring(need.bottom) +
         L" pixels, has " + std::to_wstring(available) + L"x" + std::to_wstring(client.bottom);
}

bool menuBarOnOneLine(HWND window) {
  HMENU bar = GetMenu(window);
  if (!bar) return true;
  RECT first = {};
  for (int i = 0, n = GetMenuItemCount(bar); i < n; ++i) {
    RECT item = {};
    if (!GetMenuItemRect(window, bar, static_cast<UINT>(i), &item)) return false;
    if (i == 0) first = item;
    if (item.top != first.top) return false;
  }
  return true;
}

bool insideParent(HWND control) {
  if (!IsWindowVisible(control)) return true;
  HWND parent = GetParent(control);
  RECT area, own;
  GetClientRect(parent, &area);
  GetWindowRect(control, &own);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&own), 2);
  return own.left >= area.left && own.top >= area.top && own.right <= area.right && own.bottom <= area.bottom;
}

bool controlsOverlap(HWND a, HWND b) {
  if (!IsWindowVisible(a) || !IsWindowVisible(b)) return false;
  RECT ra, rb, both;
  GetWindowRect(a, &ra);
  GetWindowRect(b, &rb);
  return IntersectRect(&both, &ra, &rb) != FALSE;
}

int testDpi() {
  const char* value = std::getenv("KESTOVA_TEST_DPI");
  int dpi = value ? std::atoi(value) : 0;
  return dpi > 0 ? dpi : 96;
}

int atDpi(int pixels, int dpi) { return static_cast<int>(std::lround(pixels * (dpi / 96.0))); }

std::wstring offTable(HWND control, const RECT& table, int dpi) {
  RECT own;
  GetWindowRect(control, &own);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&own), 2);
  RECT want = {atDpi(table.left, dpi), atDpi(table.top, dpi), atDpi(table.right, dpi), atDpi(table.bottom, dpi)};
  bool combo = className(control) == L"combobox";
  auto within = [](LONG a, LONG b) { return std::abs(a - b) <= 1; };
  if (within(own.left, want.left) && within(own.top, want.top) && within(own.right, want.right) &&
      (combo || within(own.bottom, want.bottom))) {
    return {};
  }
  auto text = [](const RECT& r) {
    return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L")-(" + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom) + L")";
  };
  return L"at " + text(own) + L", the table at this scale puts it at " + text(want);
}

POINT cellPointAt(HWND list, const std::vector<int>& widths, int rowHeight, int row, int column, int dpi) {
  int right = 0;
  for (int i = 0; i <= column; ++i) right += widths[static_cast<std::size_t>(i)];
  RECT header = {};
  GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
  int height = atDpi(rowHeight, dpi);
  return {atDpi(right, dpi) - 3, (header.bottom - header.top) + height * row - 2};
}

void clickAt(HWND control, POINT point) {
  LPARAM at = MAKELPARAM(point.x, point.y);
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(control, WM_LBUTTONUP, 0, at);
}

}  // namespace kestova::test
