#pragma once
// The folder of the executable, where the settings files and every shipped file live. Before
// each read or write of such a file the folder becomes the current directory.
#include <string>

namespace kestova::win {

// With a trailing backslash.
std::wstring programFolder();
// Tests run the windows against a folder of their own.
void setProgramFolder(const std::wstring& folder);
// Makes the program's folder the current directory; throws when it cannot.
void enterProgramFolder();

}  // namespace kestova::win
