#pragma once
// Facts about a drive and the memory, for the system information window. Drive queries run with
// the system's critical-error dialogs switched off (ErrorModeScope), so an empty drive answers
// with a failure instead of a "no disk" dialog.
#include <windows.h>

#include <string>

#include "core/drive_facts.h"

namespace kestova::win {

// Critical-error dialogs off for its lifetime; the previous mode is restored, whatever happens.
class ErrorModeScope {
 public:
  ErrorModeScope();
  ErrorModeScope(const ErrorModeScope&) = delete;
  ErrorModeScope& operator=(const ErrorModeScope&) = delete;
  ~ErrorModeScope();

 private:
  UINT previous_;
};

// Drive type, volume information and cluster geometry of letter + ":\"; a failed query leaves
// its fields at zero or empty.
VolumeFacts volumeFacts(wchar_t letter);
// True when the root of the drive lists any entry other than "." and "..".
bool rootHasEntries(wchar_t letter);
// True when the path names something that exists (a file, a folder or a device).
bool pathExists(const std::wstring& path);
// The global memory status in 64-bit figures; zeros when the query fails.
MemoryFacts memoryFacts();

}  // namespace kestova::win
