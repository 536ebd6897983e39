// How a form paints: its background or picture behind see-through controls, control colours,
// the colour buttons, and the hover look of link labels.
#include "ui/form.h"

#include "ui/url_label.h"

namespace kestova::ui {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr COLORREF kLabelColor = RGB(0, 0, 0);

}  // namespace

namespace {

// The picture stretched over the whole client area with a smooth filter, at any scale.
win::Bitmap stretchedOver(HWND window, HBITMAP picture, int width, int height) {
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(window);
  win::Bitmap result(CreateCompatibleBitmap(screen, client.right, client.bottom));
  if (result) {
    win::MemoryDC target(screen);
    win::MemoryDC source(screen);
    win::SelectObjectScope selectTarget(target.get(), result.get());
    win::SelectObjectScope selectSource(source.get(), picture);
    SetStretchBltMode(target.get(), HALFTONE);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    StretchBlt(target.get(), 0, 0, client.right, client.bottom, source.get(), 0, 0, width, height, SRCCOPY);
  }
  ReleaseDC(window, screen);
  return result;
}

}  // namespace

void Form::setBackgroundPicture(const win::Picture& picture) {
  backdrop_ = stretchedOver(hwnd_, picture.bitmap.get(), picture.width, picture.height);
  backdropBrush_.reset(backdrop_ ? CreatePatternBrush(backdrop_.get()) : nullptr);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::stretchBackdrop() {
  if (!backdrop_) return;
  BITMAP old = {};
  if (!GetObjectW(backdrop_.get(), sizeof old, &old)) return;
  win::Bitmap previous = std::move(backdrop_);
  backdrop_ = stretchedOver(hwnd_, previous.get(), old.bmWidth, old.bmHeight);
  backdropBrush_.reset(backdrop_ ? CreatePatternBrush(backdrop_.get()) : nullptr);
}

void Form::setHover(Control& control, bool on) {
  if (control.hover == on) return;
  control.hover = on;
  SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(on ? underlined_.get() : font_.get()), FALSE);
  control.textColor = on ? kLinkColor : kLabelColor;
  RECT r;
  GetWindowRect(control.hwnd, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  InvalidateRect(hwnd_, &r, TRUE);
}


LRESULT Form::onCtlColor(HDC dc, HWND from, bool isStatic) {
  auto it = controlsById_.find(static_cast<UINT>(GetDlgCtrlID(from)));
  Control* c = it == controlsById_.end() ? nullptr : it->second;
  if (c && c->textColor != CLR_INVALID) SetTextColor(dc, c->textColor);
  if (c && c->urlLabel) SetTextColor(dc, c->urlLabel->textColor());
  if (c && c->backBrush) {
    SetBkColor(dc, c->backColor);
    return reinterpret_cast<LRESULT>(c->backBrush.get());
  }
  bool label = c && (c->kind == Kind::Label || c->kind == Kind::LinkLabel || c->kind == Kind::URLLabel ||
                     c->kind == Kind::CheckBox ||
                     c->kind == Kind::RadioButton || c->kind == Kind::GroupBox);
  if (label && backdropBrush_) {
    // The control paints the part of the backdrop it covers.
    POINT origin = {0, 0};
    MapWindowPoints(from, hwnd_, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(backdropBrush_.get());
  }
  if (label || !isStatic) {
    SetBkColor(dc, label ? spec_.background : GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(label ? backgroundBrush_.get() : GetSysColorBrush(COLOR_WINDOW));
  }
  // Read-only edits.
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void Form::drawColorButton(const DRAWITEMSTRUCT& item) {
  auto it = controlsById_.find(item.CtlID);
  if (it == controlsById_.end()) return;
  Control& c = *it->second;
  RECT r = item.rcItem;
  bool pressed = item.itemState & ODS_SELECTED;
  bool disabled = item.itemState & ODS_DISABLED;
  COLORREF face = c.face == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : c.face;
  win::Brush brush(CreateSolidBrush(face));
  FillRect(item.hDC, &r, brush.get());
  DrawEdge(item.hDC, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  wchar_t caption[256] = {};
  GetWindowTextW(item.hwndItem, caption, 256);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
  win::SelectObjectScope selectFont(item.hDC, font_.get());
  if (pressed) OffsetRect(&r, 1, 1);
  DrawTextW(item.hDC, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&r, -scaled(4), -scaled(4));
    DrawFocusRect(item.hDC, &r);
  }
}

void Form::paintBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  FillRect(dc, &client, backdropBrush_ ? backdropBrush_.get() : backgroundBrush_.get());
}

void Form::paintBackgroundBehind(HWND child, HDC dc) {
  RECT r;
  GetClientRect(child, &r);
  POINT origin = {0, 0};
  MapWindowPoints(child, hwnd_, &origin, 1);
  SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
  FillRect(dc, &r, backdropBrush_ ? backdropBrush_.get() : backgroundBrush_.get());
}

}  // namespace kestova::ui
