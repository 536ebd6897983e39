#include "core/large_set_compare.h"

#include <algorithm>

namespace kestova {
namespace {

constexpr std::size_t kHashBlock = ContentComparer::kMinStreamBlock;

std::uint64_t fnv1a(std::uint64_t hash, const std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) hash = (hash ^ data[i]) * 0x100000001B3ull;
  return hash;
}

}  // namespace

std::size_t LargeSetComparer::directLimit(std::size_t memoryBudget) {
  return std::max<std::size_t>(memoryBudget / ContentComparer::kMinStreamBlock, 2);
}

LargeSetComparer::LargeSetComparer(std::size_t members, std::uint64_t length, Opener open, std::size_t memoryBudget,
                                   BlockStore* store)
    : members_(members),
      length_(length),
      open_(std::move(open)),
      budget_(memoryBudget),
      store_(store ? *store : ownStore_) {
  hashes_.reserve(members_);
  if (members_ < 2) hashed_ = members_;
}

bool LargeSetComparer::step() {
  if (done()) return false;
  if (hashed_ < members_) {
    if (!reading_) {
      reading_ = open_(hashed_);
      readAt_ = 0;
      runningHash_ = 0xCBF29CE484222325ull;
    }
    const std::size_t count = static_cast<std::size_t>(
        std::min<std::uint64_t>({length_ - readAt_, kHashBlock, std::max<std::size_t>(budget_, 1)}));
    std::uint8_t* block = store_.block(0, count);
    const std::size_t got = count ? reading_->read(block, count) : 0;
    runningHash_ = fnv1a(runningHash_, block, got);
    readAt_ += got;
    progress_ += got / 2;
    if (got < count) {
      reading_.reset();  // unreadable or shorter: different from every other file
      ++hashed_;
    } else if (readAt_ >= length_) {
      reading_.reset();
      hashes_.emplace_back(runningHash_, hashed_);
      ++hashed_;
    }
    if (hashed_ >= members_) finishHashing();
    return !done();
  }
  if (!chunk_) startChunk();
  if (chunk_) {
    chunk_->step();
    // Half of what the members other than the class's first file read is progress.
    const std::size_t n = chunkMembers_.size();
    const std::uint64_t counted = chunk_->bytesRead() / n * (n - 1) / 2;
    progress_ = std::min(progress_ + counted - chunkCounted_, length_ * members_);
    chunkCounted_ = counted;
    if (chunk_->done()) finishChunk();
  }
  return !done();
}

void LargeSetComparer::finishHashing() {
  std::sort(hashes_.begin(), hashes_.end());
  for (std::size_t start = 0; start < hashes_.size();) {
    std::size_t end = start + 1;
    while (end < hashes_.size() && hashes_[end].first == hashes_[start].first) ++end;
    if (end - start >= 2) {
      std::vector<std::size_t> members;
      for (std::size_t i = start; i < end; ++i) members.push_back(hashes_[i].second);
      pending_.push_back(std::move(members));
    }
    start = end;
  }
  std::vector<std::pair<std::uint64_t, std::size_t>>().swap(hashes_);
}

void LargeSetComparer::startChunk() {
  while (!chunk_) {
    if (current_.empty()) {
      if (pending_.empty()) return;
      current_ = std::move(pending_.back());
      pending_.pop_back();
      nextInClass_ = 1;
      equal_.clear();
      different_.clear();
    }
    // The class's first file and as many others as the budget lets the plain comparer hold.
    const std::size_t room = directLimit(budget_) - 1;
    chunkMembers_.assign(1, current_.front());
    while (nextInClass_ < current_.size() && chunkMembers_.size() <= room) {
      chunkMembers_.push_back(current_[nextInClass_++]);
    }
    std::vector<std::unique_ptr<BlockSource>> sources;
    for (std::size_t member : chunkMembers_) sources.push_back(open_(member));
    chunk_.emplace(std::move(sources), length_, budget_, &store_);
    chunkCounted_ = 0;
    if (chunk_->done()) finishChunk();  // an empty file: nothing to read
  }
}

void LargeSetComparer::finishChunk() {
  const std::vector<std::vector<std::size_t>> parts = chunk_->groups();
  chunk_.reset();
  std::vector<bool> equal(chunkMembers_.size(), false);
  if (!parts.empty() && parts.front().front() == 0) {
    for (std::size_t part : parts.front()) equal[part] = true;
  }
  for (std::size_t i = 1; i < chunkMembers_.size(); ++i) {
    (equal[i] ? equal_ : different_).push_back(chunkMembers_[i]);
  }
  if (nextInClass_ < current_.size()) return;
  // The class is settled: the first file's group, and the rest to be settled among themselves.
  if (!equal_.empty()) {
    std::vector<std::size_t> group = equal_;
    group.push_back(current_.front());
    std::sort(group.begin(), group.end());
    groups_.push_back(std::move(group));
  }
  if (different_.size() >= 2) pending_.push_back(different_);
  current_.clear();
}

std::vector<std::vector<std::size_t>> LargeSetComparer::groups() const {
  std::vector<std::vector<std::size_t>> result = groups_;
  std::sort(result.begin(), result.end(), [](const auto& a, const auto& b) { return a.front() < b.front(); });
  return result;
}

}  // namespace kestova
