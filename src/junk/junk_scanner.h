#pragma once
// The junk-file scan of one drive: walks every folder from the root, matches the ticked patterns
// against one read of each folder, lists dead shortcuts, and learns the coded browser and
// recycle folders on the way. No window: it reports through a ResultSink and two callbacks.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/config_file.h"
#include "core/junk_patterns.h"
#include "core/work_list.h"
#include "junk/result_sink.h"
#include "win/directory_listing.h"
#include "win/links.h"
#include "win/shell_link.h"

namespace kestova::junk {

struct ScanHooks {
  // A folder code was found (or found again) with this path.
  std::function<void(FolderCode, const std::wstring&)> folderFound;
  // The folder being searched, for the status line; the queue runs afterwards.
  std::function<void(const std::wstring&)> progress;
  // True when the walk is to end early (its window is closing); checked after each folder.
  std::function<bool()> stopped = [] { return false; };
};

class JunkScanner {
 public:
  // `folders` are read and updated as the walk discovers them; `recycleKnown` stops the guessing
  // of the recycle folder.
  JunkScanner(PatternChoice choice, CodedFolders& folders, bool recycleKnown, ResultSink& results, ScanHooks hooks);

  // Walks `root` ("C:"), adding a row per junk file and dead shortcut.
  void scan(const std::wstring& root);

  unsigned deadLinks() const { return deadLinks_; }
  bool recycleKnown() const { return recycleKnown_; }

 private:
  void listPatterns(const std::wstring& folder, const std::vector<win::DirectoryEntry>& entries);
  void listFile(const std::wstring& folder, const win::DirectoryEntry& entry);
  void listDeadLinks(const std::wstring& folder, const std::vector<win::DirectoryEntry>& entries);
  void visit(const std::wstring& folder, const std::vector<win::DirectoryEntry>& entries, bool root);
  // A folder holding "prefs.js" is a profile; its cache lies in it or in its local twin, and
  // nowhere else.
  void foundProfile(const std::wstring& folder, const std::vector<win::DirectoryEntry>& entries);
  // The profile's cache folder among `entries` of `folder`; empty when there is none.
  std::wstring cacheFolderIn(const std::wstring& folder, const std::vector<win::DirectoryEntry>& entries);
  void found(FolderCode code, const std::wstring& path);
  bool known(FolderCode code) const { return !folders_[code].empty(); }
  void add(JunkRow row, std::uint64_t bytes);

  PatternChoice choice_;
  CodedFolders& folders_;
  bool recycleKnown_;
  ResultSink& results_;
  ScanHooks hooks_;
  WorkList work_;
  win::LinkTest links_;  // for one scan
  win::ShortcutReader shortcuts_;
  unsigned deadLinks_ = 0;
};

}  // namespace kestova::junk
