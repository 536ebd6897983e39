#include "win/process.h"

#include <vector>

#include "win/handles.h"

namespace kestova::win {

bool startProgram(const std::wstring& program, const std::wstring& arguments, WORD show) {
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  Handle thread(process.hThread);
  Handle owned(process.hProcess);
  return true;
}

}  // namespace kestova::win
