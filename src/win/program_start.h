#pragma once
// Starting programs and opening documents with a window show mode (SW_*).
#include <windows.h>

#include <string>

namespace kestova::win {

// Starts a command line as the command interpreter would (the program is searched on the
// system's path); false when it could not start. The program runs on its own.
bool startProgram(const std::wstring& commandLine, int show);
// ShellExecute; false when the shell reports a failure (a result of 32 or less).
bool shellExecute(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                  int show);

}  // namespace kestova::win
