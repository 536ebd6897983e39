#pragma once
// Runs work on the thread that made this object (the user-interface thread), for a worker thread:
// `call` blocks the worker until the work has run there, `post` returns at once. A message-only
// window carries the requests, so they run whenever that thread lets its messages run.
#include <windows.h>

#include <functional>

namespace kestova::win {

class UiThreadCall {
 public:
  UiThreadCall();
  UiThreadCall(const UiThreadCall&) = delete;
  UiThreadCall& operator=(const UiThreadCall&) = delete;
  ~UiThreadCall();

  // From another thread: runs `work` on the owner's thread and waits; an exception it throws is
  // thrown again here.
  void call(const std::function<void()>& work) const;
  // From any thread: queues `work` for the owner's thread.
  void post(std::function<void()> work) const;
  // On the owner's thread: waits for `object` while the calls of other threads run.
  static void waitLettingCallsRun(HANDLE object);

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace kestova::win
