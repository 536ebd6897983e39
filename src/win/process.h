#pragma once
// Starting another program.
#include <windows.h>

#include <string>

namespace kestova::win {

// Starts `program` (a full path) with `arguments` and the window state `show` (SW_HIDE, SW_SHOW,
// ...), without waiting for it; true when it started.
bool startProgram(const std::wstring& program, const std::wstring& arguments, WORD show);

}  // namespace kestova::win
