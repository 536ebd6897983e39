#pragma once
// Runs an action the first time the thread's message queue runs: made before a long action, it
// comes in through the action's own pump, while the action is under way.
#include <windows.h>

#include <functional>

namespace kestova::test {

class QueueProbe {
 public:
  explicit QueueProbe(std::function<void()> action);
  QueueProbe(const QueueProbe&) = delete;
  QueueProbe& operator=(const QueueProbe&) = delete;
  ~QueueProbe();
  bool ran() const { return ran_; }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  std::function<void()> action_;
  HWND window_ = nullptr;
  bool ran_ = false;
};

}  // namespace kestova::test
