// The duplicate search without its window, on a drive mapped to a temporary folder: what it
// collects, compares and leaves out, and the texts of its rows.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <random>
#include <set>
#include <stdexcept>

#include "dupes/bucket_opener.h"
#include "dupes/duplicate_finder.h"
#include "dupes/duplicate_walk.h"
#include "harness/host_link.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

using dupes::DuplicateFinder;
using dupes::DuplicateRow;
using dupes::SearchEnd;

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class DuplicateDetection : public ::testing::Test {
 protected:
  std::wstring drivePath(const std::wstring& relative = L"") const {
    return std::wstring(1, drive.letter()) + L":" + (relative.empty() ? L"" : L"\\" + relative);
  }
  // Writes the same bytes to every relative path given.
  void copies(std::initializer_list<const wchar_t*> paths, const std::string& bytes) const {
    for (const wchar_t* path : paths) drive.folder().writeFile(path, bytes);
  }
  void copies(std::initializer_list<const wchar_t*> paths, std::size_t size, unsigned seed = 1) const {
    copies(paths, randomBytes(size, seed));
  }

  // Runs the whole search, `afterWalk` between the walk and the comparison; each group as its
  // full paths, upper-cased as the rows show them.
  std::vector<std::vector<std::wstring>> find(bool limit, const std::function<void()>& afterWalk = {}) {
    rows.clear();
    folders.clear();
    DuplicateFinder finder(limit, {[this](const std::wstring& folder) { folders.push_back(folder); },
                                   [](std::uint64_t, std::uint64_t) {}, [] { return false; }});
    EXPECT_TRUE(finder.walk(drivePath()));
    if (afterWalk) afterWalk();
    finder.sort();
    std::vector<std::vector<std::wstring>> groups;
    end = finder.compare([&](std::vector<DuplicateRow> group) {
      std::vector<std::wstring> paths;
      for (const auto& row : group) paths.push_back(row.path + L"\\" + row.name);
      groups.push_back(paths);
      rows.push_back(std::move(group));
      return true;
    });
    return groups;
  }
  std::wstring upper(const std::wstring& relative) const {
    std::wstring text = drivePath(relative);
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
  }
  std::vector<std::wstring> uppers(std::initializer_list<const wchar_t*> relatives) const {
    std::vector<std::wstring> list;
    for (const wchar_t* relative : relatives) list.push_back(upper(relative));
    return list;
  }

  MappedDrive drive;
  std::vector<std::vector<DuplicateRow>> rows;
  std::vector<std::wstring> folders;
  SearchEnd end = SearchEnd::Stopped;
};

TEST_F(DuplicateDetection, SizeBoundsWithAndWithoutLimit) {
  copies({L"a\\s30000.bin", L"b\\s30000.bin"}, 30000, 1);
  copies({L"a\\s30001.bin", L"b\\s30001.bin"}, 30001, 2);
  copies({L"a\\s100000.bin", L"b\\s100000.bin"}, 100000, 3);
  copies({L"a\\s100001.bin", L"b\\s100001.bin"}, 100001, 4);

  auto all = find(false);
  EXPECT_EQ(end, SearchEnd::Finished);
  ASSERT_EQ(all.size(), 3u);
  // Largest first; 100,000 and 100,001 bytes are both 98 KB, and 100,000's copies come first in
  // the folders' listing only by chance, so the two are checked as a set.
  EXPECT_EQ(all[2], uppers({L"a\\s30001.bin", L"b\\s30001.bin"}));
  std::vector<std::vector<std::wstring>> large = {all[0], all[1]};
  std::sort(large.begin(), large.end());
  EXPECT_EQ(large, (std::vector<std::vector<std::wstring>>{uppers({L"a\\s100000.bin", L"b\\s100000.bin"}),
                                                          uppers({L"a\\s100001.bin", L"b\\s100001.bin"})}));

  auto limited = find(true);
  ASSERT_EQ(limited.size(), 1u);
  EXPECT_EQ(limited[0], uppers({L"a\\s100001.bin", L"b\\s100001.bin"}));
}

TEST_F(DuplicateDetection, ContentsDecideNotNameAndSizeAlone) {
  // Several blocks long, differing only in the very last byte.
  std::string bytes = randomBytes(3 * 1048576 + 5000, 7);
  std::string other = bytes;
  other.back() = static_cast<char>(other.back() ^ 1);
  copies({L"one\\last.bin"}, bytes);
  copies({L"two\\last.bin"}, other);
  // Same contents under other names.
  copies({L"one\\first.bin", L"two\\second.bin"}, 50000, 8);
  // And a real pair beside them.
  copies({L"one\\pair.bin", L"two\\pair.bin"}, 50000, 9);
  auto groups = find(false);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0], uppers({L"one\\pair.bin", L"two\\pair.bin"}));
}

