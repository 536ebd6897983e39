#include "ui/application.h"

#include "ui/form.h"
#include "win/app_title.h"
#include "win/dialogs.h"
#include "win/error.h"

namespace kestova::ui {

void Application::handle(MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYUP) {
    Form* form = Form::fromHwnd(GetAncestor(msg.hwnd, GA_ROOT));
    if (form) {
      bool handled = false;
      try {
        handled = form->previewKey(msg.message, static_cast<WORD>(msg.wParam));
      } catch (const std::exception& e) {
        showException(form->hwnd(), e);
        handled = true;
      }
      if (handled) return;
    }
  }
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root && Form::fromHwnd(root) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void Application::run(Form& mainForm) {
  Form::setMainWindow(&mainForm);
  MSG msg;
  while (mainForm.exists() && GetMessageW(&msg, nullptr, 0, 0) > 0) handle(msg);
}

void Application::runModal(Form&, const std::function<bool()>& done) {
  MSG msg;
  while (!done()) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the outer loop
      return;
    }
    handle(msg);
  }
}

void Application::processMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    handle(msg);
  }
}

void Application::showException(HWND owner, const std::exception& e) {
  win::dialogs().message(owner, win::exceptionText(e), win::kAppTitle, MB_OK | MB_ICONERROR);
}

}  // namespace kestova::ui
