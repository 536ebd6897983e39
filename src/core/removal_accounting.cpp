#include "core/removal_accounting.h"

namespace kestova {
namespace {

double& currentBaseline(HubAccounting& accounting) {
  return accounting.baseline[static_cast<std::size_t>(accounting.driveNumber)];
}

}  // namespace

void countRemovedKilobytes(HubAccounting& accounting, double kilobytes) {
  countRemovedKilobytes(accounting, kilobytes, accounting.driveNumber);
}

void countRemovedKilobytes(HubAccounting& accounting, double kilobytes, int driveNumber) {
  accounting.recoveredKB += kilobytes;
  if (driveNumber < 0 || static_cast<std::size_t>(driveNumber) >= accounting.baseline.size()) return;
  accounting.baseline[static_cast<std::size_t>(driveNumber)] +=
      accounting.unitGiga ? kilobytes / 1024 / 1024 : kilobytes / 1024;
}

void countRemovedBytes(HubAccounting& accounting, std::uint64_t bytes, double extraKB) {
  accounting.recoveredKB += static_cast<double>(bytes) / 1024 + extraKB;
  countFreedBytes(accounting, bytes);
}

void countFreedBytes(HubAccounting& accounting, std::uint64_t bytes) {
  double megabytes = static_cast<double>(bytes) / 1024 / 1024;
  currentBaseline(accounting) += accounting.unitGiga ? megabytes / 1024 : megabytes;
}

}  // namespace kestova
