#include "win/shell.h"

#include <shellapi.h>

namespace kestova::win {

bool shellOpen(const std::wstring& target, const wchar_t* verb, HWND parent, const std::wstring& parameters,
               int show) {
  auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(parent, verb && *verb ? verb : nullptr, target.c_str(),
                    parameters.empty() ? nullptr : parameters.c_str(), nullptr, show));
  return result > 32;
}

}  // namespace kestova::win
