// The hub's Search against the floor, a bare recursive FindFirstFileW walk of the same tree,
// timed side by side in one run on a drive mapped to a generated tree. The Search is the one a
// person runs: the real hub window on the display, every pattern box ticked, from the press to
// the closing message (answered by scripted dialogs), with its status line and grid. The scanner
// alone (a hook that does nothing) is timed too, so that engine and window can be told apart.
// Warmed once, then best of 3 alternating; the last line is "ratio N.NN" (Search / walk).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/JunkCleaner.h"
#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "bench/bare_walk.h"
#include "bench/timing.h"
#include "core/junk_patterns.h"
#include "harness/driver.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "harness/scripted_dialogs.h"
#include "harness/temp_folder.h"
#include "junk/junk_scanner.h"
#include "ui/translation.h"
#include "win/handles.h"
#include "win/program_folder.h"

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

std::size_t walk(const std::wstring& folder) { return bench::bareWalk(folder); }

// The engine alone: the scanner with hooks that do nothing.
std::size_t scan(const std::wstring& root) {
  test::JunkResults results;
  CodedFolders folders;
  junk::ScanHooks hooks{[](FolderCode, const std::wstring&) {}, [](const std::wstring&) {}};
  junk::JunkScanner scanner(PatternChoice::all(), folders, false, results, hooks);
  scanner.scan(root);
  return results.rows.size();
}

// The Search as a person runs it on the hub; the rows it listed, or 0 when it did not end with
// its one closing message.
std::size_t search(app::Tfsweep& hub, test::ScriptedDialogs& dialogs) {
  dialogs.messages.clear();
  hub.fire(L"BB4");
  if (dialogs.messages.size() != 1 || dialogs.messages[0].text.rfind(L"Found ", 0) != 0) return 0;
  return static_cast<std::size_t>(hub.junkCleaner().rowCount());
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  test::MappedDrive drive;
  std::wstring root(1, drive.letter());
  root += L":";
  std::printf("generating %d folders and %d files on %lc:\n", kTop + kTop * kMiddle + kTop * kMiddle * kLeaves,
              kTop * kMiddle * kLeaves * kFilesPerLeaf, drive.letter());
  createTree(drive.root());

  test::TempFolder programFolder;
  win::setProgramFolder(programFolder.path());
  ui::setCurrentLanguage(kEnglish);
  std::wstring config = test::windowsPath(KESTOVA_DIST_DIR) + L"\\config.TXT";
  CopyFileW(config.c_str(), (programFolder.path() + L"config.TXT").c_str(), FALSE);
  test::ScriptedDialogsScope dialogs;
  auto& windows = app::windows();
  windows.hub = std::make_unique<app::Tfsweep>();
  app::Tfsweep& hub = *windows.hub;
  hub.create();
  hub.show();
  hub.selectDrive(drive.letter());
  test::waitUntil([&] { return IsWindowEnabled(hub.hwnd()) != FALSE; }, 3000);
  for (const JunkPattern& pattern : kJunkPatterns) hub.setChecked(pattern.box, true);
  hub.setChecked(kLinkBox, true);

  // Warm once: the caches, the grid and the shortcut reader for all three.
  std::size_t entries = walk(root);
  std::size_t rows = search(hub, *dialogs);
  std::size_t scanRows = scan(root);
  double bestWalk = 1e9, bestSearch = 1e9, bestScan = 1e9;
  for (int round = 0; round < 3; ++round) {
    bestWalk = std::min(bestWalk, bench::seconds([&] { entries = walk(root); }));
    bestSearch = std::min(bestSearch, bench::seconds([&] { rows = search(hub, *dialogs); }));
    bestScan = std::min(bestScan, bench::seconds([&] { scanRows = scan(root); }));
  }
  app::destroyWindows();
  if (rows == 0 || rows != scanRows) {
    std::printf("failed: the Search listed %zu rows, the scanner %zu\n", rows, scanRows);
    return 3;
  }
  std::printf("walk: %zu entries, best of 3 %.3f s\n", entries, bestWalk);
  std::printf("scanner alone: %zu rows, best of 3 %.3f s\n", scanRows, bestScan);
  std::printf("Search on the hub: %zu rows (every box ticked), best of 3 %.3f s\n", rows, bestSearch);
  std::printf("scanner ratio %.2f\n", bestScan / bestWalk);
  std::printf("ratio %.2f\n", bestSearch / bestWalk);
  return 0;
}
