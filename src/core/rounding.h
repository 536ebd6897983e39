#pragma once
// Rounding to the nearest integer with halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
#include <cmath>

namespace kestova {

inline long roundHalfEven(double value) {
  double floor = std::floor(value);
  double fraction = value - floor;
  long whole = static_cast<long>(floor);
  if (fraction > 0.5) return whole + 1;
  if (fraction < 0.5) return whole;
  return whole % 2 == 0 ? whole : whole + 1;
}

}  // namespace kestova
