#pragma once
// The restore of the last repair: the backup file is handed to the shell's "open", which imports
// it through the system's registry editor; where the shell has no program for ".reg" files the
// program imports it itself.
#include <windows.h>

#include <string>

namespace kestova::registry {

// True when the shell has a program for the "open" action of ".reg" files.
bool ShellOpensRegFiles();

// Asks first; shows " RESTORE FILE NOT FOUND - NO REPAIR DONE TILL NOW" when the backup file is
// missing. Throws win::Error when the program's own import fails.
void RestoreBackup(HWND owner, const std::wstring& backupPath);

}  // namespace kestova::registry
