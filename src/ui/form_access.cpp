// A form's controls and menu items by name: their texts, states, colours, fonts and hints.
#include "ui/form.h"

#include <commctrl.h>

#include "ui/chart.h"
#include "ui/form_internal.h"
#include "ui/grid.h"
#include "ui/url_label.h"

namespace kestova::ui {

using detail::unknown;

Form::Control* Form::findControl(std::wstring_view name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second.get();
}

const Form::MenuItem* Form::findMenu(std::wstring_view name) const {
  auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : &it->second;
}

HWND Form::control(std::wstring_view name) const {
  Control* c = findControl(name);
  if (!c) unknown(L"Control", name);
  return c->hwnd;
}

bool Form::hasControl(std::wstring_view name) const { return findControl(name) != nullptr; }

Grid& Form::grid(std::wstring_view name) const {
  Control* c = findControl(name);
  if (!c || !c->grid) unknown(L"Grid", name);
  return *c->grid;
}

Chart& Form::chart(std::wstring_view name) const {
  Control* c = findControl(name);
  if (!c || !c->chart) unknown(L"Chart", name);
  return *c->chart;
}

TURLLabel& Form::urlLabel(std::wstring_view name) const {
  Control* c = findControl(name);
  if (!c || !c->urlLabel) unknown(L"Link label", name);
  return *c->urlLabel;
}

void Form::setHint(std::wstring_view name, const std::wstring& text) {
  HWND h = control(name);
  if (!tooltip_) return;
  std::wstring copy = text;
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(h);
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (copy.empty()) return;
  tool.lpszText = copy.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

UINT Form::menuId(std::wstring_view name) const {
  const MenuItem* m = findMenu(name);
  if (!m) unknown(L"Menu item", name);
  return m->id;
}

std::wstring Form::text(std::wstring_view name) const {
  if (const MenuItem* m = findMenu(name)) {
    wchar_t buffer[512] = {};
    GetMenuStringW(m->parent, m->id, buffer, 512, MF_BYCOMMAND);
    return buffer;
  }
  Control* c = findControl(name);
  if (c && c->kind == Kind::TabControl) {
    wchar_t buffer[512] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 512;
    SendMessageW(c->hwnd, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  HWND h = control(name);
  int n = GetWindowTextLengthW(h);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(h, text.data(), n + 1)));
  return text;
}

void Form::setText(std::wstring_view name, const std::wstring& text) {
  if (const MenuItem* m = findMenu(name)) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    std::wstring copy = text;
    info.dwTypeData = copy.data();
    SetMenuItemInfoW(m->parent, m->id, FALSE, &info);
    if (m->parent == menuBar_ && hwnd_) DrawMenuBar(hwnd_);
    return;
  }
  Control* c = findControl(name);
  if (!c) unknown(L"Control", name);
  if (c->kind == Kind::TabControl) {
    // A tab control's text is the caption of its first tab.
    std::wstring caption = text;
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(c->hwnd, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return;
  }
  SetWindowTextW(c->hwnd, text.c_str());
  if (c->kind == Kind::Label || c->kind == Kind::LinkLabel || c->kind == Kind::URLLabel) {
    // Labels are see-through: the parent repaints what the old text covered.
    RECT r;
    GetWindowRect(c->hwnd, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(hwnd_, &r, TRUE);
  }
}

bool Form::checked(std::wstring_view name) const {
  if (const MenuItem* m = findMenu(name)) {
    return (GetMenuState(m->parent, m->id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  return SendMessageW(control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::setChecked(std::wstring_view name, bool on) {
  if (const MenuItem* m = findMenu(name)) {
    CheckMenuItem(m->parent, m->id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    return;
  }
  SendMessageW(control(name), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Form::enabled(std::wstring_view name) const {
  if (const MenuItem* m = findMenu(name)) {
    return (GetMenuState(m->parent, m->id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  return IsWindowEnabled(control(name)) != FALSE;
}

void Form::setEnabled(std::wstring_view name, bool on) {
  if (const MenuItem* m = findMenu(name)) {
    EnableMenuItem(m->parent, m->id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    return;
  }
  EnableWindow(control(name), on);
}

bool Form::visible(std::wstring_view name) const {
  return (GetWindowLongPtrW(control(name), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Form::setVisible(std::wstring_view name, bool on) { ShowWindow(control(name), on ? SW_SHOW : SW_HIDE); }

void Form::setTextColor(std::wstring_view name, COLORREF color) {
  Control* c = findControl(name);
  if (!c) unknown(L"Control", name);
  if (c->textColor == color) return;  // a status line set again and again need not repaint for it
  c->textColor = color;
  InvalidateRect(c->hwnd, nullptr, TRUE);
}

void Form::setBackColor(std::wstring_view name, COLORREF color) {
  Control* c = findControl(name);
  if (!c) unknown(L"Control", name);
  c->backColor = color;
  c->backBrush.reset(CreateSolidBrush(color));
  InvalidateRect(c->hwnd, nullptr, TRUE);
}

void Form::setFont(std::wstring_view name, int points, bool bold) {
  Control* c = findControl(name);
  if (!c) unknown(L"Control", name);
  c->fontKey = {points, bold};
  SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(c->fontKey)), TRUE);
}

void Form::focus(std::wstring_view name) { SetFocus(control(name)); }

}  // namespace kestova::ui
