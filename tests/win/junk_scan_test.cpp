// The junk scan on a drive mapped to a temporary folder: what it lists, what it leaves, and the
// folders it learns.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "core/junk_patterns.h"
#include "harness/host_link.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"
#include "junk/junk_scanner.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

class JunkScan : public ::testing::Test {
 protected:
  std::wstring at(const std::wstring& relative) const { return std::wstring(1, drive.letter()) + L":\\" + relative; }
  void write(const std::wstring& relative, std::uint64_t size = 0) const { writeSizedFile(at(relative), size); }
  bool listed(const std::wstring& relative) const { return results.find(at(relative)) != nullptr; }

  void scan(PatternChoice choice = PatternChoice::all()) {
    junk::ScanHooks hooks{
        [this](FolderCode code, const std::wstring& path) { found[code] = path; },
        [this](const std::wstring& folder) { progress.push_back(folder); },
    };
    junk::JunkScanner scanner(choice, folders, recycleKnown, results, hooks);
    scanner.scan(std::wstring(1, drive.letter()) + L":");
    deadLinks = scanner.deadLinks();
    recycleKnown = scanner.recycleKnown();
  }

  MappedDrive drive;
  CodedFolders folders;
  bool recycleKnown = false;
  JunkResults results;
  std::map<FolderCode, std::wstring> found;
  std::vector<std::wstring> progress;
  unsigned deadLinks = 0;
};

TEST_F(JunkScan, ListsRowsWithFolderSizeAndYes) {
  write(L"root.tmp", 0);
  write(L"a\\b\\x.chk", 1024);
  write(L"a\\keep.txt", 10);
  scan();
  ASSERT_EQ(results.rows.size(), 2u);
  // The root's own files come first, then the folders as the work list gives them.
  EXPECT_EQ(results.rows[0].name, L"root.tmp");
  EXPECT_EQ(results.rows[0].path, at(L""));
  EXPECT_EQ(results.rows[0].size, L"1 KB");
  EXPECT_EQ(results.rows[0].mark, L"Yes");
  EXPECT_EQ(results.rows[1].path, at(L"a\\b\\"));
  EXPECT_EQ(results.rows[1].size, L"2 KB");
  EXPECT_EQ(results.total, 1024u);
  // The status line follows the walk: the root, then every folder.
  EXPECT_EQ(progress.front(), std::wstring(1, drive.letter()) + L":");
  EXPECT_NE(std::find(progress.begin(), progress.end(), at(L"a\\b")), progress.end());
}

TEST_F(JunkScan, FolderExclusionsPerPattern) {
  write(L"Program Files\\app\\run.log");
  write(L"Program Files\\app\\run.tmp");
  write(L"x\\Cookies\\c.tmp");
  write(L"Temporary\\t.tmp");
  write(L"zipped\\z.tmp");
  write(L"Recycled\\r.tmp");
  write(L"bin\\b.tmp");
  write(L"bin2\\b.tmp");
  write(L"cache\\Content.IE5\\i.tmp");
  write(L"logs\\plain.log");
  folders[FolderCode::lx] = at(L"bin").substr(0, at(L"bin").size());
  scan();
  EXPECT_FALSE(listed(L"Program Files\\app\\run.log"));
  EXPECT_TRUE(listed(L"Program Files\\app\\run.tmp"));
  EXPECT_FALSE(listed(L"x\\Cookies\\c.tmp"));
  EXPECT_FALSE(listed(L"Temporary\\t.tmp"));
  EXPECT_FALSE(listed(L"zipped\\z.tmp"));
  EXPECT_FALSE(listed(L"Recycled\\r.tmp"));
  EXPECT_FALSE(listed(L"bin\\b.tmp"));
  EXPECT_TRUE(listed(L"bin2\\b.tmp"));
  EXPECT_FALSE(listed(L"cache\\Content.IE5\\i.tmp"));
  EXPECT_TRUE(listed(L"logs\\plain.log"));
}

