#pragma once
// The registry search: a worker thread walks the five root keys (skipping the alias subtrees of
// the key equivalents) and reports every value whose name or data contains the search text.
// Its reports run synchronously on the thread that made it (the user-interface thread) while
// the worker waits.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "registry/regequiv.h"
#include "win/handles.h"
#include "win/ui_thread_call.h"

namespace kestova::registry {

// One hit: the key text (root name in capitals, path in lower case), the key's real path below
// its root, the value name, the data text and the highlighted parts (1-based; 0 = none).
struct TSearchHit {
  HKEY RootKey = nullptr;
  std::wstring Key;
  std::wstring KeyPath;
  std::wstring ValueName;
  std::wstring Data;
  int KeyMatchPos = 0, NameMatchPos = 0, DataMatchPos = 0;
  int KeyMatchLen = 0, NameMatchLen = 0, DataMatchLen = 0;
};

using TFoundEvent = std::function<void(const TSearchHit&)>;
using TProgressEvent = std::function<void(int keysVisited, int reportedCount)>;

// The roots of the criteria mode's HiveMask.
inline constexpr std::uint8_t kHiveClassesRoot = 0x01, kHiveCurrentUser = 0x02, kHiveLocalMachine = 0x04,
                              kHiveUsers = 0x08, kHiveCurrentConfig = 0x10;

class TSearchThread {
 public:
  enum : std::uint8_t { Created = 0, Running = 1, Stopped = 2, Finished = 4 };

  // Plain mode. Created suspended; `maxResults` is kept but not consulted.
  TSearchThread(const std::wstring& searchText, TProgressEvent onProgress, TFoundEvent onFound, int maxResults,
                bool caseSensitive, const TKeyEquivalents& equivalents = KeyEquivalents());
  // Criteria mode: every key entered under the roots of `hiveMask` is reported once (the lists
  // are empty in every use; non-empty lists are not supported).
  TSearchThread(const std::wstring& searchText, TProgressEvent onProgress, TFoundEvent onFound, int maxResults,
                bool caseSensitive, std::vector<std::wstring> keyCriteria, std::vector<std::wstring> nameCriteria,
                std::vector<std::wstring> dataCriteria, bool matchAllKey, bool matchAllName, bool matchAllData,
                std::uint8_t hiveMask, const TKeyEquivalents& equivalents = KeyEquivalents());
  TSearchThread(const TSearchThread&) = delete;
  TSearchThread& operator=(const TSearchThread&) = delete;
  // Requests the stop and waits for the worker; reports that arrive meanwhile are dropped.
  ~TSearchThread();

  // Called on the owner's thread once the walk has ended (the termination event).
  std::function<void()> OnTerminate;

  void Start();
  // The terminate request, polled by the walk at every key and every value.
  void Terminate() { terminated_ = true; }
  // Waits for the end of the worker on the owner's thread, letting the reports run.
  void WaitFor();

  std::uint8_t Status() const { return status_; }
  int ReportedCount() const { return reportedCount_; }
  int KeysVisited() const { return keysVisited_; }

 private:
  static unsigned __stdcall threadMain(void* self);
  void Execute();
  // Walks the key `name` below `parent` (the root itself when `name` is empty at depth 1).
  void walkKey(HKEY parent, const std::wstring& name, const std::wstring& keyText, const std::wstring& realPath,
               int depth);
  struct KeyCounts {
    DWORD subkeys, maxSubkeyLen, values, maxValueNameLen, maxValueLen;
  };
  // Reports the matching values; true when any matched.
  bool walkValues(HKEY key, const KeyCounts& counts);
  void walkSubkeys(HKEY key, const KeyCounts& counts, const std::wstring& keyText, const std::wstring& realPath,
                   int depth);
  bool checkStop();
  void report();
  void progress();
  bool isEquivalent(const std::wstring& keyText) const;

  // settings
  bool criteriaMode_ = false;
  std::wstring searchText_;
  std::string searchBytes_;
  std::optional<std::int32_t> searchNumber_;
  std::vector<std::wstring> keyCriteria_, nameCriteria_, dataCriteria_;
  bool matchAllKey_ = false, matchAllName_ = false, matchAllData_ = false;
  bool caseSensitive_ = false;
  int maxResults_ = 0;
  std::uint8_t hiveMask_ = 0x1F;
  TKeyEquivalents equivalents_;
  TProgressEvent onProgress_;
  TFoundEvent onFound_;

  // state of the walk (worker only, read by the callbacks while the worker waits)
  TSearchHit current_;
  bool stopFlag_ = false;
  std::atomic<bool> terminated_{false};
  std::atomic<std::uint8_t> status_{Created};
  std::atomic<int> reportedCount_{0};
  std::atomic<int> keysVisited_{0};
  std::atomic<bool> detached_{false};

  win::UiThreadCall ui_;
  win::Handle thread_;
};

}  // namespace kestova::registry