TEST_F(DuplicateDetection, CopiesComeInWalkOrderAndTiesInTheOrderOfTheirFirstCopy) {
  copies({L"a\\b\\c\\Three.bin", L"a\\Three.bin", L"Three.bin"}, 400000, 1);
  // Both 50 KB: P's first copy is met first, in the root; Q's only in a folder.
  copies({L"deep\\q.bin", L"deep\\er\\q.bin"}, 50000, 2);
  copies({L"p.bin", L"other\\p.bin"}, 50100, 3);
  // Noon of 5 March 2024, UTC: the same day in every time zone.
  SYSTEMTIME noon = {2024, 3, 2, 5, 12, 0, 0, 0};
  setWriteTime(drivePath(L"Three.bin"), noon);

  auto groups = find(false);
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0], uppers({L"Three.bin", L"a\\Three.bin", L"a\\b\\c\\Three.bin"}));
  EXPECT_EQ(groups[1], uppers({L"p.bin", L"other\\p.bin"}));
  EXPECT_EQ(groups[2], uppers({L"deep\\q.bin", L"deep\\er\\q.bin"}));

  const DuplicateRow& root = rows[0][0];
  EXPECT_EQ(root.name, L"THREE.BIN");
  EXPECT_EQ(root.path, upper(L""));  // "M:" for the root
  wchar_t separator[8] = {};
  ASSERT_NE(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8), 0);
  EXPECT_EQ(root.size, L"391 Kb");
  EXPECT_EQ(rows[2][0].size, L"49 Kb");
  wchar_t date[80] = {};
  SYSTEMTIME day = {2024, 3, 2, 5, 0, 0, 0, 0};
  ASSERT_NE(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, date, 80), 0);
  EXPECT_EQ(root.date, date);
  EXPECT_NE(rows[0][1].date, date);  // written today
  copies({L"big\\huge.bin", L"huge.bin"}, 1300000, 4);
  find(false);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0][0].size, std::wstring(L"1") + separator + L"270 Kb");
}

// The system's own folders are left out by their real names; a folder whose name only holds
// "Win", "Sys" or "Jav" (a profile "Edwin", "Winter 2019") is the user's and is compared.
TEST_F(DuplicateDetection, TheSystemsFoldersProtectedNamesAndHiddenFilesAreLeftOut) {
  copies({L"p\\Windows\\w.bin", L"keep\\w.bin"}, 40000, 1);  // not the system's Windows folder
  copies({L"Users\\Edwin\\e.bin", L"keep\\e.bin"}, 40000, 2);
  copies({L"Winter 2019\\t.bin", L"keep\\t.bin"}, 40000, 3);
  copies({L"Java projects\\j.bin", L"SysAdmin\\j.bin"}, 40000, 4);
  copies({L"RECYCLER\\S-1\\r.bin", L"keep\\r.bin"}, 40000, 5);
  copies({L"System Volume Information\\v.bin", L"keep\\v.bin"}, 40000, 10);
  copies({L"one\\kernel32.dll", L"keep\\kernel32.dll"}, 40000, 6);
  copies({L"one\\tool.exe", L"keep\\tool.exe"}, 40000, 7);
  copies({L"one\\hidden.bin", L"keep\\hidden.bin"}, 40000, 8);
  setAttributes(drivePath(L"one\\hidden.bin"), FILE_ATTRIBUTE_HIDDEN);
  copies({L"one\\shown.bin", L"keep\\shown.bin"}, 40000, 9);

  auto found = find(false);
  std::set<std::vector<std::wstring>> groups;
  for (auto group : found) {
    std::sort(group.begin(), group.end());
    groups.insert(group);
  }
  EXPECT_EQ(groups, (std::set<std::vector<std::wstring>>{uppers({L"keep\\w.bin", L"p\\Windows\\w.bin"}),
                                                         uppers({L"keep\\e.bin", L"Users\\Edwin\\e.bin"}),
                                                         uppers({L"keep\\t.bin", L"Winter 2019\\t.bin"}),
                                                         uppers({L"Java projects\\j.bin", L"SysAdmin\\j.bin"}),
                                                         uppers({L"keep\\shown.bin", L"one\\shown.bin"})}));
  auto read = [&](const wchar_t* relative) {
    return std::find(folders.begin(), folders.end(), drivePath(relative)) != folders.end();
  };
  EXPECT_FALSE(read(L"RECYCLER"));
  EXPECT_FALSE(read(L"System Volume Information"));

  // On the system's drive its real folders are the ones left out.
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  std::wstring upperWindows = windows;
  CharUpperBuffW(upperWindows.data(), static_cast<DWORD>(upperWindows.size()));
  const std::wstring systemDrive = upperWindows.substr(0, 2);
  auto onSystemDrive = dupes::systemFoldersOn(systemDrive);
  EXPECT_NE(std::find(onSystemDrive.begin(), onSystemDrive.end(), upperWindows), onSystemDrive.end());
  auto onMapped = dupes::systemFoldersOn(drivePath());
  EXPECT_EQ(std::find(onMapped.begin(), onMapped.end(), upper(L"Windows")), onMapped.end());
}

