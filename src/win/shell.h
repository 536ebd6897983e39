#pragma once
// Documents, addresses and tools opened through the shell.
#include <windows.h>

#include <string>

namespace kestova::win {

// ShellExecute with the verb ("open", or empty for the default); true when the shell started it.
// `show` is how the started program's window first appears (SW_HIDE for a launcher).
bool shellOpen(const std::wstring& target, const wchar_t* verb = L"open", HWND parent = nullptr,
               const std::wstring& parameters = {}, int show = SW_SHOWNORMAL);

}  // namespace kestova::win
