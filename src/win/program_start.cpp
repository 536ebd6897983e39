#include "win/program_start.h"

#include <shellapi.h>

#include "win/handles.h"

namespace kestova::win {

bool startProgram(const std::wstring& commandLine, int show) {
  std::wstring line = commandLine;  // CreateProcessW may write into it
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  Handle thread(process.hThread);
  Handle child(process.hProcess);
  return true;
}

bool shellExecute(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                  int show) {
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                                                        parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                                                        show));
  return result > 32;
}

}  // namespace kestova::win
