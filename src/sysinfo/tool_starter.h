#pragma once
// How the system information window starts the system's tools: the one place a test replaces,
// so that it reads each command line instead of running a disk check.
#include <windows.h>

#include <memory>
#include <string>

namespace kestova::sysinfo {

class ToolStarter {
 public:
  virtual ~ToolStarter() = default;
  // Starts a command line with a show mode (SW_*); false when it could not start.
  virtual bool run(const std::wstring& commandLine, int show) = 0;
  // Opens a file with the shell's "open" verb; false when the shell reports a failure.
  virtual bool open(HWND owner, const std::wstring& file, const std::wstring& parameters, int show) = 0;
  // Starts a program elevated, with the shell's "runas" verb (the system asks the user first).
  virtual bool elevate(HWND owner, const std::wstring& file, const std::wstring& parameters, int show) = 0;
};

// The system's program start and shell.
std::unique_ptr<ToolStarter> systemToolStarter();

}  // namespace kestova::sysinfo
