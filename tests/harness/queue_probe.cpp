#include "harness/queue_probe.h"

namespace kestova::test {

QueueProbe::QueueProbe(std::function<void()> action) : action_(std::move(action)) {
  window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&QueueProbe::proc));
  PostMessageW(window_, WM_APP, 0, 0);
}

QueueProbe::~QueueProbe() { DestroyWindow(window_); }

LRESULT CALLBACK QueueProbe::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<QueueProbe*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_APP && self && !self->ran_) {
    self->ran_ = true;
    self->action_();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace kestova::test
