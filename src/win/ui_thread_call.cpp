#include "win/ui_thread_call.h"

#include <exception>
#include <memory>

#include "win/error.h"

namespace kestova::win {
namespace {

constexpr UINT kCall = WM_APP + 1;
constexpr UINT kPost = WM_APP + 2;
constexpr wchar_t kClassName[] = L"KestovaUiThreadCall";

struct CallRequest {
  const std::function<void()>* work;
  std::exception_ptr failure;
};

void registerClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;  // each window then gets the procedure of its owner
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) throwLastError(L"Cannot register the thread-call window class");
    return true;
  }();
  (void)registered;
}

}  // namespace

UiThreadCall::UiThreadCall() {
  registerClass();
  hwnd_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throwLastError(L"Cannot create the thread-call window");
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));
}

UiThreadCall::~UiThreadCall() {
  MSG msg;
  while (PeekMessageW(&msg, hwnd_, kPost, kPost, PM_REMOVE)) delete reinterpret_cast<std::function<void()>*>(msg.lParam);
  DestroyWindow(hwnd_);
}

void UiThreadCall::call(const std::function<void()>& work) const {
  CallRequest request{&work, nullptr};
  SendMessageW(hwnd_, kCall, 0, reinterpret_cast<LPARAM>(&request));
  if (request.failure) std::rethrow_exception(request.failure);
}

void UiThreadCall::post(std::function<void()> work) const {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  if (!PostMessageW(hwnd_, kPost, 0, reinterpret_cast<LPARAM>(owned.get()))) {
    throwLastError(L"Cannot post to the user-interface thread");
  }
  owned.release();
}

void UiThreadCall::waitLettingCallsRun(HANDLE object) {
  for (;;) {
    DWORD r = MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) return;
    if (r == WAIT_FAILED) throwLastError(L"Cannot wait for the worker thread");
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

LRESULT CALLBACK UiThreadCall::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCall) {
    auto* request = reinterpret_cast<CallRequest*>(lParam);
    try {
      (*request->work)();
    } catch (...) {
      request->failure = std::current_exception();
    }
    return 0;
  }
  if (message == kPost) {
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lParam));
    (*work)();  // the message boundary of the caller's loop shows what escapes
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace kestova::win
