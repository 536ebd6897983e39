#pragma once
// The folder size and the three folder emptiers the cleaners of the junk-file cleaner share:
// E1 removes a tree, E2 empties one folder listing what it removes, E3 does the same for a tree
// and then sends the folder itself to the recycle bin. Only what is really removed is counted.
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/hub_accounting.h"
#include "junk/result_sink.h"

namespace kestova::junk {

// The sizes of all entries of `folder` and, recursively, of its subfolders whose names do not
// begin with "."; linked folders are not followed.
std::uint64_t folderSize(const std::wstring& folder);

class Emptiers {
 public:
  // `busy`: an action is running, so the recycle primitive with cursor keeps the hourglass.
  Emptiers(HubAccounting& accounting, ResultSink& results, HWND owner, bool busy)
      : accounting_(accounting), results_(results), owner_(owner), busy_(busy) {}

  // E1: deletes everything below `folder` (given with its trailing "\"), removing each
  // subfolder or, when it cannot be removed, sending it to the recycle bin. False when a folder
  // could not be enumerated (or another error stopped it); the error was shown.
  bool emptyTree(const std::wstring& folder);
  // E2: deletes the files of `folder` (given with its trailing "\") and empties its subfolders
  // with E3; lists removed files as "Deleted" while the row count is at most 100.
  void emptyListing(const std::wstring& folder);
  // E3: E2, then the folder itself goes to the recycle bin.
  void emptyAndRecycle(const std::wstring& folder);
  // E2 on a subfolder (given without its trailing "\"), then what is left of it goes to the
  // recycle bin entry by entry and the subfolder is removed.
  void emptyAndRemove(const std::wstring& folder);

  // A folder E1 never touches (the program's own); a folder that holds it is emptied but kept.
  void keep(const std::wstring& folder) { kept_ = folder; }

 private:
  void emptyTreeEntries(const std::wstring& folder);
  void emptyFolder(const std::wstring& folder, bool recycleAfter);
  void removeSubfolder(const std::wstring& path);
  bool isKept(const std::wstring& path) const;
  bool holdsKept(const std::wstring& path) const;

  HubAccounting& accounting_;
  ResultSink& results_;
  HWND owner_;
  bool busy_;
  std::wstring kept_;
};

}  // namespace kestova::junk
