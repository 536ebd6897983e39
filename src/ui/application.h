#pragma once
// The message loop, the pump that long actions call between items, and the general error
// handler at every message boundary.
#include <windows.h>

#include <exception>
#include <functional>

namespace kestova::ui {

class Form;

class Application {
 public:
  // Runs the message loop until the main window is gone.
  static void run(Form& mainForm);
  // Runs the loop until `done` is true (a modal window).
  static void runModal(Form& form, const std::function<bool()>& done);
  // Lets the queued messages run, as a long action does between items.
  static void processMessages();
  // The general error handler: a message box with the error's text.
  static void showException(HWND owner, const std::exception& e);

 private:
  static void handle(MSG& msg);
};

// Shows the hourglass while it lives.
class HourglassCursor {
 public:
  HourglassCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
  ~HourglassCursor() { SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }

 private:
  HCURSOR previous_;
};

}  // namespace kestova::ui
