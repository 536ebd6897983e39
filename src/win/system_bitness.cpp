#include "win/system_bitness.h"

namespace kestova::win {
namespace {

// A 32-bit program running on 64-bit Windows.
bool isWow64Process() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto query = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return query && query(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring withoutTrailingSlash(std::wstring folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring folderFrom(UINT (WINAPI* query)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = query(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace

bool isWindows64() {
  static const bool answer = sizeof(void*) == 8 || isWow64Process();
  return answer;
}

std::vector<REGSAM> registryViews() {
  if (isWindows64()) return {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
  return {0};
}

std::wstring nativeSystemFolder(bool redirected, const std::wstring& windowsFolder, const std::wstring& systemFolder) {
  if (redirected && !windowsFolder.empty()) return withoutTrailingSlash(windowsFolder) + L"\\Sysnative";
  return withoutTrailingSlash(systemFolder);
}

std::wstring nativeSystemFolder() {
  return nativeSystemFolder(sizeof(void*) == 4 && isWow64Process(), folderFrom(GetSystemWindowsDirectoryW),
                            folderFrom(GetSystemDirectoryW));
}

}  // namespace kestova::win
