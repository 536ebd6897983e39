// Single-pass shred of a 256 MiB file against the floor: a plain write of 256 MiB with the same
// open flags and block size. Prints the MB/s of both and, last, the ratio of their times.
#include <windows.h>

#include <algorithm>
#include <cstdio>
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

// A file of kSize bytes with content, as a file to shred has.
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

// The floor: open as the engine does, write kSize bytes in its blocks from one buffer.
double plainWrite(const std::wstring& path) {
  std::vector<std::uint8_t> buffer(TSWipe::kBlockSize, 0x5A);
  LARGE_INTEGER start = now();
  kestova::win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return -1;
  for (std::uint64_t left = kSize; left > 0;) {
    DWORD block = static_cast<DWORD>(std::min<std::uint64_t>(left, TSWipe::kBlockSize));
    DWORD written = 0;
    if (!WriteFile(file.get(), buffer.data(), block, &written, nullptr) || written != block) return -1;
    left -= block;
  }
  file.close();
  return seconds(start, now());
}

// The whole single-pass shred; `passEnd` receives the time its overwrite pass took.
double shred(const std::wstring& path, double& passEnd) {
  TSWipe engine(nullptr);
  engine.SetPasses(0);
  LARGE_INTEGER start = now();
  engine.setPassHook([&](int, HANDLE) { passEnd = seconds(start, now()); });
  engine.WipeFile(path);
  return seconds(start, now());
}

// The generator alone, for the same amount of random bytes.
double generate() {
  std::vector<std::uint8_t> snapshot(64, 1);
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

}  // namespace

int main() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"kestova-bench-" + std::to_wstring(GetCurrentProcessId());
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return 2;
  std::wstring floorFile = folder + L"\\floor.bin";
  std::wstring shredFile = folder + L"\\shred.bin";
  double bestWrite = 1e9, bestShred = 1e9;
  constexpr int kRounds = 3;
  int status = 0;
  for (int round = 0; round < kRounds && status == 0; ++round) {
    if (!makeFile(floorFile) || !makeFile(shredFile)) {
      status = 3;
      break;
    }
    double w = plainWrite(floorFile);
    double s = -1, pass = 0;
    try {
      s = shred(shredFile, pass);
    } catch (const std::exception&) {
      s = -1;
    }
    if (w <= 0 || s <= 0) status = 4;
    bestWrite = std::min(bestWrite, w);
    bestShred = std::min(bestShred, s);
    std::printf("round %d: write %.3f s, shred %.3f s (overwrite %.3f s, truncate, rename and delete %.3f s)\n",
                round + 1, w, s, pass, s - pass);
  }
  DeleteFileW(floorFile.c_str());
  DeleteFileW(shredFile.c_str());
  RemoveDirectoryW(folder.c_str());
  if (status) {
    std::printf("failed (%d)\n", status);
    return status;
  }
  double mb = static_cast<double>(kSize) / (1024.0 * 1024.0);
  std::printf("generator alone: %.1f MB/s\n", mb / generate());
  std::printf("plain write: %.1f MB/s\n", mb / bestWrite);
  std::printf("shred (1 pass): %.1f MB/s\n", mb / bestShred);
  std::printf("ratio %.2f\n", bestShred / bestWrite);
  return 0;
}
