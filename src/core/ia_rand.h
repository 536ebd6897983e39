#pragma once
// TIARand: Bob Jenkins' IA generator (256 words, 8-bit indirection) with the ISAAC
// initialisation. Seeded from a snapshot of volatile system state; the snapshot is gathered
// by the platform layer (shredder/entropy.h) and handed in as bytes, so the generator itself
// is platform-free and fully determined by those bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kestova {

class TIARand {
 public:
  // Seeds from the snapshot bytes, added in order as AddByte would, then initialises.
  explicit TIARand(std::span<const std::uint8_t> snapshot);
  ~TIARand() { Clear(); }
  TIARand(const TIARand&) = delete;
  TIARand& operator=(const TIARand&) = delete;

  // Discards all state, adds the snapshot and initialises.
  void Reseed(std::span<const std::uint8_t> snapshot);
  // Zeros every field.
  void Clear();

  // Reads the batch from index 255 down to 0, generating a new batch after the last one.
  std::uint32_t Next();
  // Fills `count` bytes with fresh batches, then generates once more; the read position of
  // Next is left alone. A count of 0 or less writes nothing.
  void FillBuffer(void* buffer, std::int32_t count);

  // Adds into the seed area (the results viewed as 1024 little-endian bytes), wrapping at 1024.
  void AddByte(std::uint8_t value);
  // The four bytes, most significant first.
  void AddInteger(std::int32_t value);
  // Each byte in order; the caller's bytes are then overwritten with zeros.
  void AddBuffer(void* buffer, std::size_t length);

  // One IA step over the whole batch.
  void Generate();
  // Jenkins' ISAAC initialisation from the seed area; ends with a batch ready for Next.
  void Initialize();

  static constexpr std::size_t kWords = 256;
  static constexpr std::size_t kBatchBytes = kWords * 4;

 private:
  std::uint8_t seedByte(std::size_t index) const;
  void setSeedByte(std::size_t index, std::uint8_t value);
  void copyResults(std::uint8_t* out, std::size_t count) const;

  std::array<std::uint32_t, kWords> results_{};
  std::array<std::uint32_t, kWords> memory_{};
  std::uint32_t counter_ = 0;
  std::uint32_t last_ = 0;
  std::int32_t seedPosition_ = 0;
};

}  // namespace kestova