TEST_F(JunkScan, ProtectedNamesOnlyInTheirListedSpellings) {
  write(L"p\\user.dmp");
  write(L"q\\USER.DMP");
  write(L"p\\DoNotDelete.tmp");
  write(L"q\\donotdelete.tmp");
  write(L"p\\hpqgends.tmp");
  write(L"q\\Hpqgends.tmp");
  scan();
  EXPECT_FALSE(listed(L"p\\user.dmp"));
  EXPECT_FALSE(listed(L"p\\DoNotDelete.tmp"));
  EXPECT_FALSE(listed(L"p\\hpqgends.tmp"));
  EXPECT_TRUE(listed(L"q\\USER.DMP"));
  EXPECT_TRUE(listed(L"q\\donotdelete.tmp"));
  EXPECT_TRUE(listed(L"q\\Hpqgends.tmp"));
}

TEST_F(JunkScan, FilesInUseOrReadOnlyAreNotListed) {
  write(L"held.tmp");
  write(L"readonly.tmp");
  write(L"free.tmp");
  setAttributes(at(L"readonly.tmp"), FILE_ATTRIBUTE_READONLY);
  {
    win::FileHandle held(CreateFileW(at(L"held.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    scan();
  }
  EXPECT_FALSE(listed(L"held.tmp"));
  EXPECT_FALSE(listed(L"readonly.tmp"));
  EXPECT_TRUE(listed(L"free.tmp"));
  SetFileAttributesW(at(L"readonly.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(JunkScan, SystemFoldersAreNotDescendedButLowerCaseSystem32Is) {
  write(L"a\\System\\s.tmp");
  write(L"b\\SYSTEM32\\s.tmp");
  write(L"c\\system32\\s.tmp");
  write(L"d\\Sysfiles\\s.tmp");
  scan();
  EXPECT_FALSE(listed(L"a\\System\\s.tmp"));
  EXPECT_FALSE(listed(L"b\\SYSTEM32\\s.tmp"));
  EXPECT_TRUE(listed(L"c\\system32\\s.tmp"));
  EXPECT_FALSE(listed(L"d\\Sysfiles\\s.tmp"));
}

TEST_F(JunkScan, DeadShortcutsToDeletedFilesOnly) {
  write(L"gone.txt");
  write(L"here.txt");
  writeShortcut(at(L"links\\dead.lnk"), at(L"gone.txt"), 500);
  writeShortcut(at(L"links\\alive.lnk"), at(L"here.txt"));
  writeShortcut(at(L"links\\web.lnk"), L"http://example.com/page.htm");
  writeShortcut(at(L"SendTo\\dead.lnk"), at(L"gone.txt"));
  ASSERT_TRUE(DeleteFileW(at(L"gone.txt").c_str()));
  scan();
  const JunkRow* dead = results.find(at(L"links\\dead.lnk"));
  ASSERT_NE(dead, nullptr);
  EXPECT_EQ(dead->size, L"0 KB");
  EXPECT_FALSE(listed(L"links\\alive.lnk"));
  EXPECT_FALSE(listed(L"links\\web.lnk"));
  EXPECT_FALSE(listed(L"SendTo\\dead.lnk"));
  EXPECT_EQ(deadLinks, 1u);
  EXPECT_EQ(results.total, 500u);

  // Without "D-link" the shortcut stays out.
  results = {};
  PatternChoice noLinks = PatternChoice::all();
  noLinks.deadLinks = false;
  scan(noLinks);
  EXPECT_FALSE(listed(L"links\\dead.lnk"));
}

TEST_F(JunkScan, OneBoxGovernsBothAsdPatterns) {
  write(L"x.asd");
  write(L"x.@@@");
  write(L"x.tmp");
  PatternChoice choice = PatternChoice::all();
  for (std::size_t i = 0; i < kPatternCount; ++i) {
    if (std::wstring(kJunkPatterns[i].box) == L"CheckBox21") choice.patterns[i] = false;
  }
  scan(choice);
  EXPECT_FALSE(listed(L"x.asd"));
  EXPECT_FALSE(listed(L"x.@@@"));
  EXPECT_TRUE(listed(L"x.tmp"));
  results = {};
  scan();
  EXPECT_TRUE(listed(L"x.asd"));
  EXPECT_TRUE(listed(L"x.@@@"));
}

TEST_F(JunkScan, UntickedBoxesListNothingButStillFindTheFolders) {
  write(L"WINDOWS\\History\\h.dat");
  write(L"Mozilla\\profile\\Cache\\c.bin");
  write(L"Mozilla\\profile\\places.sqlite");
  write(L"Mozilla\\profile\\prefs.js");
  write(L"Docs\\Temporary Internet Files\\t.htm");
  write(L"RECYCLER\\r.tmp");
  write(L"x.tmp");
  setAttributes(at(L"RECYCLER"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  scan(PatternChoice{});
  SetFileAttributesW(at(L"RECYCLER").c_str(), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(results.rows.empty());
  std::wstring root(1, drive.letter());
  root += L":";
  EXPECT_EQ(found[FolderCode::hi], L"C:\\Windows\\History");
  EXPECT_EQ(found[FolderCode::nc], root + L"\\Mozilla\\profile\\Cache");
  EXPECT_EQ(found[FolderCode::ni], root + L"\\Mozilla\\profile");
  EXPECT_EQ(found[FolderCode::ie], root + L"\\Docs\\Temporary Internet Files");
  EXPECT_EQ(found[FolderCode::lx], root + L"\\RECYCLER");
  EXPECT_EQ(folders[FolderCode::lx], root + L"\\RECYCLER");
  EXPECT_FALSE(recycleKnown);  // only a folder named RECYCLE, Recycle or recycle settles it
}

TEST_F(JunkScan, KnownFoldersAreNotGuessedAgain) {
  write(L"WINDOWS\\History\\h.dat");
  write(L"Docs\\Temporary Internet Files\\t.htm");
  folders[FolderCode::hi] = L"C:\\known\\history";
  folders[FolderCode::ie] = L"C:\\known\\cache";
  scan(PatternChoice{});
  EXPECT_EQ(found.count(FolderCode::hi), 0u);
  EXPECT_EQ(found.count(FolderCode::ie), 0u);
  EXPECT_EQ(folders[FolderCode::hi], L"C:\\known\\history");
}

TEST_F(JunkScan, AFileMatchingTwoPatternsIsListedOnceUnderTheFirst) {
  write(L"x.$$$", 10);
  write(L"~a.tmp", 20);
  write(L"z.chk", 30);
  scan();
  ASSERT_EQ(results.rows.size(), 3u);
  EXPECT_EQ(results.total, 60u);
  // Rows follow the order of the patterns: "*.Tmp" lists "~a.tmp", "*.$$$" then "x.$$$".
  EXPECT_EQ(results.rows[0].name, L"~a.tmp");
  EXPECT_EQ(results.rows[1].name, L"x.$$$");
  EXPECT_EQ(results.rows[2].name, L"z.chk");
}

TEST_F(JunkScan, AJunkNamedLinkToAFileOutsideTheDriveIsNotListed) {
  TempFolder outside;
  std::wstring target = outside.writeFile(L"precious.tmp", "precious");
  write(L"sub\\keep.txt");
  ASSERT_TRUE(makeHostLink(target, at(L"link.tmp")));
  ASSERT_TRUE(makeHostLink(outside.path() + L"precious.tmp", at(L"sub\\other.chk")));
  write(L"real.tmp", 5);
  scan();
  EXPECT_FALSE(listed(L"link.tmp"));
  EXPECT_FALSE(listed(L"sub\\other.chk"));
  EXPECT_TRUE(listed(L"real.tmp"));
}

}  // namespace
}  // namespace kestova::test
