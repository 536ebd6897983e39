// The shred of a 256 MiB file against an honest floor for a tool that must reach the disk,
// measured side by side in one run, best of three rounds each:
//   W  a plain write of random-like bytes with the engine's open flags and block size, then
//      FlushFileBuffers (printed split into the writes and the flush);
//   R  the truncation, rename and delete of that written file, as the engine does them;
//   G  the generator alone filling as many bytes in the same block sizes;
//   S  the single-pass shred of an equal file (S3: the three-pass shred).
// Generation and writing overlap, so the floor is max(W, G) + R; for three random passes it is
// 3 max(W, G) + R. Prints the MB/s of W, G and S, the three-pass ratio, and last "ratio N.NN".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shredder/TSWipe.h"
#include "win/handles.h"

namespace {

using kestova::shredder::TSWipe;
constexpr std::uint64_t kSize = 256ull << 20;

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// A file of kSize bytes with content, on the disk, as a file to shred is.
bool makeFile(const std::wstring& path) {
  kestova::win::FileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::vector<char> block(1 << 20, 'k');
  for (std::uint64_t done = 0; done < kSize; done += block.size()) {
    DWORD written = 0;
    if (!WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr)) return false;
  }
  return FlushFileBuffers(file.get()) != FALSE;
}

struct Round {
  double write = -1;    // W
  double removal = -1;  // R
  double generate = -1; // G
  double shred = -1;    // S
  double shred3 = -1;   // S3
};

// W then R on the same file: the engine's open, its blocks from one buffer and the flush; then
// the engine's truncation, rename to 200 zeros and delete.
bool writeThenRemove(const std::wstring& folder, const std::wstring& path, Round& round) {
  // Bytes as incompressible as the shred's: a storage layer that compresses or merges equal pages
  // would make a constant pattern cheaper than random bytes. Each 4 KiB page gets the block
  // number, so no two pages are alike.
  std::vector<std::uint8_t> buffer(TSWipe::kBlockSize);
  kestova::TIARand noise(std::vector<std::uint8_t>(400, 7));
  noise.FillBuffer(buffer.data(), static_cast<std::int32_t>(buffer.size()));
  std::uint32_t blockNumber = 0;
  LARGE_INTEGER start = now();
  kestova::win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  for (std::uint64_t left = kSize; left > 0;) {
    DWORD block = static_cast<DWORD>(std::min<std::uint64_t>(left, TSWipe::kBlockSize));
    ++blockNumber;
    for (std::size_t page = 0; page < buffer.size(); page += 4096) std::memcpy(&buffer[page], &blockNumber, 4);
    DWORD written = 0;
    if (!WriteFile(file.get(), buffer.data(), block, &written, nullptr) || written != block) return false;
    left -= block;
  }
  LARGE_INTEGER beforeFlush = now();
  if (!FlushFileBuffers(file.get())) return false;
  LARGE_INTEGER written = now();
  std::printf("  write %.3f s, flush %.3f s\n", seconds(start, beforeFlush), seconds(beforeFlush, written));
  round.write = seconds(start, written);

  LARGE_INTEGER zero = {};
  if (!SetFilePointerEx(file.get(), zero, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) return false;
  file.close();
  std::wstring renamed = folder + L"\\" + std::wstring(200, L'0');
  if (!MoveFileW(path.c_str(), renamed.c_str()) || !DeleteFileW(renamed.c_str())) return false;
  round.removal = seconds(written, now());
  return true;
}

double shred(const std::wstring& path, int algorithm) {
  TSWipe engine(nullptr);
  engine.SetPasses(algorithm);
  LARGE_INTEGER start = now();
  double firstWrite = -1;
  std::vector<double> passes;
  int flushes = 0;
  double inFlush = 0, last = 0;
  bool lastWasFlush = false;
  engine.setFileHook([&](TSWipe::FileStep step) {
    double t = seconds(start, now());
    if (lastWasFlush) inFlush += t - last;
    last = t;
    lastWasFlush = step == TSWipe::FileStep::Flush;
    if (step == TSWipe::FileStep::Write && firstWrite < 0) firstWrite = t;
    if (step == TSWipe::FileStep::Flush) ++flushes;
    return true;
  });
  engine.setPassHook([&](int, HANDLE) { passes.push_back(seconds(start, now())); });
  if (!engine.WipeFile(path)) return -1;
  double all = seconds(start, now());
  std::printf("  shred %d: first write %.3f s, passes end", algorithm, firstWrite);
  for (double p : passes) std::printf(" %.3f", p);
  std::printf(" s (%d flushes waited for, %.3f s in them)", flushes, inFlush);
  std::printf(", done %.3f s\n", all);
  return all;
}

// The generator alone, for the same bytes in the same block sizes.
double generate() {
  std::vector<std::uint8_t> snapshot(400, 1);
  kestova::TIARand generator(snapshot);
  std::vector<std::uint8_t> buffer(TSWipe::kBlockSize);
  LARGE_INTEGER start = now();
  for (std::uint64_t left = kSize; left > 0;) {
    auto block = static_cast<std::int32_t>(std::min<std::uint64_t>(left, TSWipe::kBlockSize));
    generator.FillBuffer(buffer.data(), block);
    left -= static_cast<std::uint64_t>(block);
  }
  return seconds(start, now());
}

bool measure(const std::wstring& folder, Round& round) {
  std::wstring floorFile = folder + L"\\floor.bin";
  std::wstring shredFile = folder + L"\\shred.bin";
  if (!makeFile(floorFile) || !writeThenRemove(folder, floorFile, round)) return false;
  round.generate = generate();
  try {
    if (!makeFile(shredFile)) return false;
    round.shred = shred(shredFile, 0);
    if (!makeFile(shredFile)) return false;
    round.shred3 = shred(shredFile, 1);
  } catch (const std::exception&) {
    return false;
  }
  return round.shred > 0 && round.shred3 > 0;
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"kestova-bench-" + std::to_wstring(GetCurrentProcessId());
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return 2;
  Round best{1e9, 1e9, 1e9, 1e9, 1e9};
  constexpr int kRounds = 3;
  bool ok = true;
  for (int i = 0; i < kRounds && ok; ++i) {
    Round r;
    ok = measure(folder, r);
    if (!ok) break;
    std::printf("round %d: W %.3f s, R %.3f s, G %.3f s, S %.3f s, S3 %.3f s\n", i + 1, r.write, r.removal,
                r.generate, r.shred, r.shred3);
    best = {std::min(best.write, r.write), std::min(best.removal, r.removal), std::min(best.generate, r.generate),
            std::min(best.shred, r.shred), std::min(best.shred3, r.shred3)};
  }
  DeleteFileW((folder + L"\\floor.bin").c_str());
  DeleteFileW((folder + L"\\shred.bin").c_str());
  RemoveDirectoryW(folder.c_str());
  if (!ok) {
    std::printf("failed\n");
    return 3;
  }
  double mb = static_cast<double>(kSize) / (1024.0 * 1024.0);
  double stage = std::max(best.write, best.generate);
  std::printf("write and flush (W): %.1f MB/s\n", mb / best.write);
  std::printf("generator (G): %.1f MB/s\n", mb / best.generate);
  std::printf("shred, 1 pass (S): %.1f MB/s\n", mb / best.shred);
  std::printf("truncate, rename and delete (R): %.3f s\n", best.removal);
  std::printf("three-pass ratio %.2f\n", best.shred3 / (3 * stage + best.removal));
  std::printf("ratio %.2f\n", best.shred / (stage + best.removal));
  return 0;
}
