#pragma once
// Paces the screen updates of a long action: under Wine each status text, grid refresh and look
// at the message queue is a round trip to the window system, far too dear to pay after every one
// of thousands of quick items. due() says when the next update is worth it.
#include <windows.h>

namespace kestova::ui {

class Pacer {
 public:
  explicit Pacer(DWORD milliseconds) : interval_(milliseconds) {}

  // True at the first call, then once `milliseconds` have passed since the last true.
  bool due() {
    DWORD now = GetTickCount();
    if (started_ && now - last_ < interval_) return false;
    started_ = true;
    last_ = now;
    return true;
  }

 private:
  DWORD interval_;
  DWORD last_ = 0;
  bool started_ = false;
};

}  // namespace kestova::ui
