#pragma once
// The folders a junk scan still has to visit. The visit order is that of a slot table: a folder
// takes the lowest free slot, or a new slot at the end; each pass visits the slots up to the
// length the table had when the pass began. Free slots are kept in a min-heap, so adding costs
// O(log n) instead of a search, and the table grows without a fixed limit.
#include <cstddef>
#include <functional>
#include <queue>
#include <string>
#include <vector>

namespace kestova {

class WorkList {
 public:
  WorkList() { reset(); }

  // One free slot, as at the start and the end of a search.
  void reset();
  void add(std::wstring folder);
  std::size_t length() const { return slots_.size(); }
  std::size_t pending() const { return pending_; }

  // Runs passes until no folder is pending; `visit` may add folders. Each folder is marked done
  // after its visit.
  void drain(const std::function<void(const std::wstring& folder)>& visit);

 private:
  struct Slot {
    std::wstring folder;
    bool used = false;
  };
  std::vector<Slot> slots_;  // slot 1 is slots_[0]
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> free_;
  std::size_t pending_ = 0;
};

}  // namespace kestova
