#pragma once
// The duplicate search without its windows: the walk of a drive, the buckets of files that share
// a name and a size, and the comparison that hands over each group of identical files as soon as
// it is known, as the grid's rows.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/content_compare.h"
#include "core/duplicate_plan.h"
#include "dupes/bucket_opener.h"
#include "win/handles.h"
#include "win/links.h"
#include "win/locale_text.h"

namespace kestova::dupes {

// One grid row: name, folder ("C:" for a root), "1,234 Kb", short date, and the file as the walk
// listed it.
struct DuplicateRow {
  std::wstring name, path, size, date;
  CollectedFile file;
};

struct FinderHooks {
  // The walk read this folder; the queue may run here.
  std::function<void(const std::wstring& folder)> folderRead;
  // The comparison has read `done` of `total` bytes; the queue may run here (about every 50 ms).
  std::function<void(std::uint64_t done, std::uint64_t total)> progress;
  // Asked after each of the two above: true ends the search.
  std::function<bool()> stopped;
};

enum class SearchEnd {
  Finished,  // every bucket compared
  Stopped,   // the stop flag, during the comparison
  Ended      // the group callback asked to end while work remained
};

class DuplicateFinder {
 public:
  DuplicateFinder(bool limit, FinderHooks hooks);

  // Walks `root` ("C:"); false when stopped during the walk.
  bool walk(const std::wstring& root);
  // The files collected so far, during the walk too.
  std::size_t collected() const { return walk_.files.size(); }
  // Forms the buckets, largest first.
  void sort();
  // The bytes the comparison reads at most.
  std::uint64_t bytesToCompare() const { return total_; }
  // Compares bucket after bucket. Files in use, read-only files, links and files changed since the
  // walk are left out of their bucket first. Each group goes to `group` (rows in walk order) as
  // soon as it is known; the callback returns false to end the search.
  SearchEnd compare(const std::function<bool(std::vector<DuplicateRow>)>& group);

 private:
  // Runs the hooks when the last run is 50 ms old; true when the search is to stop.
  bool tick(std::uint64_t done);
  // The files of a bucket that may be compared, each with the handle its in-use test opened.
  BucketOpener::Opened comparable(const std::vector<std::size_t>& bucket);
  DuplicateRow rowOf(std::size_t index);
  std::wstring pathOf(std::size_t index) const;

  bool limit_;
  FinderHooks hooks_;
  WalkedFiles walk_;
  win::LinkTest links_;  // for one comparison
  win::ShortDates dates_;  // for one comparison
  BlockStore blocks_;
  std::vector<std::vector<std::size_t>> buckets_;
  std::uint64_t total_ = 0;
  unsigned long lastTick_ = 0;
};

}  // namespace kestova::dupes
