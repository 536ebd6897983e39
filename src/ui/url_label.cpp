#include "ui/url_label.h"

#include "ui/form.h"
#include "win/shell.h"

namespace kestova::ui {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 255);

}  // namespace

TURLLabel::~TURLLabel() { detach(); }

void TURLLabel::attach(HWND label, HFONT plain, HFONT underlined) {
  detach();
  hwnd_ = label;
  plain_ = plain;
  underlined_ = underlined;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  originalProc_ =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(labelProc)));
  apply(style_);
}

void TURLLabel::detach() {
  if (!hwnd_) return;
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }
  hwnd_ = nullptr;
}

void TURLLabel::SetURL(const std::wstring& value) {
  if (value == url_) return;
  url_ = linkLabelUrl(value);
  if (onHint) onHint(url_);
  apply(styleAfterUrlChange(linked(), highlight_));
}

void TURLLabel::SetHighlight(bool on) {
  highlight_ = on;
  apply(styleAfterHighlightChange(on));
}

COLORREF TURLLabel::textColor() const {
  return style_ == LinkStyle::Link ? kLinkColor : GetSysColor(COLOR_WINDOWTEXT);
}

void TURLLabel::Click() {
  if (linked()) win::shellOpen(url_, nullptr);
  if (onClick) onClick();
}

void TURLLabel::setFonts(HFONT plain, HFONT underlined) {
  plain_ = plain;
  underlined_ = underlined;
  apply(style_);
}

void TURLLabel::apply(LinkStyle style) {
  style_ = style;
  if (!hwnd_) return;
  HFONT font = style == LinkStyle::Link ? underlined_ : plain_;
  if (font) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // See-through label: the parent repaints what it covers.
  HWND parent = GetParent(hwnd_);
  RECT r;
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  InvalidateRect(parent, &r, TRUE);
}

LRESULT CALLBACK TURLLabel::labelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TURLLabel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  WNDPROC original = self->originalProc_;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!self->inside_) {
        self->inside_ = true;
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        if (auto style = styleOnEnter(self->linked(), self->highlight_)) self->apply(*style);
      }
      break;
    case WM_MOUSELEAVE:
      self->inside_ = false;
      if (auto style = styleOnLeave(self->highlight_)) self->apply(*style);
      break;
    case WM_SETCURSOR:
      // While its window runs a long action, the window's hourglass shows over the label too.
      if (Form* form = Form::fromHwnd(GetAncestor(hwnd, GA_ROOT)); form && form->busy()) break;
      SetCursor(LoadCursorW(nullptr, self->style_ == LinkStyle::Link ? IDC_HAND : IDC_ARROW));
      return TRUE;
    case WM_NCDESTROY:
      self->detach();
      return CallWindowProcW(original, hwnd, msg, wp, lp);
    default:
      break;
  }
  return CallWindowProcW(original, hwnd, msg, wp, lp);
}

}  // namespace kestova::ui
