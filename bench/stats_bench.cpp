// Statistics collection against the floor: a bare recursive FindFirstFileW walk of the same tree,
// timed side by side in one run on a drive mapped to a generated tree. Before that, the memory
// the collection takes per file on a drive of a million files made on the host (the folder given
// as the argument), as "memory per file N bytes". The last line is "ratio N.NN".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/bare_walk.h"
#include "bench/memory.h"
#include "bench/timing.h"
#include "core/disk_stats.h"
#include "harness/mapped_drive.h"
#include "stats/collector.h"
#include "ui/application.h"
#include "win/handles.h"

using namespace kestova;

namespace {

constexpr int kTop = 100, kSub = 99;  // 10 000 folders
constexpr int kFilesPerFolder = 10;   // 100 000 files
const wchar_t* const kExtensions[] = {L".txt", L".dat", L".jpg", L".TXT", L".html", L".log", L".Dat", L""};

void createFiles(const std::wstring& folder, int& file) {
  for (int f = 0; f < kFilesPerFolder; ++f, ++file) {
    std::wstring name = folder + L"file" + std::to_wstring(file) + kExtensions[file % std::size(kExtensions)];
    win::FileHandle handle(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    std::string bytes(static_cast<std::size_t>(file % 3000), 'k');
    WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

void createTree(const std::wstring& root) {
  int file = 0;
  for (int t = 0; t < kTop; ++t) {
    std::wstring top = root + L"top" + std::to_wstring(t) + L"\\";
    CreateDirectoryW(top.c_str(), nullptr);
    createFiles(top, file);
    for (int s = 0; s < kSub; ++s) {
      std::wstring sub = top + L"sub" + std::to_wstring(s) + L"\\";
      CreateDirectoryW(sub.c_str(), nullptr);
      createFiles(sub, file);
    }
  }
}

std::size_t walk(const std::wstring& folder) { return bench::bareWalk(folder); }

std::size_t collect(wchar_t letter, DiskStats& stats) {
  std::size_t folders = 0;
  stats::CollectStatistics(letter, stats, [&](const std::wstring&) {
    ++folders;
    ui::Application::processMessages();
    return true;
  });
  return folders;
}

// The collection's peak private bytes beyond those before it, per file, on the host's drive.
void memoryPerFile(const char* hostFolder) {
  auto drive = test::MappedDrive::forHostFolder(hostFolder);
  DiskStats stats;  // its fixed tables are there before the walk, as in the window
  bench::PrivateBytes memory;
  std::size_t folders = 0;
  stats::CollectStatistics(drive->letter(), stats, [&](const std::wstring&) {
    ++folders;
    memory.sample();
    ui::Application::processMessages();
    return true;
  });
  const std::uint64_t growth = memory.growth();
  std::uint64_t files = 0;
  for (const auto& row : stats.extensions()) files += row.used ? static_cast<std::uint64_t>(row.count) : 0;
  std::printf("memory: %llu files in %zu folders on %lc:, peak private bytes %llu beyond the start\n",
              static_cast<unsigned long long>(files), folders, drive->letter(), static_cast<unsigned long long>(growth));
  std::printf("memory per file %llu bytes\n", static_cast<unsigned long long>(files ? growth / files : 0));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) memoryPerFile(argv[1]);
  test::MappedDrive drive;
  std::wstring root(1, drive.letter());
  root += L":";
  std::printf("generating %d folders and %d files on %lc:\n", kTop * (kSub + 1),
              kTop * (kSub + 1) * kFilesPerFolder, drive.letter());
  createTree(drive.root());

  DiskStats stats;
  std::size_t entries = walk(root);  // warms the caches for both
  std::size_t folders = collect(drive.letter(), stats);
  double bestWalk = 1e9;
  double bestCollect = 1e9;
  for (int round = 0; round < 3; ++round) {
    bestWalk = std::min(bestWalk, bench::seconds([&] { entries = walk(root); }));
    bestCollect = std::min(bestCollect, bench::seconds([&] { folders = collect(drive.letter(), stats); }));
  }
  int counted = 0;
  for (const auto& row : stats.extensions()) counted += row.used ? row.count : 0;
  std::printf("walk: %zu entries, best of 3 %.3f s\n", entries, bestWalk);
  std::printf("collection: %zu folders, %d files counted, best of 3 %.3f s\n", folders, counted, bestCollect);
  std::printf("ratio %.2f\n", bestCollect / bestWalk);
  return 0;
}
