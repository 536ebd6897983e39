#pragma once
// The wall-clock time of one run, for the benchmarks' side-by-side figures.
#include <chrono>

namespace kestova::bench {

template <typename F>
double seconds(F&& run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace kestova::bench
