#pragma once
// Flushes an open file on a second thread when asked, so that the disk takes a pass's bytes while
// the writer goes on making and writing the next ones. The flush that makes a pass safe is still
// the writer's own, after settle().
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace kestova::shredder {

class BackgroundFlush {
 public:
  // Without a second thread (it could not start) requests are ignored.
  explicit BackgroundFlush(HANDLE file);
  BackgroundFlush(const BackgroundFlush&) = delete;
  BackgroundFlush& operator=(const BackgroundFlush&) = delete;
  // Waits for a flush under way; no flush runs once it returns.
  ~BackgroundFlush();

  // Asks for a flush and returns at once; requests made while one runs become one more flush.
  void request();
  // Waits until no flush runs or is asked for; false when any of them failed.
  bool settle();

 private:
  void run();

  HANDLE file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool asked_ = false;
  bool busy_ = false;
  bool stopping_ = false;
  bool failed_ = false;
  std::thread thread_;
};

}  // namespace kestova::shredder
