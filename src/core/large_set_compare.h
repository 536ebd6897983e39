#pragma once
// Byte-for-byte comparison of a set of files of one length too large for each file to hold a
// block at once. Every file is first read alone to a hash of its bytes; files of equal hash are
// then compared with the first of them in chunks small enough for the memory budget. The hash
// only sorts: two files are a group only when their bytes were compared.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/content_compare.h"

namespace kestova {

class LargeSetComparer {
 public:
  // Opens member i from its start; called once for its hash and once or more to compare it.
  using Opener = std::function<std::unique_ptr<BlockSource>(std::size_t member)>;

  // The members the plain ContentComparer keeps within `memoryBudget`: beyond this many, its
  // smallest blocks alone would exceed the budget.
  static std::size_t directLimit(std::size_t memoryBudget);

  LargeSetComparer(std::size_t members, std::uint64_t length, Opener open,
                   std::size_t memoryBudget = ContentComparer::kDefaultBudget, BlockStore* store = nullptr);

  // Reads the next block (of one file while hashing, of one chunk while comparing); false once
  // all is known.
  bool step();
  bool done() const { return hashed_ >= members_ && !chunk_ && current_.empty() && pending_.empty(); }
  // As ContentComparer::groups(): sets of identical files, each in index order, by first index.
  std::vector<std::vector<std::size_t>> groups() const;
  // Progress, in bytes of the set's length times its members (reads beyond that not counted).
  std::uint64_t bytesRead() const { return progress_; }

 private:
  void finishHashing();
  void startChunk();
  void finishChunk();

  std::size_t members_;
  std::uint64_t length_;
  Opener open_;
  std::size_t budget_;
  BlockStore ownStore_;
  BlockStore& store_;

  // Hashing: the member being read and the hash of each member read whole.
  std::size_t hashed_ = 0;
  std::unique_ptr<BlockSource> reading_;
  std::uint64_t readAt_ = 0;
  std::uint64_t runningHash_ = 0;
  std::vector<std::pair<std::uint64_t, std::size_t>> hashes_;  // (hash, member)

  // Comparing: classes still to settle, the one being settled and the chunk under way.
  std::vector<std::vector<std::size_t>> pending_;
  std::vector<std::size_t> current_;   // current_[0] is the class's first file
  std::size_t nextInClass_ = 1;
  std::vector<std::size_t> equal_;      // members found equal to current_[0]
  std::vector<std::size_t> different_;  // members found different from it
  std::vector<std::size_t> chunkMembers_;  // current_[0] first
  std::optional<ContentComparer> chunk_;
  std::uint64_t chunkCounted_ = 0;

  std::vector<std::vector<std::size_t>> groups_;
  std::uint64_t progress_ = 0;
};

}  // namespace kestova
