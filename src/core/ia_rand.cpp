#include "core/ia_rand.h"

#include <bit>
#include <cstring>
#include <vector>

namespace kestova {
namespace {

constexpr std::uint32_t kGoldenRatio = 0x9E3779B9u;

struct Mix {
  std::uint32_t a, b, c, d, e, f, g, h;
  void run() {
    a ^= b << 11; d += a; b += c;
    b ^= c >> 2;  e += b; c += d;
    c ^= d << 8;  f += c; d += e;
    d ^= e >> 16; g += d; e += f;
    e ^= f << 10; h += e; f += g;
    f ^= g >> 4;  a += f; g += h;
    g ^= h << 8;  b += g; h += a;
    h ^= a >> 9;  c += h; a += b;
  }
  void add(const std::uint32_t* w) {
    a += w[0]; b += w[1]; c += w[2]; d += w[3]; e += w[4]; f += w[5]; g += w[6]; h += w[7];
  }
  void store(std::uint32_t* w) const {
    w[0] = a; w[1] = b; w[2] = c; w[3] = d; w[4] = e; w[5] = f; w[6] = g; w[7] = h;
  }
};

}  // namespace

TIARand::TIARand(std::span<const std::uint8_t> snapshot) { Reseed(snapshot); }

void TIARand::Clear() {
  // Through a volatile pointer, so the zeroing of a dying object is not optimised away.
  auto wipe = [](std::uint32_t* p, std::size_t n) {
    volatile std::uint32_t* v = p;
    for (std::size_t i = 0; i < n; ++i) v[i] = 0;
  };
  wipe(results_.data(), kWords);
  wipe(memory_.data(), kWords);
  wipe(&counter_, 1);
  wipe(&last_, 1);
  seedPosition_ = 0;
}

void TIARand::Reseed(std::span<const std::uint8_t> snapshot) {
  Clear();
  std::vector<std::uint8_t> copy(snapshot.begin(), snapshot.end());
  AddBuffer(copy.data(), copy.size());
  Initialize();
}

std::uint32_t TIARand::Next() {
  if (counter_ == 0) {
    Generate();
    counter_ = 255;
  } else {
    --counter_;
  }
  return results_[counter_];
}

void TIARand::FillBuffer(void* buffer, std::int32_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  if (count > 0) {
    auto total = static_cast<std::size_t>(count);
    std::size_t blocks = total / kBatchBytes;
    for (std::size_t i = 0; i < blocks; ++i, out += kBatchBytes) {
      Generate();
      copyResults(out, kBatchBytes);
    }
    if (std::size_t rest = total % kBatchBytes) {
      Generate();
      copyResults(out, rest);
    }
  }
  Generate();  // the words handed out do not stay in the results
}

std::uint8_t TIARand::seedByte(std::size_t index) const {
  return static_cast<std::uint8_t>(results_[index / 4] >> (8 * (index % 4)));
}

void TIARand::setSeedByte(std::size_t index, std::uint8_t value) {
  unsigned shift = 8 * (index % 4);
  std::uint32_t& word = results_[index / 4];
  word = (word & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(value) << shift);
}

void TIARand::copyResults(std::uint8_t* out, std::size_t count) const {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, results_.data(), count);  // the words as they lie are the byte view
  } else {
    for (std::size_t i = 0; i < count; ++i) out[i] = seedByte(i);
  }
}

void TIARand::AddByte(std::uint8_t value) {
  if (seedPosition_ >= static_cast<std::int32_t>(kBatchBytes)) seedPosition_ = 0;
  auto index = static_cast<std::size_t>(seedPosition_);
  setSeedByte(index, static_cast<std::uint8_t>(seedByte(index) + value));
  ++seedPosition_;
}

void TIARand::AddInteger(std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) AddByte(static_cast<std::uint8_t>(bits >> shift));
}

void TIARand::AddBuffer(void* buffer, std::size_t length) {
  auto* bytes = static_cast<volatile std::uint8_t*>(buffer);
  for (std::size_t i = 0; i < length; ++i) AddByte(bytes[i]);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = 0;
}

void TIARand::Generate() {
  std::uint32_t b = last_;
  for (std::size_t i = 0; i < kWords; ++i) {
    std::uint32_t x = memory_[i];
    std::uint32_t y = memory_[x & 255] + b;
    memory_[i] = y;
    b = memory_[(y >> 8) & 255] + x;
    results_[i] = b;
  }
  last_ = b;
}

void TIARand::Initialize() {
  last_ = 0;
  Mix m{kGoldenRatio, kGoldenRatio, kGoldenRatio, kGoldenRatio,
        kGoldenRatio, kGoldenRatio, kGoldenRatio, kGoldenRatio};
  for (int i = 0; i < 4; ++i) m.run();
  for (std::size_t i = 0; i < kWords; i += 8) {
    m.add(&results_[i]);
    m.run();
    m.store(&memory_[i]);
  }
  for (std::size_t i = 0; i < kWords; i += 8) {
    m.add(&memory_[i]);
    m.run();
    m.store(&memory_[i]);
  }
  Generate();
  counter_ = 256;
}

}  // namespace kestova
