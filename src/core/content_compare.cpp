#include "core/content_compare.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace kestova {
namespace {

constexpr std::size_t kMaxStreamBlock = 1024 * 1024;
constexpr std::size_t kDirectCompare = 8;

std::uint64_t fnv1a(const std::uint8_t* data, std::size_t count) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (std::size_t i = 0; i < count; ++i) hash = (hash ^ data[i]) * 0x100000001B3ull;
  return hash;
}

}  // namespace

std::uint8_t* BlockStore::block(std::size_t index, std::size_t count) {
  if (index >= blocks_.size()) blocks_.resize(index + 1);
  std::vector<std::uint8_t>& block = blocks_[index];
  if (block.size() < count) {
    held_ += count - block.size();
    block.resize(count);
  }
  return block.data();
}

void BlockStore::trim(std::size_t limit) {
  if (held_ <= limit) return;
  std::vector<std::vector<std::uint8_t>>().swap(blocks_);
  held_ = 0;
}

ContentComparer::ContentComparer(std::vector<std::unique_ptr<BlockSource>> sources, std::uint64_t length,
                                 std::size_t memoryBudget, BlockStore* store)
    : sources_(std::move(sources)),
      store_(store ? *store : ownStore_),
      blocks_(sources_.size()),
      length_(length),
      budget_(memoryBudget) {
  if (sources_.size() < 2) return;
  std::vector<std::size_t> all(sources_.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  classes_.push_back(std::move(all));
}

std::size_t ContentComparer::blockSize() const {
  std::uint64_t left = length_ - offset_;
  std::size_t size = kFirstBlock;
  if (offset_ > 0) {
    std::size_t live = 0;
    for (const auto& members : classes_) live += members.size();
    size = std::clamp(budget_ / std::max<std::size_t>(live, 1), ContentComparer::kMinStreamBlock, kMaxStreamBlock);
    size -= size % 4096;
  }
  return static_cast<std::size_t>(std::min<std::uint64_t>(size, left));
}

bool ContentComparer::step() {
  if (done()) return false;
  std::size_t count = blockSize();
  std::vector<std::vector<std::size_t>> next;
  for (const auto& members : classes_) split(members, count, next);
  classes_ = std::move(next);
  offset_ += count;
  if (done()) {
    blocks_.clear();  // the files and their blocks are no longer needed
    for (auto& source : sources_) source.reset();
  }
  return !done();
}

void ContentComparer::split(const std::vector<std::size_t>& members, std::size_t count,
                            std::vector<std::vector<std::size_t>>& out) {
  std::vector<std::size_t> read;
  for (std::size_t member : members) {
    std::uint8_t* block = store_.block(member, count);
    blocks_[member] = block;
    std::size_t got = sources_[member]->read(block, count);
    bytesRead_ += got;
    if (got == count) {
      read.push_back(member);
    } else {
      sources_[member].reset();
    }
  }
  // Members with equal blocks stay together; the bytes decide. A few members are compared with
  // each part's first block directly (hashing costs more than that on a 32-bit build); many are
  // first sorted by a hash.
  std::vector<std::vector<std::size_t>> parts;
  std::unordered_multimap<std::uint64_t, std::size_t> partsByHash;
  for (std::size_t member : read) {
    const std::uint8_t* data = blocks_[member];
    std::uint64_t hash = read.size() > kDirectCompare ? fnv1a(data, count) : 0;
    auto [first, last] = partsByHash.equal_range(hash);
    auto match = std::find_if(first, last, [&](const auto& entry) {
      return std::memcmp(blocks_[parts[entry.second].front()], data, count) == 0;
    });
    if (match != last) {
      parts[match->second].push_back(member);
    } else {
      partsByHash.emplace(hash, parts.size());
      parts.push_back({member});
    }
  }
  for (auto& part : parts) {
    if (part.size() >= 2) {
      out.push_back(std::move(part));
    } else {
      sources_[part.front()].reset();
    }
  }
}

std::vector<std::vector<std::size_t>> ContentComparer::groups() const {
  std::vector<std::vector<std::size_t>> result = classes_;
  std::sort(result.begin(), result.end(), [](const auto& a, const auto& b) { return a.front() < b.front(); });
  return result;
}

}  // namespace kestova
