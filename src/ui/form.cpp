#include "ui/form.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "core/control_id.h"
#include "core/text_codec.h"
#include "ui/application.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/url_label.h"
#include "win/error.h"

namespace kestova::ui {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr const wchar_t* kPanelClass = L"TPanel";
constexpr COLORREF kLabelColor = RGB(0, 0, 0);
// A form's own windows carry this property; any other window (a message box, a common dialog, a
// window of another class that keeps a handle in its user data) is not a form.
constexpr const wchar_t* kFormProperty = L"Kestova.Form";

void registerPanelClass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kPanelClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kPanelClass;
  if (!RegisterClassExW(&wc)) win::throwLastError(L"Cannot register the panel class");
}

[[noreturn]] void unknown(std::wstring_view what, std::wstring_view name) {
  throw std::logic_error(toCp1252(std::wstring(what) + L" " + std::wstring(name) + L" does not exist"));
}

}  // namespace

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
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(spec_.fontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  int weight = spec_.bold ? FW_BOLD : FW_NORMAL;
  font_.reset(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, spec_.fontFace));
  underlined_.reset(CreateFontW(height, 0, 0, 0, weight, FALSE, TRUE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                spec_.fontFace));
  backgroundBrush_.reset(CreateSolidBrush(spec_.background));

  RECT r = {0, 0, spec_.clientWidth, spec_.clientHeight};
  HWND created = CreateWindowExW(WS_EX_CONTROLPARENT, spec_.className, spec_.caption.c_str(),
                                 spec_.style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                 r.right, r.bottom, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (!created) win::throwLastError(L"Cannot create window " + spec_.caption);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  build();
  if (menuBar_) SetMenu(hwnd_, menuBar_);
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

void Form::addControls(std::span<const ControlSpec> specs) {
  for (const auto& layout : specs) createControl(layout);
}

void Form::createControl(const ControlSpec& layout) {
  auto control = std::make_unique<Control>();
  control->name = layout.name;
  control->kind = layout.kind;
  control->face = layout.color;
  UINT id = controlId(layout.name);
  if (controlsById_.count(id) || menusById_.count(id) || controls_.count(control->name)) {
    throw std::logic_error("control name or id used twice: " + toCp1252(layout.name));
  }
  const wchar_t* cls = L"STATIC";
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  switch (layout.kind) {
    case Kind::Button: cls = L"BUTTON"; style |= BS_PUSHBUTTON | WS_TABSTOP; break;
    case Kind::ColorButton: cls = L"BUTTON"; style |= BS_OWNERDRAW | WS_TABSTOP; break;
    case Kind::Label:
    case Kind::LinkLabel:
    case Kind::URLLabel: style |= SS_NOTIFY | SS_LEFT; break;
    case Kind::Edit: cls = L"EDIT"; style |= ES_AUTOHSCROLL | WS_TABSTOP; exStyle = WS_EX_CLIENTEDGE; break;
    case Kind::ReadOnlyEdit:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | ES_READONLY;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::Memo:
      cls = L"EDIT";
      style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_READONLY;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::CheckBox: cls = L"BUTTON"; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
    case Kind::RadioButton: cls = L"BUTTON"; style |= BS_AUTORADIOBUTTON | WS_TABSTOP; break;
    case Kind::ComboBox: cls = L"COMBOBOX"; style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP; break;
    case Kind::ListBox:
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::GroupBox:  // see-through, so the form paints its inside despite WS_CLIPCHILDREN
      cls = L"BUTTON";
      style |= BS_GROUPBOX;
      exStyle = WS_EX_TRANSPARENT;
      break;
    case Kind::ProgressBar: cls = PROGRESS_CLASSW; break;
    case Kind::OwnerDrawList:
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::StatusBar: cls = STATUSCLASSNAMEW; style |= SBARS_SIZEGRIP; break;
    case Kind::TabControl: cls = WC_TABCONTROLW; style |= WS_CLIPSIBLINGS; break;
    case Kind::Panel: cls = kPanelClass; style |= WS_CLIPSIBLINGS; exStyle = WS_EX_CONTROLPARENT; break;
    case Kind::Grid:
    case Kind::Chart: break;
  }
  if (layout.visible) style |= WS_VISIBLE;
  if (!layout.enabled) style |= WS_DISABLED;

  if (layout.kind == Kind::Panel) registerPanelClass();
  HWND parent = layout.parent ? this->control(layout.parent) : hwnd_;
  HWND hwnd = nullptr;
  if (layout.kind == Kind::Grid) {
    control->grid = std::make_unique<Grid>();
    hwnd = control->grid->create(parent, id, RECT{layout.x, layout.y, layout.x + layout.width, layout.y + layout.height},
                                 layout.visible);
  } else if (layout.kind == Kind::Chart) {
    control->chart = std::make_unique<Chart>();
    hwnd = control->chart->create(parent, id, RECT{layout.x, layout.y, layout.x + layout.width, layout.y + layout.height},
                                  layout.visible);
  } else {
    int height = layout.kind == Kind::ComboBox ? layout.height * 10 : layout.height;
    const wchar_t* caption = layout.kind == Kind::TabControl ? L"" : layout.caption;
    hwnd = CreateWindowExW(exStyle, cls, caption, style, layout.x, layout.y, layout.width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
  }
  if (!hwnd) win::throwLastError(std::wstring(L"Cannot create control ") + layout.name);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  control->hwnd = hwnd;
  if (layout.kind == Kind::LinkLabel || layout.kind == Kind::GroupBox || layout.kind == Kind::Panel) {
    WNDPROC proc = layout.kind == Kind::LinkLabel ? linkLabelProc : containerProc;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control.get()));
    control->originalProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  }
  if (layout.kind == Kind::URLLabel) {
    control->urlLabel = std::make_unique<TURLLabel>();
    control->urlLabel->attach(hwnd, font_.get(), underlined_.get());
    std::wstring name = layout.name;
    control->urlLabel->onClick = [this, name] { fire(name, Event::Click); };
    control->urlLabel->onHint = [this, name](const std::wstring& text) { setHint(name, text); };
  }
  if (layout.kind == Kind::TabControl) {
    std::wstring tabs = layout.caption;
    int index = 0;
    for (std::size_t start = 0; start <= tabs.size() && !tabs.empty(); ++index) {
      std::size_t end = std::min(tabs.find(L'|', start), tabs.size());
      std::wstring name = tabs.substr(start, end - start);
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = name.data();
      SendMessageW(hwnd, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
      start = end + 1;
    }
  }
  std::wstring hint = layout.hint ? layout.hint : L"";
  std::size_t bar = hint.find(L'|');
  // The status-bar hint: the part after '|', or the whole hint when it has none.
  control->longHint = bar == std::wstring::npos ? hint : hint.substr(bar + 1);
  if (bar != std::wstring::npos) hint.resize(bar);
  if (!hint.empty() && tooltip_) {
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = hint.data();  // the tooltip keeps its own copy
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  controlsById_[id] = control.get();
  controls_.emplace(control->name, std::move(control));
}

void Form::addMenu(std::span<const MenuSpec> specs) {
  if (!menuBar_) menuBar_ = CreateMenu();
  HMENU parents[4] = {menuBar_, nullptr, nullptr, nullptr};
  for (const auto& layout : specs) {
    HMENU parent = parents[layout.depth];
    std::wstring caption = layout.caption;
    if (caption == L"-") {
      AppendMenuW(parent, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT id = controlId(layout.name);
    if (menusById_.count(id) || controlsById_.count(id)) {
      throw std::logic_error("menu name or id used twice: " + toCp1252(layout.name));
    }
    MenuItem item{parent, id, nullptr};
    // An entry followed by a deeper one opens a submenu.
    const MenuSpec* next = &layout + 1;
    bool hasChildren = next < specs.data() + specs.size() && next->depth > layout.depth;
    if (hasChildren) {
      item.submenu = CreatePopupMenu();
      MENUITEMINFOW info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
      info.wID = id;
      info.hSubMenu = item.submenu;
      info.dwTypeData = caption.data();
      InsertMenuItemW(parent, GetMenuItemCount(parent), TRUE, &info);
      parents[layout.depth + 1] = item.submenu;
    } else {
      AppendMenuW(parent, MF_STRING | (layout.checked ? MF_CHECKED : 0), id, caption.c_str());
    }
    menus_[layout.name] = item;
    menusById_[id] = layout.name;
  }
}

void Form::on(std::wstring_view name, Event event, std::function<void()> handler) {
  if (!findControl(name) && !findMenu(name)) unknown(L"Control", name);
  handlers_[{std::wstring(name), event}] = std::move(handler);
}

void Form::fire(std::wstring_view name, Event event) {
  auto it = handlers_.find(std::pair<std::wstring, Event>{std::wstring(name), event});
  if (it != handlers_.end()) it->second();
}

void Form::startTimer(UINT_PTR id, UINT milliseconds, std::function<void()> handler) {
  timers_[id] = std::move(handler);
  SetTimer(hwnd_, id, milliseconds, nullptr);
}

void Form::stopTimer(UINT_PTR id) {
  KillTimer(hwnd_, id);
  timers_.erase(id);
}

void Form::setBackgroundPicture(const win::Picture& picture) {
  RECT client;
  GetClientRect(hwnd_, &client);
  HDC screen = GetDC(hwnd_);
  backdrop_.reset(CreateCompatibleBitmap(screen, client.right, client.bottom));
  {
    win::MemoryDC target(screen);
    win::MemoryDC source(screen);
    win::SelectObjectScope selectTarget(target.get(), backdrop_.get());
    win::SelectObjectScope selectSource(source.get(), picture.bitmap.get());
    SetStretchBltMode(target.get(), HALFTONE);
    StretchBlt(target.get(), 0, 0, client.right, client.bottom, source.get(), 0, 0, picture.width,
               picture.height, SRCCOPY);
  }
  ReleaseDC(hwnd_, screen);
  backdropBrush_.reset(CreatePatternBrush(backdrop_.get()));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

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
  win::Font& font = fonts_[{points, bold}];
  if (!font) {
    LOGFONTW face = {};
    GetObjectW(font_.get(), sizeof face, &face);
    HDC screen = GetDC(nullptr);
    face.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.reset(CreateFontIndirectW(&face));
  }
  SendMessageW(control(name), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
}

void Form::focus(std::wstring_view name) { SetFocus(control(name)); }

bool Form::previewKey(WORD key) { return FormKeyDown(key); }

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

// Panels and group boxes hand what their controls report on to the form.
LRESULT CALLBACK Form::containerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
    case WM_ERASEBKGND:
      if (control && control->kind == Kind::Panel) {
        if (Form* form = fromHwnd(GetAncestor(hwnd, GA_ROOT))) {
          form->paintBackgroundBehind(hwnd, reinterpret_cast<HDC>(wp));
          return 1;
        }
      }
      break;
    default:
      break;
  }
  return control ? CallWindowProcW(control->originalProc, hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Form::linkLabelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  Form* form = fromHwnd(GetParent(hwnd));
  if (control && form) {
    switch (msg) {
      case WM_MOUSEMOVE:
        if (!control->hover) {
          TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
          TrackMouseEvent(&track);
          form->setHover(*control, true);
        }
        break;
      case WM_MOUSELEAVE:
        form->setHover(*control, false);
        break;
      case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, Form::anyBusy() ? IDC_WAIT : control->hover ? IDC_HAND : IDC_ARROW));
        return TRUE;
      default:
        break;
    }
    return CallWindowProcW(control->originalProc, hwnd, msg, wp, lp);
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (!SetPropW(hwnd, kFormProperty, form)) return FALSE;  // the window is not created
    form->hwnd_ = hwnd;
  }
  Form* form = fromHwnd(hwnd);
  if (!form) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return form->dispatch(msg, wp, lp);
  } catch (const std::exception& e) {
    Application::showException(hwnd, e);
  } catch (...) {
    Application::showException(hwnd, std::runtime_error("Unknown error"));
  }
  return 0;
}

void Form::onCommand(UINT id, UINT code, HWND from) {
  // A click queued before its control was disabled does not start anything.
  if (!from) {
    auto it = menusById_.find(id);
    if (it != menusById_.end() && enabled(it->second)) fire(it->second, Event::Click);
    return;
  }
  auto it = controlsById_.find(id);
  if (it == controlsById_.end()) return;
  Control& c = *it->second;
  bool pressable = c.kind == Kind::Button || c.kind == Kind::ColorButton || c.kind == Kind::Label || c.kind == Kind::LinkLabel;
  if (pressable && !IsWindowEnabled(c.hwnd)) return;
  switch (c.kind) {
    case Kind::Button:
    case Kind::ColorButton:
    case Kind::CheckBox:
    case Kind::RadioButton:
      if (code == BN_CLICKED) fire(c.name, Event::Click);
      break;
    case Kind::URLLabel:
      if (code == STN_CLICKED) c.urlLabel->Click();
      if (code == STN_DBLCLK) fire(c.name, Event::DblClick);
      break;
    case Kind::Label:
    case Kind::LinkLabel:
      if (code == STN_CLICKED) fire(c.name, Event::Click);
      if (code == STN_DBLCLK) fire(c.name, Event::DblClick);
      break;
    case Kind::ComboBox:
      if (code == CBN_SELCHANGE) fire(c.name, Event::Change);
      break;
    case Kind::ListBox:
      if (code == LBN_SELCHANGE) fire(c.name, Event::Click);
      if (code == LBN_DBLCLK) fire(c.name, Event::DblClick);
      break;
    case Kind::Edit:
      if (code == EN_CHANGE) fire(c.name, Event::Change);
      break;
    default:
      break;
  }
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
    InflateRect(&r, -4, -4);
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

LRESULT Form::dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lp);
      auto it = controlsById_.find(static_cast<UINT>(header->idFrom));
      if (it != controlsById_.end() && it->second->grid) {
        LRESULT result = 0;
        if (it->second->grid->notify(*header, result)) {
          if (header->code == NM_CLICK) fire(it->second->name, Event::Click);
          return result;
        }
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return onCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), true);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return onCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), false);
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      auto it = controlsById_.find(item->CtlID);
      if (it == controlsById_.end()) break;
      if (item->CtlType == ODT_BUTTON) {
        drawColorButton(*item);
      } else {
        drawItem(it->second->name, *item);
      }
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      auto it = controlsById_.find(item->CtlID);
      if (it == controlsById_.end()) break;
      measureItem(it->second->name, *item);
      return TRUE;
    }
    case WM_ERASEBKGND:
      paintBackground(reinterpret_cast<HDC>(wp));
      return 1;
    case WM_TIMER: {
      auto it = timers_.find(wp);
      if (it != timers_.end()) {
        auto handler = it->second;  // the handler may stop its own timer
        handler();
        return 0;
      }
      break;
    }
    case WM_SETCURSOR: {
      if (anyBusy()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      auto under = reinterpret_cast<HWND>(wp);
      if (under != hintSource_) {
        // Told once per control the pointer enters; empty over the form or a control without one.
        hintSource_ = under;
        auto it = controlsById_.find(static_cast<UINT>(GetDlgCtrlID(under)));
        bool isControl = under != hwnd_ && it != controlsById_.end() && it->second->hwnd == under;
        applicationHint(isControl ? it->second->longHint : std::wstring());
      }
      break;
    }
    case WM_GETMINMAXINFO:
      if (spec_.minTrackWidth > 0) {
        RECT r = {0, 0, spec_.minTrackWidth, spec_.minTrackHeight};
        AdjustWindowRectEx(&r, spec_.style, menuBar_ != nullptr, WS_EX_CONTROLPARENT);
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) FormActivate();
      break;
    case WM_CLOSE:
      if (holdClose()) return 0;
      if (spec_.hideOnClose) {
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
      }
      FormClose();
      closing_ = true;
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      for (auto& [id, handler] : timers_) KillTimer(hwnd_, id);
      timers_.clear();
      break;
    case WM_NCDESTROY: {
      LRESULT result = DefWindowProcW(hwnd_, msg, wp, lp);
      RemovePropW(hwnd_, kFormProperty);
      hwnd_ = nullptr;
      tooltip_ = nullptr;
      menuBar_ = nullptr;
      controls_.clear();
      controlsById_.clear();
      menus_.clear();
      menusById_.clear();
      handlers_.clear();
      return result;
    }
    default:
      break;
  }
  return handleMessage(msg, wp, lp);
}

LRESULT Form::handleMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

}  // namespace kestova::ui
