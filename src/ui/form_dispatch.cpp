// A form's messages: the window procedures of the form and its subclassed controls, commands
// and notifications turned into the handlers bound by name, timers and keys.
#include "ui/form.h"

#include <commctrl.h>

#include <stdexcept>

#include "ui/application.h"
#include "ui/chart.h"
#include "ui/form_internal.h"
#include "ui/grid.h"
#include "ui/result_menu.h"
#include "ui/url_label.h"
#include "win/dpi.h"

namespace kestova::ui {

using detail::kFormProperty;
using detail::unknown;

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


bool Form::previewKey(UINT message, WORD key) {
  if (resultMenu_ && resultMenu_->key(message, key)) return true;
  return message != WM_KEYUP && spec_.keyPreview && FormKeyDown(key);
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


LRESULT Form::dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == win::kDpiChangedMessage) {
    onDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
    return 0;
  }
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
    case WM_CONTEXTMENU: {
      // From the list itself or from its column headers.
      auto from = reinterpret_cast<HWND>(wp);
      if (resultMenu_ && (from == resultMenu_->control() || IsChild(resultMenu_->control(), from))) {
        resultMenu_->show(lp);
        return 0;
      }
      break;
    }
    case WM_GETMINMAXINFO:
      if (spec_.minTrackWidth > 0) {
        RECT r = {0, 0, scaled(spec_.minTrackWidth), scaled(spec_.minTrackHeight)};
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
      resultMenu_.reset();
      return result;
    }
    default:
      break;
  }
  return handleMessage(msg, wp, lp);
}

LRESULT Form::handleMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

}  // namespace kestova::ui
