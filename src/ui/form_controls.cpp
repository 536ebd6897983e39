// Controls and menus made from a form's declarative tables.
#include "ui/form.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "core/control_id.h"
#include "core/text_codec.h"
#include "ui/chart.h"
#include "ui/form_internal.h"
#include "ui/grid.h"
#include "ui/result_menu.h"
#include "ui/url_label.h"
#include "win/error.h"

namespace kestova::ui {
namespace {

constexpr const wchar_t* kPanelClass = L"TPanel";

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


}  // namespace

void Form::addControls(std::span<const ControlSpec> specs) {
  for (const auto& layout : specs) createControl(layout);
}

void Form::createControl(const ControlSpec& layout) {
  auto control = std::make_unique<Control>();
  control->name = layout.name;
  control->kind = layout.kind;
  control->face = layout.color;
  control->table = {layout.x, layout.y, layout.x + layout.width, layout.y + layout.height};
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
  // The table's pixels are for 96 DPI; edges are scaled, so neighbours stay apart.
  RECT bounds = scaled(control->table);
  if (layout.kind == Kind::Grid) {
    control->grid = std::make_unique<Grid>();
    hwnd = control->grid->create(parent, id, bounds, layout.visible, dpi_);
  } else if (layout.kind == Kind::Chart) {
    control->chart = std::make_unique<Chart>();
    hwnd = control->chart->create(parent, id, bounds, layout.visible, dpi_);
  } else {
    int height = layout.kind == Kind::ComboBox ? scaled(layout.height * 10) : bounds.bottom - bounds.top;
    const wchar_t* caption = layout.kind == Kind::TabControl ? L"" : layout.caption;
    hwnd = CreateWindowExW(exStyle, cls, caption, style, bounds.left, bounds.top, bounds.right - bounds.left, height,
                           parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr),
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
    UINT id = newMenuId(layout.name);
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

UINT Form::newMenuId(const wchar_t* name) const {
  UINT id = controlId(name);
  if (menusById_.count(id) || controlsById_.count(id) || menus_.count(name)) {
    throw std::logic_error("menu name or id used twice: " + toCp1252(name));
  }
  return id;
}

void Form::addResultMenu(std::wstring_view control, std::unique_ptr<ResultRows> rows,
                         std::span<const wchar_t* const> locked) {
  HWND target = this->control(control);
  HMENU popup = CreatePopupMenu();
  if (!popup) win::throwLastError(L"Cannot create a menu");
  auto menu = std::make_unique<ResultMenu>(*this, target, std::move(rows),
                                           std::vector<const wchar_t*>(locked.begin(), locked.end()), popup);
  for (auto [name, caption] : {std::pair{kCopyItem, kCopyItemTexts[0]}, std::pair{kExportItem, kExportItemTexts[0]}}) {
    UINT id = newMenuId(name);
    if (!AppendMenuW(popup, MF_STRING, id, caption)) win::throwLastError(L"Cannot create a menu");
    menus_[name] = MenuItem{popup, id, nullptr};
    menusById_[id] = name;
  }
  resultMenu_ = std::move(menu);
  on(kCopyItem, Event::Click, [this] { resultMenu_->copy(); });
  on(kExportItem, Event::Click, [this] { resultMenu_->exportRows(); });
}

}  // namespace kestova::ui
