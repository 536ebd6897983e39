#include "registry/restore.h"

#include <shlwapi.h>

#include "registry/reg_import.h"
#include "win/dialogs.h"
#include "win/shell.h"

namespace kestova::registry {

bool ShellOpensRegFiles() {
  wchar_t command[MAX_PATH * 2];
  DWORD length = MAX_PATH * 2;
  return AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, L".reg", L"open", command, &length) == S_OK &&
         length > 1;
}

void RestoreBackup(HWND owner, const std::wstring& backupPath) {
  if (!win::confirm(owner, L"This will restore all keys deleted to Windows Registry, are you sure?")) return;
  const DWORD attributes = GetFileAttributesW(backupPath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    win::showMessage(owner, L" RESTORE FILE NOT FOUND - NO REPAIR DONE TILL NOW");
    return;
  }
  if (ShellOpensRegFiles() && win::shellOpen(backupPath, L"open", owner)) return;
  ImportRegFile(backupPath);
}

}  // namespace kestova::registry
