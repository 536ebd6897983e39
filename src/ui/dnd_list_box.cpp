#include "ui/dnd_list_box.h"

#include <shellapi.h>

#include <stdexcept>

namespace kestova::ui {
namespace {

constexpr const wchar_t* kSelf = L"Kestova.TDnDListBox";

}  // namespace

TDnDListBox::~TDnDListBox() {
  if (hwnd_ && IsWindow(hwnd_)) {
    DragAcceptFiles(hwnd_, FALSE);
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropW(hwnd_, kSelf);
  }
}

void TDnDListBox::attach(HWND listBox) {
  if (!SetPropW(listBox, kSelf, this)) throw std::runtime_error("cannot attach the drop list");
  hwnd_ = listBox;
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(listBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  DragAcceptFiles(listBox, TRUE);
}

LRESULT CALLBACK TDnDListBox::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = static_cast<TDnDListBox*>(GetPropW(hwnd, kSelf));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  WNDPROC original = self->original_;
  switch (msg) {
    case WM_DROPFILES:
      self->drop(reinterpret_cast<HDROP>(wp));
      return 0;
    case LB_ADDSTRING:
      if (self->OnAddString) self->OnAddString(*self);
      break;
    case LB_INSERTSTRING:
      if (self->OnInsertString) self->OnInsertString(*self);
      break;
    case LB_DELETESTRING:
      if (self->OnDeleteString) self->OnDeleteString(*self);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropW(hwnd, kSelf);
      self->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return CallWindowProcW(original, hwnd, msg, wp, lp);
}

void TDnDListBox::drop(HDROP files) {
  struct Finish {
    HDROP h;
    ~Finish() { DragFinish(h); }
  } finish{files};
  UINT count = DragQueryFileW(files, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Each name is read whole; one that cannot be is left out, never cut to another name.
    UINT length = DragQueryFileW(files, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring path(length + 1, L'\0');
    if (DragQueryFileW(files, i, path.data(), length + 1) != length) continue;
    path.resize(length);
    bool accept = true;
    if (OnFileDropped) OnFileDropped(*this, path, accept);
    if (AutoAdd && accept) add(path);
  }
}

int TDnDListBox::count() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

std::wstring TDnDListBox::item(int index) const {
  LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) throw std::out_of_range("no such list entry");
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  length = SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void TDnDListBox::add(const std::wstring& text) {
  SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TDnDListBox::setItem(int index, const std::wstring& text) {
  bool wasSelected = selected(index);
  SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
  if (wasSelected) SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TDnDListBox::clear() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

bool TDnDListBox::selected(int index) const {
  return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

}  // namespace kestova::ui
