#include "dupes/bucket_opener.h"

#include <system_error>

namespace kestova::dupes {

BucketOpener::BucketOpener(std::size_t buckets, std::function<Opened(std::size_t)> open)
    : buckets_(buckets), open_(std::move(open)) {
  if (buckets_ == 0) return;
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    // no second thread: take() opens each bucket itself
  }
}

BucketOpener::~BucketOpener() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

BucketOpener::Opened BucketOpener::take() {
  if (!thread_.joinable()) return open_(taken_++);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !ready_.empty() || failure_; });
  if (ready_.empty()) std::rethrow_exception(failure_);
  Opened bucket = std::move(ready_.front());
  ready_.pop_front();
  ++taken_;
  changed_.notify_all();
  return bucket;
}

void BucketOpener::run() {
  std::unique_lock lock(mutex_);
  while (opened_ < buckets_) {
    changed_.wait(lock, [this] { return stopping_ || opened_ - taken_ < kAhead; });
    if (stopping_) return;
    std::size_t bucket = opened_;
    lock.unlock();
    Opened files;
    std::exception_ptr failure;
    try {
      files = open_(bucket);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    if (failure) {
      failure_ = failure;
      changed_.notify_all();
      return;
    }
    ready_.push_back(std::move(files));
    ++opened_;
    changed_.notify_all();
  }
}

}  // namespace kestova::dupes
