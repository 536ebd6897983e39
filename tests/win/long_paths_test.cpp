// Files deeper than the old path limit, reached by every walk and removal through the extended
// path form: the system must take that form wherever a plain path worked.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "core/disk_stats.h"
#include "core/long_path.h"
#include "dupes/duplicate_finder.h"
#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"
#include "shredder/TSWipe.h"
#include "stats/collector.h"
#include "traces/folder_emptier.h"
#include "win/directory_listing.h"
#include "win/removal.h"
#include "win/volume_info.h"

namespace kestova::test {
namespace {

// Six folders of 50 characters: a path of over 300 below any root.
std::wstring deepRelative() {
  std::wstring relative;
  for (wchar_t c = L'a'; c < L'g'; ++c) relative += std::wstring(50, c) + L"\\";
  return relative;
}

TEST(LongPaths, EveryWalkAndRemovalReachesFilesBeyondThePathLimit) {
  MappedDrive drive;
  const std::wstring deep = drive.root() + deepRelative();
  const std::wstring twin = deep + L"twin\\";
  ASSERT_GT(deep.size(), 300u);
  ASSERT_EQ(longPathForm(deep).substr(0, 4), L"\\\\?\\");
  const std::wstring relative = deepRelative();
  const std::string same(40000, 's');  // above the smallest size the duplicate search takes
  drive.folder().writeFile(relative + L"report.docx", same);
  drive.folder().writeFile(relative + L"twin\\report.docx", same);
  drive.folder().writeFile(relative + L"twin\\notes.txt", "shredded");

  // The statistics count both copies in their top folder and among the largest files.
  DiskStats stats;
  stats::CollectStatistics(drive.letter(), stats, [](const std::wstring&) { return true; });
  const std::wstring top = std::wstring(1, drive.letter()) + L":\\" + std::wstring(50, L'a');
  auto folder = std::find_if(stats.folders().begin(), stats.folders().end(),
                             [&](const auto& row) { return row.used && row.folder == top; });
  ASSERT_NE(folder, stats.folders().end());
  EXPECT_EQ(folder->count, 3);
  EXPECT_EQ(std::count_if(stats.largest().begin(), stats.largest().end(),
                          [](const auto& row) { return row.used && row.name == L"report.docx"; }),
            2);

  // The duplicate search lists, opens and compares them.
  dupes::DuplicateFinder finder(
      false, {[](const std::wstring&) {}, [](std::uint64_t, std::uint64_t) {}, [] { return false; }});
  ASSERT_TRUE(finder.walk(std::wstring(1, drive.letter()) + L":"));
  finder.sort();
  std::vector<std::wstring> group;
  finder.compare([&](std::vector<dupes::DuplicateRow> rows) {
    for (const auto& row : rows) group.push_back(row.path + L"\\" + row.name);
    return true;
  });
  EXPECT_EQ(group.size(), 2u);

  // The junk engine lists the folder and tests and removes what is in it.
  auto entries = win::tryReadDirectory(twin);
  ASSERT_TRUE(entries);
  EXPECT_EQ(entries->size(), 4u);  // ".", "..", and the two files
  EXPECT_TRUE(win::pathExists(twin + L"report.docx"));
  EXPECT_FALSE(win::isInUse(twin + L"report.docx"));
  EXPECT_TRUE(win::deleteFile(twin + L"report.docx"));
  EXPECT_FALSE(win::pathExists(twin + L"report.docx"));

  // The shredder wipes and removes the folder with what is left in it.
  shredder::TSWipe wipe(nullptr);
  wipe.SetPasses(0);
  EXPECT_TRUE(wipe.WipeFolder(twin));
  EXPECT_FALSE(win::pathExists(twin));

  // The traces cleaner empties the tree from its top.
  traces::Tally tally;
  EXPECT_TRUE(traces::emptyFolder(drive.root() + std::wstring(50, L'a'), {}, tally));
  EXPECT_EQ(tally.removed, 1);  // the one file left; the folders go without a count
  EXPECT_EQ(tally.left, 0);
  EXPECT_FALSE(win::pathExists(deep));
}

}  // namespace
}  // namespace kestova::test
