#pragma once
// Opens the files of the buckets ahead of the comparison, on a second thread. The in-use open and
// the link test are round trips to the system (under Wine, to its server) while the comparison
// reads from the cache, so the two overlap. Buckets are opened and taken in order.
#include <windows.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "win/handles.h"

namespace kestova::dupes {

class BucketOpener {
 public:
  // A bucket's comparable files: the index of each with the handle its in-use test opened.
  using Opened = std::vector<std::pair<std::size_t, win::FileHandle>>;
  // Buckets the second thread may have open before the comparison takes them.
  static constexpr std::size_t kAhead = 4;

  // `open` makes bucket b's files (0 <= b < buckets); it runs on the second thread, or in take()
  // when that thread could not start.
  BucketOpener(std::size_t buckets, std::function<Opened(std::size_t)> open);
  BucketOpener(const BucketOpener&) = delete;
  BucketOpener& operator=(const BucketOpener&) = delete;
  // Ends the second thread once the bucket it is opening is done; what was not taken is closed.
  ~BucketOpener();

  // The next bucket's files, waiting for them when need be; passes on what `open` threw.
  Opened take();

 private:
  void run();

  std::size_t buckets_;
  std::function<Opened(std::size_t)> open_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Opened> ready_;
  std::size_t opened_ = 0;  // buckets made so far
  std::size_t taken_ = 0;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace kestova::dupes
