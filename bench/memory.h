#pragma once
// The process's private bytes, for the benchmarks' memory figures. Under Wine the peak the system
// reports is the current figure, so a bench also samples the figure itself while it works and
// keeps the largest.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdint>

namespace kestova::bench {

class PrivateBytes {
 public:
  PrivateBytes() : start_(now().second) {}
  // Takes a sample; cheap enough to call after every folder.
  void sample() { peak_ = std::max(peak_, now().first); }
  // The most the process held beyond what it held when this began.
  std::uint64_t growth() {
    sample();
    return peak_ > start_ ? peak_ - start_ : 0;
  }

 private:
  // (the larger of the peak and the current figure, the current figure)
  static std::pair<std::uint64_t, std::uint64_t> now() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return {0, 0};
    return {std::max(counters.PeakPagefileUsage, counters.PagefileUsage), counters.PagefileUsage};
  }

  std::uint64_t start_;
  std::uint64_t peak_ = 0;
};

}  // namespace kestova::bench
