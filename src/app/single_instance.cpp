#include "app/single_instance.h"

#include "win/app_title.h"
#include "win/error.h"

namespace kestova::app {
namespace {

constexpr const wchar_t* kListenerClass = L"TApplication";
constexpr UINT kBringForward = WM_APP + 1;

}  // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, win::kAppTitle)) {
  first_ = mutex_.valid() && GetLastError() != ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
  if (listener_) DestroyWindow(listener_);
}

void SingleInstance::listen(HWND hub) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = listenerProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kListenerClass;
  RegisterClassExW(&wc);
  listener_ = CreateWindowExW(0, kListenerClass, win::kAppTitle, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!listener_) win::throwLastError(L"Cannot listen for a second start");
  SetWindowLongPtrW(listener_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hub));
}

LRESULT CALLBACK SingleInstance::listenerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kBringForward) {
    HWND hub = reinterpret_cast<HWND>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (hub && IsWindow(hub)) {
      if (IsIconic(hub)) {
        ShowWindow(hub, SW_RESTORE);
      } else {
        SetForegroundWindow(hub);
        BringWindowToTop(hub);
      }
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool SingleInstance::bringRunningForward() {
  HWND listener = FindWindowExW(HWND_MESSAGE, nullptr, kListenerClass, win::kAppTitle);
  if (!listener) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(listener, &process);
  AllowSetForegroundWindow(process);  // the running instance may take the foreground
  return PostMessageW(listener, kBringForward, 0, 0) != FALSE;
}

}  // namespace kestova::app
