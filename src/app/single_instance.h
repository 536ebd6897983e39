#pragma once
// One running Kestova: a named mutex with the application title; a second start brings the
// running hub forward and ends.
#include "win/handles.h"

namespace kestova::app {

class SingleInstance {
 public:
  SingleInstance();
  // False when another instance holds the mutex (or it cannot be made).
  bool first() const { return first_; }
  // Restores the running hub when it is minimised, brings it to the top otherwise.
  static void bringRunningForward();

 private:
  win::Handle mutex_;
  bool first_ = false;
};

}  // namespace kestova::app
