#include "core/overlapped_fill.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace kestova {
namespace {

using Buffer = std::vector<std::uint8_t>;

// Zeros a buffer when it goes away, however the pass ends; through a volatile pointer, so the
// stores to memory about to be freed are not optimised away.
class ZeroedBuffer {
 public:
  explicit ZeroedBuffer(std::size_t size) : bytes_(size) {}
  ZeroedBuffer(const ZeroedBuffer&) = delete;
  ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;
  ~ZeroedBuffer() {
    volatile std::uint8_t* v = bytes_.data();
    for (std::size_t i = 0; i < bytes_.size(); ++i) v[i] = 0;
  }
  std::uint8_t* data() { return bytes_.data(); }

 private:
  Buffer bytes_;
};

struct Blocks {
  std::uint64_t total;
  std::size_t blockSize;
  std::uint64_t count() const { return (total + blockSize - 1) / blockSize; }
  std::size_t size(std::uint64_t index) const {
    std::uint64_t start = index * blockSize;
    return static_cast<std::size_t>(std::min<std::uint64_t>(blockSize, total - start));
  }
};

void fill(TIARand& generator, std::uint8_t* buffer, std::size_t length) {
  generator.FillBuffer(buffer, static_cast<std::int32_t>(length));
}

}  // namespace

void writeRandomBlocks(TIARand& generator, std::uint64_t total, std::size_t blockSize, const BlockWriter& write) {
  if (total == 0 || blockSize == 0) return;
  Blocks blocks{total, blockSize};
  ZeroedBuffer buffer(blocks.size(0));
  for (std::uint64_t i = 0; i < blocks.count(); ++i) {
    fill(generator, buffer.data(), blocks.size(i));
    write(buffer.data(), blocks.size(i));
  }
}

void writeRandomBlocksOverlapped(TIARand& generator, std::uint64_t total, std::size_t blockSize,
                                 const BlockWriter& write, std::size_t blocksPerChunk) {
  if (total == 0 || blockSize == 0) return;
  Blocks blocks{total, blockSize};
  const std::uint64_t count = blocks.count();
  if (blocksPerChunk == 0) {
    blocksPerChunk = static_cast<std::size_t>(std::clamp<std::uint64_t>(count / 4, 1, kMaxBlocksPerChunk));
  }
  const std::uint64_t chunks = (count + blocksPerChunk - 1) / blocksPerChunk;
  auto firstBlock = [&](std::uint64_t chunk) { return chunk * blocksPerChunk; };
  auto endBlock = [&](std::uint64_t chunk) { return std::min<std::uint64_t>(count, firstBlock(chunk + 1)); };
  std::size_t chunkBytes = blockSize * static_cast<std::size_t>(std::min<std::uint64_t>(count, blocksPerChunk));
  std::vector<std::unique_ptr<ZeroedBuffer>> buffers;
  for (std::uint64_t i = 0; i < std::min<std::uint64_t>(chunks, kChunksAhead); ++i) {
    buffers.push_back(std::make_unique<ZeroedBuffer>(chunkBytes));
  }
  // Block b of chunk c sits at offset (b - first block of c) * blockSize of buffer c % ring.
  auto at = [&](std::uint64_t chunk, std::uint64_t block) {
    return buffers[chunk % buffers.size()]->data() + static_cast<std::size_t>(block - firstBlock(chunk)) * blockSize;
  };

  // The generator may fill chunk c once chunk c - kChunksAhead is written; the writer may write
  // chunk c once it is filled.
  std::mutex lock;
  std::condition_variable changed;
  std::uint64_t filled = 0;
  std::uint64_t written = 0;
  bool stop = false;

  auto generate = [&] {
    for (std::uint64_t c = 0; c < chunks; ++c) {
      {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return c < written + kChunksAhead || stop; });
        // A chunk whose buffer is free is always made, so where the generator stops after a
        // failed write does not depend on timing.
        if (c >= written + kChunksAhead) return;
      }
      for (std::uint64_t b = firstBlock(c); b < endBlock(c); ++b) fill(generator, at(c, b), blocks.size(b));
      {
        std::lock_guard<std::mutex> hold(lock);
        filled = c + 1;
      }
      changed.notify_all();
    }
  };

  std::thread worker;
  try {
    worker = std::thread(generate);
  } catch (const std::system_error&) {
    writeRandomBlocks(generator, total, blockSize, write);
    return;
  }

  std::exception_ptr failure;
  try {
    for (std::uint64_t c = 0; c < chunks; ++c) {
      {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return filled > c; });
      }
      for (std::uint64_t b = firstBlock(c); b < endBlock(c); ++b) write(at(c, b), blocks.size(b));
      {
        std::lock_guard<std::mutex> hold(lock);
        written = c + 1;
      }
      changed.notify_all();
    }
  } catch (...) {
    failure = std::current_exception();
  }
  {
    std::lock_guard<std::mutex> hold(lock);
    stop = true;
  }
  changed.notify_all();
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace kestova