TEST_F(DuplicateDetection, LockedAndReadOnlyCopiesDropOutOfTheirGroups) {
  copies({L"a\\locked.bin", L"b\\locked.bin", L"c\\locked.bin"}, 40000, 1);
  copies({L"a\\readonly.bin", L"b\\readonly.bin", L"c\\readonly.bin"}, 40000, 2);
  win::FileHandle other(CreateFileW(drivePath(L"b\\locked.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    0, nullptr));
  ASSERT_TRUE(other);
  setAttributes(drivePath(L"c\\readonly.bin"), FILE_ATTRIBUTE_READONLY);
  auto groups = find(false);
  other.close();
  SetFileAttributesW(drivePath(L"c\\readonly.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
  std::sort(groups.begin(), groups.end());
  EXPECT_EQ(groups, (std::vector<std::vector<std::wstring>>{uppers({L"a\\locked.bin", L"c\\locked.bin"}),
                                                           uppers({L"a\\readonly.bin", L"b\\readonly.bin"})}));
}

TEST_F(DuplicateDetection, LinkedFoldersAndFilesAreNeitherEnteredNorCompared) {
  TempFolder outside;
  copies({L"real\\inside.bin"}, 40000, 1);
  copies({L"real\\target.bin"}, 40000, 2);
  outside.writeFile(L"outer.bin", randomBytes(40000, 3));
  copies({L"mine\\outer.bin"}, 40000, 3);
  copies({L"a\\pair.bin", L"b\\pair.bin"}, 40000, 4);
  // A folder linked to one inside the drive and to one outside it, and a file linked to a file.
  ASSERT_TRUE(makeHostLink(drivePath(L"real"), drivePath(L"loop")));
  ASSERT_TRUE(makeHostLink(outside.path().substr(0, outside.path().size() - 1), drivePath(L"away")));
  CreateDirectoryW(drivePath(L"links").c_str(), nullptr);
  ASSERT_TRUE(makeHostLink(drivePath(L"real\\target.bin"), drivePath(L"links\\target.bin")));

  auto groups = find(false);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0], uppers({L"a\\pair.bin", L"b\\pair.bin"}));
  for (const auto& folder : folders) {
    EXPECT_EQ(folder.find(L"loop"), std::wstring::npos);
    EXPECT_EQ(folder.find(L"away"), std::wstring::npos);
  }
}

TEST_F(DuplicateDetection, AFileWrittenToAfterTheWalkLeavesItsGroup) {
  std::string bytes = randomBytes(40000, 1);
  copies({L"a\\grown.bin", L"b\\grown.bin", L"c\\grown.bin"}, bytes);
  copies({L"a\\touched.bin", L"b\\touched.bin"}, 50000, 2);
  auto groups = find(false, [&] {
    // Its first 40,000 bytes still match the others'.
    appendBytes(drivePath(L"b\\grown.bin"), "appended");
    // The same bytes under another write time.
    setWriteTime(drivePath(L"b\\touched.bin"), {2024, 3, 2, 5, 12, 0, 0, 0});
  });
  EXPECT_EQ(groups, (std::vector<std::vector<std::wstring>>{uppers({L"a\\grown.bin", L"c\\grown.bin"})}));
}

// The comparison's files are opened ahead of it on a second thread; they must still come in
// bucket order, never more than a few buckets ahead (each held open, locked to others), and a
// comparison that ends early must not wait for the rest.
TEST(BucketOpener, HandsOverBucketsInOrderAFewAheadAndStopsWhenDropped) {
  using dupes::BucketOpener;
  std::mutex mutex;
  std::size_t made = 0;
  auto open = [&](std::size_t bucket) {
    if (bucket == 40) throw std::runtime_error("unreadable");
    std::lock_guard lock(mutex);
    ++made;
    BucketOpener::Opened files;
    files.emplace_back(bucket, win::FileHandle());
    return files;
  };
  {
    BucketOpener opener(1000, open);
    for (std::size_t b = 0; b < 3; ++b) EXPECT_EQ(opener.take().at(0).first, b);
    Sleep(50);
    std::lock_guard lock(mutex);
    EXPECT_LE(made, 3 + BucketOpener::kAhead);
  }
  made = 0;
  BucketOpener opener(1000, open);
  for (std::size_t b = 0; b < 40; ++b) ASSERT_EQ(opener.take().at(0).first, b);
  EXPECT_THROW(opener.take(), std::runtime_error);
}

}  // namespace
}  // namespace kestova::test
