// Duplicate search against its floor, timed side by side in one run on a drive mapped to a
// generated tree: the floor is a bare recursive FindFirstFileW walk plus one sequential read of
// every file that shares its name and size with another. Before that, the memory the search takes
// per candidate file on a drive of a million files made on the host (the folder given as the
// argument), as "memory per file N bytes". The last line is "ratio N.NN".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bare_walk.h"
#include "bench/memory.h"
#include "bench/timing.h"
#include "dupes/duplicate_finder.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "ui/application.h"
#include "win/handles.h"

using namespace kestova;

namespace {

constexpr int kFolders = 200;
constexpr int kUnique = 20000;       // sparse, over 100,000 bytes, never read
constexpr int kGroups = 1500;        // 2 to 4 copies each, real contents
constexpr int kNearPairs = 200;      // same name and size, different last block
constexpr std::size_t kNearSize = 256 * 1024;

std::wstring folderOf(const std::wstring& root, int index) {
  return root + L"f" + std::to_wstring(index % kFolders) + L"\\d" + std::to_wstring(index % 7) + L"\\";
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    std::fprintf(stderr, "cannot write a file\n");
    std::exit(1);
  }
}

std::string pattern(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  std::uint32_t x = seed * 2654435761u + 1;
  for (char& c : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x);
  }
  return bytes;
}

// Returns the files that share their name and size with another: the ones the floor reads.
std::vector<std::wstring> createTree(const std::wstring& root) {
  for (int f = 0; f < kFolders; ++f) {
    CreateDirectoryW((root + L"f" + std::to_wstring(f)).c_str(), nullptr);
    for (int d = 0; d < 7; ++d) CreateDirectoryW((root + L"f" + std::to_wstring(f) + L"\\d" + std::to_wstring(d)).c_str(), nullptr);
  }
  for (int i = 0; i < kUnique; ++i) {
    test::writeSizedFile(folderOf(root, i) + L"unique" + std::to_wstring(i) + L".bin", 100001 + static_cast<std::uint64_t>(i) * 7);
  }
  std::vector<std::wstring> shared;
  for (int g = 0; g < kGroups; ++g) {
    std::string bytes = pattern(100001 + static_cast<std::size_t>(g % 50) * 800, static_cast<unsigned>(g));
    std::wstring name = L"copy" + std::to_wstring(g) + L".dat";
    for (int c = 0; c < 2 + g % 3; ++c) {
      std::wstring path = folderOf(root, g * 5 + c * 37) + name;
      writeBytes(path, bytes);
      shared.push_back(path);
    }
  }
  for (int p = 0; p < kNearPairs; ++p) {
    std::string bytes = pattern(kNearSize, static_cast<unsigned>(100000 + p));
    std::wstring name = L"near" + std::to_wstring(p) + L".dat";
    for (int c = 0; c < 2; ++c) {
      bytes.back() = static_cast<char>(c);
      std::wstring path = folderOf(root, p * 3 + c * 11) + name;
      writeBytes(path, bytes);
      shared.push_back(path);
    }
  }
  return shared;
}

std::size_t walk(const std::wstring& folder) { return bench::bareWalk(folder); }

std::uint64_t readAll(const std::vector<std::wstring>& files) {
  static std::vector<char> buffer(1024 * 1024);
  std::uint64_t total = 0;
  for (const auto& path : files) {
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    DWORD got = 0;
    while (file && ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
      total += got;
    }
  }
  return total;
}

std::size_t search(const std::wstring& root) {
  // As the window does: the queue runs about every 50 ms.
  dupes::FinderHooks hooks{[shown = GetTickCount()](const std::wstring&) mutable {
                             if (GetTickCount() - shown < 50) return;
                             shown = GetTickCount();
                             ui::Application::processMessages();
                           },
                           [](std::uint64_t, std::uint64_t) { ui::Application::processMessages(); },
                           [] { return false; }};
  dupes::DuplicateFinder finder(false, hooks);
  finder.walk(root);
  finder.sort();
  std::size_t groups = 0;
  finder.compare([&](std::vector<dupes::DuplicateRow>) {
    ++groups;
    return true;
  });
  return groups;
}

// The whole search's peak private bytes beyond those before it, per candidate file, on the host's
// drive: the walk, the buckets and the comparison.
void memoryPerFile(const char* hostFolder) {
  auto drive = test::MappedDrive::forHostFolder(hostFolder);
  const std::wstring root = std::wstring(1, drive->letter()) + L":";
  bench::PrivateBytes memory;
  dupes::FinderHooks hooks{[&, shown = GetTickCount()](const std::wstring&) mutable {
                             memory.sample();
                             if (GetTickCount() - shown < 50) return;
                             shown = GetTickCount();
                             ui::Application::processMessages();
                           },
                           [&](std::uint64_t, std::uint64_t) {
                             memory.sample();
                             ui::Application::processMessages();
                           },
                           [] { return false; }};
  std::size_t files = 0, groups = 0;
  {
    dupes::DuplicateFinder finder(false, hooks);
    finder.walk(root);
    memory.sample();
    files = finder.collected();
    finder.sort();
    memory.sample();
    finder.compare([&](std::vector<dupes::DuplicateRow>) {
      memory.sample();
      ++groups;
      return true;
    });
  }
  const std::uint64_t growth = memory.growth();
  std::printf("memory: %zu candidate files on %lc:, %zu groups, peak private bytes %llu beyond the start\n", files,
              drive->letter(), groups, static_cast<unsigned long long>(growth));
  std::printf("memory per file %llu bytes\n", static_cast<unsigned long long>(files ? growth / files : 0));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) memoryPerFile(argv[1]);
  test::MappedDrive drive;
  std::wstring root(1, drive.letter());
  root += L":";
  std::printf("generating %d unique files, %d groups of 2 to 4 copies and %d near pairs on %lc:\n", kUnique, kGroups,
              kNearPairs, drive.letter());
  std::vector<std::wstring> shared = createTree(drive.root());

  std::size_t entries = walk(root);  // warms the caches for both
  std::uint64_t bytes = readAll(shared);
  std::size_t groups = search(root);
  double bestFloor = 1e9;
  double bestSearch = 1e9;
  for (int round = 0; round < 3; ++round) {
    bestFloor = std::min(bestFloor, bench::seconds([&] {
                           entries = walk(root);
                           bytes = readAll(shared);
                         }));
    bestSearch = std::min(bestSearch, bench::seconds([&] { groups = search(root); }));
  }
  std::printf("floor: walk of %zu entries and %zu shared files (%.1f MB) read, best of 3 %.3f s\n", entries,
              shared.size(), static_cast<double>(bytes) / 1048576, bestFloor);
  std::printf("search: %zu groups, best of 3 %.3f s\n", groups, bestSearch);
  std::printf("ratio %.2f\n", bestSearch / bestFloor);
  return 0;
}
