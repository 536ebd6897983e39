#pragma once
// The folder size and the three folder emptiers the cleaners of the junk-file cleaner share:
// E1 removes a tree, E2 empties one folder listing what it removes, E3 does the same for a tree
// and then sends the folder itself to the recycle bin. Only what is really removed is counted.
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "core/hub_accounting.h"
#include "junk/result_sink.h"
#include "win/file_identity.h"

namespace kestova::junk {

// The sizes of all entries of `folder` and, recursively, of its subfolders whose names do not
// begin with "."; linked folders are not followed.
std::uint64_t folderSize(const std::wstring& folder);

class Emptiers {
 public:
  // `busy`: an action is running, so the recycle primitive with cursor keeps the hourglass.
  Emptiers(HubAccounting& accounting, ResultSink& results, bool busy)
      : accounting_(accounting), results_(results), busy_(busy) {}

  // E1: deletes everything below `folder` (given with its trailing "\"), removing each
  // subfolder or, when it cannot be removed, sending it to the recycle bin. A folder that cannot
  // be read stays as it is, and so do the folders that hold it; the walk goes on with the next.
  void emptyTree(const std::wstring& folder);
  // The folders E1 could not read so far, each counted once.
  std::size_t unreadableFolders() const { return unreadable_.size(); }
  // E2: deletes the files of `folder` (given with its trailing "\") and empties its subfolders
  // with E3; lists removed files as "Deleted" while the row count is at most 100.
  void emptyListing(const std::wstring& folder);
  // E3: E2, then the folder itself goes to the recycle bin.
  void emptyAndRecycle(const std::wstring& folder);
  // E2 on a subfolder (given without its trailing "\"), then what is left of it goes to the
  // recycle bin entry by entry and the subfolder is removed.
  void emptyAndRemove(const std::wstring& folder);

  // A folder E1 never touches (the program's own), known by what it is, not by how it is
  // spelled; a folder that holds it is emptied but kept.
  void keep(const std::wstring& folder) { kept_ = win::fileIdentity(folder); }
  bool isKept(const std::wstring& folder) const;

 private:
  // False when something below had to stay, so that the folder stays too.
  bool emptyTreeEntries(const std::wstring& folder);
  void emptyFolder(const std::wstring& folder, bool recycleAfter);
  void removeSubfolder(const std::wstring& path);

  HubAccounting& accounting_;
  ResultSink& results_;
  bool busy_;
  std::optional<win::FileIdentity> kept_;
  std::set<std::wstring> unreadable_;
};

}  // namespace kestova::junk
