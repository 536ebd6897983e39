#pragma once
// The number formats the hub shows: "0.00" and "#,##0.00", and whole numbers grouped by threes.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestova {

std::wstring formatFixed2(double value);
std::wstring formatThousands2(double value);
// The digits of `value` in groups of three, `separator` between the groups ("#,##0").
std::wstring groupThousands(std::uint64_t value, std::wstring_view separator);

}  // namespace kestova
