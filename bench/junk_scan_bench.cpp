// Junk scan against the floor: a bare recursive FindFirstFileW walk of the same tree, timed side
// by side in one run on a drive mapped to a generated tree. The last line is "ratio N.NN".
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/junk_patterns.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "junk/junk_scanner.h"
#include "ui/application.h"
#include "win/handles.h"

using namespace kestova;

namespace {

constexpr int kTop = 20, kMiddle = 15, kLeaves = 17;  // 20 + 300 + 5100 folders
constexpr int kFilesPerLeaf = 10;                     // 51 000 files
constexpr int kJunkEvery = 50;                        // 2% junk names
constexpr int kDeadLinkEvery = 100;                   // one leaf in 100 holds a dead shortcut

const wchar_t* const kJunkNames[] = {L".tmp", L".chk", L".old", L".log", L".$$$", L".dmp", L".bak~", L".gid"};

void createTree(const std::wstring& root) {
  std::wstring gone = root + L"gone.txt";
  test::writeSizedFile(gone, 1);
  int file = 0;
  int leaf = 0;
  for (int t = 0; t < kTop; ++t) {
    std::wstring top = root + L"top" + std::to_wstring(t) + L"\\";
    CreateDirectoryW(top.c_str(), nullptr);
    for (int m = 0; m < kMiddle; ++m) {
      std::wstring middle = top + L"middle" + std::to_wstring(m) + L"\\";
      CreateDirectoryW(middle.c_str(), nullptr);
      for (int l = 0; l < kLeaves; ++l, ++leaf) {
        std::wstring folder = middle + L"leaf" + std::to_wstring(l) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < kFilesPerLeaf; ++f, ++file) {
          std::wstring name = L"document" + std::to_wstring(file);
          name += file % kJunkEvery == 0 ? kJunkNames[(file / kJunkEvery) % std::size(kJunkNames)] : L".txt";
          win::FileHandle handle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
          DWORD written = 0;
          WriteFile(handle.get(), "kestova", 7, &written, nullptr);
        }
        if (leaf % kDeadLinkEvery == 0) test::writeShortcut(folder + L"dead.lnk", gone);
      }
    }
  }
  DeleteFileW(gone.c_str());
}

// The floor: every folder enumerated once, nothing else.
std::size_t walk(const std::wstring& folder) {
  std::size_t entries = 0;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW((folder + L"\\*.*").c_str(), &data));
  if (!find.valid()) return 0;
  do {
    ++entries;
    bool dots = data.cFileName[0] == L'.' && (data.cFileName[1] == 0 || (data.cFileName[1] == L'.' && data.cFileName[2] == 0));
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !dots) entries += walk(folder + L"\\" + data.cFileName);
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

std::size_t scan(const std::wstring& root) {
  test::JunkResults results;
  CodedFolders folders;
  junk::ScanHooks hooks{[](FolderCode, const std::wstring&) {},
                        [](const std::wstring&) { ui::Application::processMessages(); }};
  junk::JunkScanner scanner(PatternChoice::all(), folders, false, results, hooks);
  scanner.scan(root);
  return results.rows.size();
}

template <typename F>
double seconds(F&& run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  test::MappedDrive drive;
  std::wstring root(1, drive.letter());
  root += L":";
  std::printf("generating %d folders and %d files on %lc:\n", kTop + kTop * kMiddle + kTop * kMiddle * kLeaves,
              kTop * kMiddle * kLeaves * kFilesPerLeaf, drive.letter());
  createTree(drive.root());

  std::size_t entries = walk(root);  // warms the caches for both
  std::size_t rows = 0;
  double bestWalk = 1e9;
  double bestScan = 1e9;
  for (int round = 0; round < 3; ++round) {
    bestWalk = std::min(bestWalk, seconds([&] { entries = walk(root); }));
    bestScan = std::min(bestScan, seconds([&] { rows = scan(root); }));
  }
  std::printf("walk: %zu entries, best of 3 %.3f s\n", entries, bestWalk);
  std::printf("scan: %zu rows (28 boxes ticked), best of 3 %.3f s\n", rows, bestScan);
  std::printf("ratio %.2f\n", bestScan / bestWalk);
  return 0;
}
