#pragma once
// Byte-for-byte comparison of several files of one length at once: every file is read once,
// from its start, block by block in step with the others; files part ways at the first block
// that differs, and a file drops out as soon as no other matches it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kestova {

// The bytes of one file in order. A read that gives fewer bytes than asked ends the file: it is
// then different from every other one (gone, shrunk, unreadable).
class BlockSource {
 public:
  virtual ~BlockSource() = default;
  virtual std::size_t read(std::uint8_t* buffer, std::size_t count) = 0;
};

// The blocks of one comparison, kept for the next one: a fresh block of a megabyte costs page
// faults and zeroing every time, more than comparing it.
class BlockStore {
 public:
  // Block `index` with room for `count` bytes; its old content is not kept.
  std::uint8_t* block(std::size_t index, std::size_t count);
  // Gives the memory back once it holds more than `limit` bytes.
  void trim(std::size_t limit);

 private:
  std::vector<std::vector<std::uint8_t>> blocks_;
  std::size_t held_ = 0;
};

class ContentComparer {
 public:
  static constexpr std::size_t kFirstBlock = 16 * 1024;
  static constexpr std::size_t kDefaultBudget = 16 * 1024 * 1024;
  // The smallest block of the streaming steps: the budget holds it for budget / this files.
  static constexpr std::size_t kMinStreamBlock = 64 * 1024;

  // `memoryBudget` bounds the blocks held at once (one per file still being compared).
  // `store` (none: one of its own) holds the blocks, one per source.
  ContentComparer(std::vector<std::unique_ptr<BlockSource>> sources, std::uint64_t length,
                  std::size_t memoryBudget = kDefaultBudget, BlockStore* store = nullptr);

  // Reads the next block of every file still matched by another one; false once all is known.
  // A small first block settles files that differ early, then blocks grow to stream the rest.
  bool step();
  bool done() const { return classes_.empty() || offset_ >= length_; }
  // The sets of two or more files with identical contents (indices into the sources), each in
  // index order, ordered by their first index. Complete once done().
  std::vector<std::vector<std::size_t>> groups() const;
  std::uint64_t bytesRead() const { return bytesRead_; }

 private:
  std::size_t blockSize() const;
  void split(const std::vector<std::size_t>& members, std::size_t count, std::vector<std::vector<std::size_t>>& out);

  std::vector<std::unique_ptr<BlockSource>> sources_;
  BlockStore ownStore_;
  BlockStore& store_;
  std::vector<const std::uint8_t*> blocks_;  // the current block of each source
  std::vector<std::vector<std::size_t>> classes_;  // files equal so far, two or more each
  std::uint64_t length_;
  std::uint64_t offset_ = 0;
  std::uint64_t bytesRead_ = 0;
  std::size_t budget_;
};

}  // namespace kestova
