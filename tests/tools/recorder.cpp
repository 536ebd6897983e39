// Stands in for a program that another one starts: appends its command line (UTF-16, one line
// each) to the file named like itself with ".log" added, and ends.
#include <windows.h>

int wmain() {
  wchar_t self[MAX_PATH + 8] = {};
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  lstrcatW(self, L".log");
  HANDLE log = CreateFileW(self, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  WriteFile(log, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
  WriteFile(log, L"\n", sizeof(wchar_t), &written, nullptr);
  CloseHandle(log);
  return 0;
}
