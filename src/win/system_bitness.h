#pragma once
// What 64-bit Windows shows a program differently by the program's own bitness: the registry's
// two views and the system folder. A 32-bit program on 64-bit Windows (WOW64) is redirected to
// the 32-bit view of HKLM\Software and to SysWOW64 unless it asks otherwise.
#include <windows.h>

#include <string>
#include <vector>

namespace kestova::win {

// True on 64-bit Windows, whichever build asks.
bool isWindows64();

// The registry views a machine-wide setting must be written in for every program to see it:
// KEY_WOW64_64KEY and KEY_WOW64_32KEY on 64-bit Windows, the one view (0) on 32-bit Windows.
std::vector<REGSAM> registryViews();

// The folder of the system's own 64-bit tools on 64-bit Windows (Sysnative, the alias a 32-bit
// program must use to reach System32 itself), else the system folder. No trailing "\".
std::wstring nativeSystemFolder();
// The choice itself, for the folders the system gave.
std::wstring nativeSystemFolder(bool redirected, const std::wstring& windowsFolder, const std::wstring& systemFolder);

}  // namespace kestova::win
