#pragma once
#include <windows.h>

namespace kestova::shell {

// Opens "kestova.chm" from the program's folder through the shell; a failure is left to the shell.
void openHelpFile(HWND owner);

}  // namespace kestova::shell
