#pragma once
// The number formats the hub shows: "0.00" and "#,##0.00".
#include <string>

namespace kestova {

std::wstring formatFixed2(double value);
std::wstring formatThousands2(double value);

}  // namespace kestova
