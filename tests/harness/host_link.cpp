#include "harness/host_link.h"

#include <windows.h>

#include "harness/temp_folder.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// The unix path of a Windows path whose last part need not exist yet, that part taken as written.
std::wstring hostPathOf(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L'\\');
  return widen(unixPath(path.substr(0, slash))) + L"/" + path.substr(slash + 1);
}

}  // namespace

bool runHostProgram(const std::string& program, const std::wstring& arguments) {
  std::wstring command = L"\"" + windowsPath(program) + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  win::Handle processHandle(process.hProcess);
  win::Handle threadHandle(process.hThread);
  // Wine's handle of a host program need not be waitable: callers look for what it made.
  WaitForSingleObject(processHandle.get(), 120000);
  return true;
}

bool makeHostLink(const std::wstring& target, const std::wstring& link) {
  runHostProgram("/bin/ln", L"-s \"" + widen(unixPath(target)) + L"\" \"" + hostPathOf(link) + L"\"");
  // Wine's exit code of a unix program says nothing useful; the link is what counts.
  for (int i = 0; i < 50 && GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);
  return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool renameOnHost(const std::wstring& from, const std::wstring& to) {
  runHostProgram("/bin/mv", L"\"" + widen(unixPath(from)) + L"\" \"" + hostPathOf(to) + L"\"");
  for (int i = 0; i < 50 && GetFileAttributesW(from.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);
  return GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool makeHostFiles(const std::wstring& folder, int count, const std::wstring& extension) {
  const std::string script =
      "import os,sys\n"
      "root,count,extension=sys.argv[1],int(sys.argv[2]),sys.argv[4]\n"
      "for i in range(count):\n"
      "  d=os.path.join(root,'d%d'%(i//100))\n"
      "  os.makedirs(d,exist_ok=True)\n"
      "  open(os.path.join(d,'f%d'%i+extension),'w').close()\n"
      "open(sys.argv[3],'w').close()\n";
  TempFolder scripts;
  std::wstring file = scripts.writeFile(L"make_files.py", script);
  std::wstring done = scripts.path() + L"done";
  if (!runHostProgram("/usr/bin/python3", L"\"" + widen(unixPath(file)) + L"\" \"" + widen(unixPath(folder)) +
                                              L"\" " + std::to_wstring(count) + L" \"" + widen(unixPath(done)) + L"\" " + extension)) {
    return false;
  }
  // Wine may report the host program as ended before it is: its last act is the mark.
  for (int i = 0; i < 1200 && GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool emptyHostFolder(const std::wstring& folder) {
  std::wstring mark = folder + (folder.back() == L'\\' ? L"" : L"\\") + L"emptied";
  std::string script = "import os,shutil,sys\n"
                       "for e in os.scandir(sys.argv[1]):\n"
                       "  shutil.rmtree(e.path) if e.is_dir(follow_symlinks=False) else os.remove(e.path)\n"
                       "open(sys.argv[2],'w').close()\n";
  TempFolder scripts;
  std::wstring file = scripts.writeFile(L"empty_folder.py", script);
  if (!runHostProgram("/usr/bin/python3", L"\"" + widen(unixPath(file)) + L"\" \"" + widen(unixPath(folder)) +
                                              L"\" \"" + widen(unixPath(mark)) + L"\"")) {
    return false;
  }
  for (int i = 0; i < 1200 && GetFileAttributesW(mark.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  return DeleteFileW(mark.c_str()) != FALSE;
}

}  // namespace kestova::test
