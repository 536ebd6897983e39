#include "core/work_list.h"

namespace kestova {

void WorkList::reset() {
  slots_.assign(1, Slot{});
  free_ = {};
  free_.push(0);
  pending_ = 0;
}

void WorkList::add(std::wstring folder) {
  std::size_t at;
  if (free_.empty()) {
    at = slots_.size();
    slots_.emplace_back();
  } else {
    at = free_.top();
    free_.pop();
  }
  slots_[at] = Slot{std::move(folder), true};
  ++pending_;
}

void WorkList::drain(const std::function<void(const std::wstring& folder)>& visit) {
  while (pending_ > 0) {
    std::size_t end = slots_.size();
    for (std::size_t i = 0; i < end; ++i) {
      if (!slots_[i].used) continue;
      // The slot stays taken during the visit; the folder's path is unique in the table, so
      // marking it done frees this very slot.
      std::wstring folder = slots_[i].folder;
      visit(folder);
      slots_[i] = Slot{};
      free_.push(i);
      --pending_;
    }
  }
}

}  // namespace kestova
