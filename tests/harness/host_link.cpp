#include "harness/host_link.h"

#include <windows.h>

#include "harness/temp_folder.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

bool makeHostLink(const std::wstring& target, const std::wstring& link) {
  std::size_t slash = link.find_last_of(L'\\');
  std::string linkUnix = unixPath(link.substr(0, slash)) + "/" + std::string(link.begin() + slash + 1, link.end());
  std::wstring command = L"\"" + windowsPath("/bin/ln") + L"\" -s \"" + widen(unixPath(target)) + L"\" \"" +
                         widen(linkUnix) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  win::Handle processHandle(process.hProcess);
  win::Handle threadHandle(process.hThread);
  WaitForSingleObject(processHandle.get(), 10000);
  // Wine's exit code of a unix program says nothing useful; the link is what counts.
  for (int i = 0; i < 50 && GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);
  return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace kestova::test
