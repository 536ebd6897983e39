#include "shredder/background_flush.h"

#include <system_error>

namespace kestova::shredder {

BackgroundFlush::BackgroundFlush(HANDLE file) : file_(file) {
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    // no second thread: the writer's own flushes remain
  }
}

BackgroundFlush::~BackgroundFlush() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundFlush::request() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    asked_ = true;
  }
  changed_.notify_all();
}

bool BackgroundFlush::settle() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !asked_ && !busy_; });
  return !failed_;
}

void BackgroundFlush::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return asked_ || stopping_; });
    if (stopping_) return;
    asked_ = false;
    busy_ = true;
    lock.unlock();
    bool flushed = FlushFileBuffers(file_) != FALSE;
    lock.lock();
    busy_ = false;
    if (!flushed) failed_ = true;
    changed_.notify_all();
  }
}

}  // namespace kestova::shredder
