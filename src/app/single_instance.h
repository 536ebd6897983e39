#pragma once
// One running Kestova: a named mutex with the application title. The running instance listens
// on a message-only window named after the application; a second start asks it to bring its hub
// forward, then ends.
#include <windows.h>

#include "win/handles.h"

namespace kestova::app {

class SingleInstance {
 public:
  SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  // False when another instance holds the mutex (or it cannot be made).
  bool first() const { return first_; }
  // In the running instance: restore `hub` when minimised, bring it to the top otherwise, each
  // time a second start asks.
  void listen(HWND hub);
  // In a second start: asks the running instance; false when none answers.
  static bool bringRunningForward();

 private:
  static LRESULT CALLBACK listenerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  win::Handle mutex_;
  bool first_ = false;
  HWND listener_ = nullptr;
};

}  // namespace kestova::app
