#pragma once
// "#,##0.00" with the user's thousands and decimal separators.
#include <string>

namespace kestova::win {

std::wstring formatThousands2(double value);

}  // namespace kestova::win
