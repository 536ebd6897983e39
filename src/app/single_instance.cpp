#include "app/single_instance.h"

#include "win/app_title.h"

namespace kestova::app {

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, win::kAppTitle)) {
  first_ = mutex_.valid() && GetLastError() != ERROR_ALREADY_EXISTS;
}

void SingleInstance::bringRunningForward() {
  HWND hub = FindWindowW(L"Tfsweep", nullptr);
  if (!hub) return;
  if (IsIconic(hub)) {
    ShowWindow(hub, SW_RESTORE);
  } else {
    SetForegroundWindow(hub);
    BringWindowToTop(hub);
  }
}

}  // namespace kestova::app
