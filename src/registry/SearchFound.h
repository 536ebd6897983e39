#pragma once
// The invalid-reference test: each hit of the search is tested on the user-interface thread;
// a hit whose data names a path on drive B, C or W that passes the rule chain and exists
// neither as a file nor as a folder is recorded as a registry error.
#include <functional>
#include <string>
#include <vector>

#include "core/text_lines.h"
#include "registry/TResult.h"
#include "registry/rdThds.h"

namespace kestova::registry {

class TRegistryErrors {
 public:
  TRegistryErrors();

  // A search starts: the counters are cleared and the result list emptied.
  void Reset();
  // The search's OnFound: tests the hit and records it when it is an error. Throws win::Error,
  // before recording anything, when "rrr.TXT" cannot be written.
  void SearchFound(const TSearchHit& hit);

  int ErrorCount = 0;
  int FixedCount = 0;  // set by the repair
  // Entry n - 1 belongs to error n. The tables grow with the errors (no limit of 100,000).
  std::vector<std::wstring> FoundKeys, FoundNames, FoundData;
  std::vector<std::wstring> FoundPaths;  // the key's real path below its root, for the backup
  // Every invalid path in order of discovery; "Memo2" first, never cleared.
  Lines InvalidPathLog;
  std::vector<TResult> Results;
  // Called after each recorded error (the window grows its list).
  std::function<void(const TResult&)> OnRecorded;

 private:
  void saveLog();
  std::wstring logPath_;       // the full path "rrr.TXT" was last written to
  unsigned long logSize_ = 0;  // its size as written then
};

// The existence test of an extracted path: a file or folder in any of the seven forms.
bool PathExists(const std::wstring& path);

}  // namespace kestova::registry
