// The form's life: its window made from its layout, shown, shown modally and closed, and the
// actions that hold a close back until they end.
#include "ui/form.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

#include "core/text_codec.h"
#include "ui/application.h"
#include "ui/chart.h"
#include "ui/form_internal.h"
#include "ui/grid.h"
#include "ui/result_menu.h"
#include "ui/url_label.h"
#include "win/dpi.h"
#include "win/error.h"

namespace kestova::ui {

void detail::unknown(std::wstring_view what, std::wstring_view name) {
  throw std::logic_error(toCp1252(std::wstring(what) + L" " + std::wstring(name) + L" does not exist"));
}

using detail::kFormProperty;

Form::Form(FormSpec layout) : spec_(std::move(layout)) {}

namespace {
// Forms running an action, and forms whose close waits for them (interface thread only).
std::vector<Form*> busyForms;
std::vector<Form*> waitingCloses;
// The window whose close ends the program: it waits for every action.
const Form* mainWindow = nullptr;

void forget(std::vector<Form*>& forms, const Form* form) { std::erase(forms, form); }
}  // namespace

void Form::setMainWindow(const Form* form) { mainWindow = form; }

Form::~Form() {
  if (mainWindow == this) mainWindow = nullptr;
  forget(busyForms, this);
  forget(waitingCloses, this);
  if (hwnd_) {
    RemovePropW(hwnd_, kFormProperty);
    DestroyWindow(hwnd_);
  }
}

Form* Form::fromHwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  return static_cast<Form*>(GetPropW(hwnd, kFormProperty));
}

void Form::registerClass() const {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, spec_.className, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  wc.lpszClassName = spec_.className;
  if (!RegisterClassExW(&wc)) win::throwLastError(L"Cannot register window class");
}

void Form::create(HWND owner) {
  if (hwnd_) return;
  registerClass();
  backgroundBrush_.reset(CreateSolidBrush(spec_.background));
  HWND created = CreateWindowExW(WS_EX_CONTROLPARENT, spec_.className, spec_.caption.c_str(),
                                 spec_.style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                 spec_.clientWidth, spec_.clientHeight, owner, nullptr, GetModuleHandleW(nullptr),
                                 this);
  if (!created) win::throwLastError(L"Cannot create window " + spec_.caption);
  // The window's monitor decides its scale; the controls and fonts are made at it.
  dpi_ = win::windowDpi(hwnd_);
  makeFonts();
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  build();
  if (menuBar_) SetMenu(hwnd_, menuBar_);
  RECT r = {0, 0, scaled(spec_.clientWidth), scaled(spec_.clientHeight)};
  AdjustWindowRectEx(&r, spec_.style, menuBar_ != nullptr, WS_EX_CONTROLPARENT);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  place();
  FormCreate();
}

void Form::place() {
  RECT r;
  GetWindowRect(hwnd_, &r);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(hwnd_, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Form::show() {
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void Form::showModal(HWND owner) {
  if (!hwnd_) create(owner);
  if (owner) EnableWindow(owner, FALSE);
  closing_ = false;
  show();
  Application::runModal(*this, [this] { return closing_ || !hwnd_; });
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  if (hwnd_) {
    HWND h = hwnd_;
    DestroyWindow(h);
  }
}

void Form::close() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

bool Form::anyBusy() { return !busyForms.empty(); }

void Form::beginAction() {
  if (actions_++ == 0) busyForms.push_back(this);
}

void Form::endAction() noexcept {
  if (--actions_ > 0) return;
  forget(busyForms, this);
  if (busyForms.empty()) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  std::vector<Form*> waiting = waitingCloses;
  for (Form* form : waiting) {
    if (form->closeBlocked()) continue;
    forget(waitingCloses, form);
    form->closePending_ = false;
    if (form->exists()) form->closeAfterAction();
  }
}

bool Form::closeBlocked() const {
  if (!hwnd_) return false;
  if (this == mainWindow && !busyForms.empty()) return true;
  for (const Form* form : busyForms) {
    for (HWND h = form->hwnd_; h; h = GetWindow(h, GW_OWNER)) {
      if (h == hwnd_) return true;
    }
  }
  return false;
}

bool Form::holdClose() {
  if (!closeBlocked()) return false;
  if (!closePending_) waitingCloses.push_back(this);
  closePending_ = true;
  return true;
}

bool Form::closeWaiting() const {
  if (mainWindow && mainWindow->closePending_) return true;
  for (HWND h = hwnd_; h; h = GetWindow(h, GW_OWNER)) {
    const Form* form = fromHwnd(h);
    if (form && form->closePending_) return true;
  }
  return false;
}

}  // namespace kestova::ui
