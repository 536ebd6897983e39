#include "dupes/duplicate_finder.h"

#include <windows.h>

#include "core/duplicate_rules.h"
#include "core/large_set_compare.h"
#include "dupes/bucket_opener.h"
#include "dupes/duplicate_walk.h"
#include "dupes/file_block_source.h"
#include "dupes/listed_file.h"
#include "win/links.h"
#include "win/locale_text.h"
#include "win/removal.h"

namespace kestova::dupes {
namespace {

constexpr DWORD kTickInterval = 50;

}  // namespace

DuplicateFinder::DuplicateFinder(bool limit, FinderHooks hooks) : limit_(limit), hooks_(std::move(hooks)) {}

bool DuplicateFinder::walk(const std::wstring& root) {
  buckets_.clear();
  return collectFiles(root, limit_, walk_, [this](const std::wstring& folder) {
    hooks_.folderRead(folder);
    return !hooks_.stopped();
  });
}

void DuplicateFinder::sort() {
  buckets_ = candidateBuckets(walk_, [](const std::wstring& name) { return upperCase(name); });
  total_ = 0;
  for (const auto& bucket : buckets_) total_ += walk_.files[bucket.front()].bytes * bucket.size();
}

bool DuplicateFinder::tick(std::uint64_t done) {
  DWORD now = GetTickCount();
  if (now - lastTick_ < kTickInterval) return false;
  lastTick_ = now;
  hooks_.progress(done, total_);
  return hooks_.stopped();
}

std::wstring DuplicateFinder::pathOf(std::size_t index) const { return walk_.pathOf(index); }

BucketOpener::Opened DuplicateFinder::comparable(
    const std::vector<std::size_t>& bucket) {
  BucketOpener::Opened kept;
  for (std::size_t index : bucket) {
    std::wstring path = pathOf(index);
    const WalkedFile& walked = walk_.files[index];
    DWORD attributes = walked.attributes;
    // Read-only by its attribute too: an account that may write anyway (root under Wine) opens it.
    if (attributes & FILE_ATTRIBUTE_READONLY) continue;
    // The in-use test's own open reads the file for the comparison: one open per file; and the
    // link test asks that handle where it leads.
    win::FileHandle file = win::openUnshared(path);
    if (!file) continue;
    // Written to since the walk: bytes past the walk's length would go unread, and the row would
    // show what the walk saw. Unshared, the handle keeps it so while the comparison reads it.
    if (!stillAsListed(file.get(), walked.bytes, walked.lastWrite)) continue;
    std::size_t cut = path.rfind(L'\\');
    if (links_.isLink(path.substr(0, cut), path.substr(cut + 1), attributes, file.get())) continue;
    if (kept.size() >= static_cast<std::size_t>(FileBlockSource::kMaxOpenFiles)) file.close();  // opened again to be read
    kept.emplace_back(index, std::move(file));
  }
  return kept;
}

DuplicateRow DuplicateFinder::rowOf(std::size_t index) {
  const WalkedFile& walked = walk_.files[index];
  CollectedFile file{upperCase(walked.name), upperCase(walk_.folders[walked.folder].path), walked.bytes,
                     walked.lastWrite, pathOf(index), walked.attributes};
  return {file.name, file.folder, duplicateSizeText(duplicateKilobytes(file.bytes), win::thousandsSeparator()),
          dates_(file.lastWrite), file};
}

SearchEnd DuplicateFinder::compare(const std::function<bool(std::vector<DuplicateRow>)>& group) {
  std::uint64_t done = 0;
  links_ = win::LinkTest();
  dates_ = win::ShortDates();
  lastTick_ = GetTickCount();
  // The link test is used by the opener's thread alone until the opener is gone.
  BucketOpener opener(buckets_.size(), [this](std::size_t b) { return comparable(buckets_[b]); });
  for (std::size_t b = 0; b < buckets_.size(); ++b) {
    const std::vector<std::size_t>& bucket = buckets_[b];
    std::uint64_t length = walk_.files[bucket.front()].bytes;
    if (tick(done)) return SearchEnd::Stopped;
    auto opened = opener.take();
    std::vector<std::size_t> members;
    std::vector<std::vector<std::size_t>> groups;
    if (opened.size() > LargeSetComparer::directLimit(ContentComparer::kDefaultBudget)) {
      // Too many files for a block each within the budget: hashed one by one, then compared.
      std::vector<win::FileHandle> handles;
      for (auto& [index, file] : opened) {
        members.push_back(index);
        handles.push_back(std::move(file));
      }
      LargeSetComparer comparer(members.size(), length, [&](std::size_t member) -> std::unique_ptr<BlockSource> {
        // The in-use test's handle serves the first read; later reads open the file again.
        if (handles[member]) return std::make_unique<FileBlockSource>(pathOf(members[member]), std::move(handles[member]));
        return std::make_unique<FileBlockSource>(pathOf(members[member]));
      }, ContentComparer::kDefaultBudget, &blocks_);
      while (comparer.step()) {
        if (tick(done + comparer.bytesRead())) return SearchEnd::Stopped;
      }
      groups = comparer.groups();
    } else if (opened.size() >= 2) {
      std::vector<std::unique_ptr<BlockSource>> sources;
      for (auto& [index, file] : opened) {
        members.push_back(index);
        sources.push_back(std::make_unique<FileBlockSource>(pathOf(index), std::move(file)));
      }
      ContentComparer comparer(std::move(sources), length, ContentComparer::kDefaultBudget, &blocks_);
      while (comparer.step()) {
        if (tick(done + comparer.bytesRead())) return SearchEnd::Stopped;
      }
      groups = comparer.groups();
    }
    blocks_.trim(2 * ContentComparer::kDefaultBudget);
    done += length * bucket.size();
    for (std::size_t g = 0; g < groups.size(); ++g) {
      std::vector<DuplicateRow> rows;
      for (std::size_t member : groups[g]) rows.push_back(rowOf(members[member]));
      bool goOn = group(std::move(rows));
      bool workRemains = g + 1 < groups.size() || b + 1 < buckets_.size();
      if (!workRemains) break;
      if (!goOn) return SearchEnd::Ended;
      if (hooks_.stopped()) return SearchEnd::Stopped;  // a stop seen while the group was shown
    }
  }
  hooks_.progress(total_, total_);
  return SearchEnd::Finished;
}

}  // namespace kestova::dupes
