#include "core/hub_accounting.h"

#include <cwctype>
#include <string_view>

#include "core/number_format.h"

namespace kestova {

int driveNumberFor(wchar_t letter, int previous) {
  // A..Q are 1..17; then T U V X Z.
  static constexpr std::wstring_view kOrder = L"ABCDEFGHIJKLMNOPQTUVXZ";
  std::size_t at = kOrder.find(static_cast<wchar_t>(std::towupper(letter)));
  return at == std::wstring_view::npos ? previous : static_cast<int>(at) + 1;
}

std::wstring HubAccounting::capacityLine(std::uint64_t capacityBytes, std::uint64_t freeBytes) {
  double capacity = static_cast<double>(capacityBytes) / 1024 / 1024;
  std::wstring capacitySuffix = L" Mb Capacity. /";
  if (capacity > 1024) {
    capacity /= 1024;
    capacitySuffix = L" GB Capacity. /";
    unitGiga = true;
  }
  std::wstring line = capacity > 0 ? formatFixed2(capacity) + capacitySuffix : L"Disk not found";

  double free = static_cast<double>(freeBytes) / 1024 / 1024;
  std::wstring freeSuffix = L" Mb Free.";
  if (free > 1024) {
    free /= 1024;
    freeSuffix = L" GB Free.";
  }
  double& base = baseline[static_cast<std::size_t>(driveNumber)];
  if (base == 0) base = free;
  line += free > 0 ? L"     " + formatFixed2(base) + freeSuffix : L"    ";
  return line;
}

std::wstring HubAccounting::recoveredLine() const {
  return L"Disk Space Recovered:    " + formatFixed2(recoveredKB / 1024) + L" Mb  ";
}

}  // namespace kestova
