#pragma once
// The traces the Windows traces cleaner erases: four folders below the Windows folder and
// most-recently-used lists of the current user. Apart from any window, so tests run it on
// folders and keys of their own.
#include <array>
#include <optional>
#include <string>

#include "traces/folder_emptier.h"

namespace kestova::traces {

// In the order they are cleaned.
enum class Trace {
  ApplicationLog,
  OfflineWebPages,
  DisabledStartupItems,
  DownloadedProgramFiles,
  TypedUrls,
  RunHistory,
  FindHistory,
};
inline constexpr int kTraceCount = 7;

using TraceSelection = std::array<bool, kTraceCount>;

// The folder of a file trace below the Windows folder, without a leading backslash.
const wchar_t* traceFolder(Trace trace);

class TracesCleaner {
 public:
  // `windowsFolder` is the system's Windows folder; without it the file traces are skipped.
  TracesCleaner(std::optional<std::wstring> windowsFolder, EmptyHooks hooks);

  // Cleans the selected traces in order; false when the pump asked to stop.
  bool clean(const TraceSelection& selection) const;
  // What the cleanings so far removed and left.
  const Tally& tally() const { return tally_; }

 private:
  bool cleanFolder(Trace trace) const;
  bool pump() const;

  std::optional<std::wstring> windowsFolder_;
  EmptyHooks hooks_;
  mutable Tally tally_;
};

// The registry traces below HKEY_CURRENT_USER; keys are opened, never created, and a missing
// key or value is passed over. The typed addresses go with their times; a letter list's order
// value keeps only the letters still there.
void deleteTypedUrls(Tally& tally);
void deleteRunHistory(Tally& tally);
void deleteFindHistory(Tally& tally);

}  // namespace kestova::traces
