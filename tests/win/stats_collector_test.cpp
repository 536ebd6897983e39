#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/disk_stats.h"
#include "harness/host_link.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"
#include "stats/collector.h"

namespace kestova::test {
namespace {

struct Totals {
  int count;
  double size;
  bool operator==(const Totals&) const = default;
};

std::map<std::wstring, Totals> extensionRows(const DiskStats& stats) {
  std::map<std::wstring, Totals> rows;
  for (const auto& r : stats.extensions()) {
    if (r.used) rows[r.extension] = {r.count, r.size};
  }
  return rows;
}

std::map<std::wstring, Totals> folderRows(const DiskStats& stats) {
  std::map<std::wstring, Totals> rows;
  for (const auto& r : stats.folders()) {
    if (r.used) rows[r.folder] = {r.count, r.size};
  }
  return rows;
}

class Collector : public ::testing::Test {
 protected:
  std::wstring root() const { return std::wstring(1, drive.letter()) + L":"; }
  std::wstring at(const std::wstring& relative) const { return drive.root() + relative; }
  void file(const std::wstring& relative, std::uint64_t size) const { writeSizedFile(at(relative), size); }
  void folder(const std::wstring& relative) const { CreateDirectoryW(at(relative).c_str(), nullptr); }

  MappedDrive drive;
};

// Every file counts, whatever its extension's length or none (".docx", "README", a 40 GB
// ".vhdx"), and so does every folder the system's names would once have left out; a link to a
// file elsewhere does not.
TEST_F(Collector, CountsEveryFilePerSpellingFolderAndSizeButNoLink) {
  file(L"DATA.TXT", 1023);
  file(L"README", 10);
  file(L"archive.tar.gz", 10);
  folder(L"docs");
  file(L"docs\\report.txt", 0);
  file(L"docs\\x.Txt", 1536);
  file(L"docs\\.abc", 2560);
  file(L"docs\\letter.docx", 10);
  file(L"docs\\a.h", 10);
  folder(L"docs\\deep");
  file(L"docs\\deep\\big.bin", 1 << 20);
  folder(L"mysysfiles");
  file(L"mysysfiles\\seen.dat", 10);
  file(L"mysysfiles\\\u0441\u043d\u0438\u043c\u043e\u043a.\u0436\u043f\u0433", 0);  // beyond Windows-1252
  folder(L"x.abc");
  file(L"x.abc\\inner.dat", 100);
  file(L"x.abc\\huge.iso", 5ull << 30);  // sizes beyond 32 bits
  folder(L"x.abc\\MySysFiles");
  file(L"x.abc\\MySysFiles\\hidden.txt", 10);
  TempFolder outside;
  const std::wstring target = outside.path() + L"elsewhere.vhdx";
  writeSizedFile(target, 8ull << 20);
  ASSERT_TRUE(makeHostLink(target, at(L"docs\\linked.vhdx")));

  DiskStats stats;
  std::vector<std::wstring> reports;
  stats::CollectStatistics(drive.letter(), stats, [&](const std::wstring& f) {
    reports.push_back(f);
    return true;
  });

  const std::wstring r = root();
  using Rows = std::map<std::wstring, Totals>;
  // Spellings apart during the walk; the folder x.abc is a file of 0 bytes in the root.
  EXPECT_EQ(extensionRows(stats),
            (Rows{{L"TXT", {1, 1}}, {L"txt", {2, 2}}, {L"Txt", {1, 2}}, {L"abc", {2, 4}}, {L"", {1, 1}},
                  {L"gz", {1, 1}}, {L"docx", {1, 1}}, {L"h", {1, 1}}, {L"bin", {1, 1025}}, {L"dat", {2, 2}},
                  {L"iso", {1, 5242881}}, {L"\u0436\u043f\u0433", {1, 1}}}));
  EXPECT_EQ(folderRows(stats), (Rows{{r + L"\\docs", {6, (1536.0 + 2560 + 10 + 10) / 1024 / 1024 + 1.0}},
                                      {r + L"\\mysysfiles", {2, 10.0 / 1024 / 1024}},
                                      {r + L"\\x.abc", {3, (110.0 + (5ull << 30)) / 1024 / 1024}}}));

  std::map<std::wstring, std::pair<std::wstring, double>> largest;
  for (const auto& f : stats.largest()) {
    if (f.used) largest[f.name] = {f.folder, f.size};
  }
  using Files = std::map<std::wstring, std::pair<std::wstring, double>>;
  EXPECT_EQ(largest, (Files{{L"DATA.TXT", {r, 1}},
                            {L"README", {r, 1}},
                            {L"archive.tar.gz", {r, 1}},
                            {L"x.abc", {r, 1}},
                            {L"report.txt", {r + L"\\docs", 1}},
                            {L"x.Txt", {r + L"\\docs", 2}},
                            {L".abc", {r + L"\\docs", 3}},
                            {L"letter.docx", {r + L"\\docs", 1}},
                            {L"a.h", {r + L"\\docs", 1}},
                            {L"big.bin", {r + L"\\docs\\deep", 1025}},
                            {L"seen.dat", {r + L"\\mysysfiles", 1}},
                            {L"inner.dat", {r + L"\\x.abc", 1}},
                            {L"huge.iso", {r + L"\\x.abc", 5242881}},
                            {L"hidden.txt", {r + L"\\x.abc\\MySysFiles", 1}},
                            {L"\u0441\u043d\u0438\u043c\u043e\u043a.\u0436\u043f\u0433", {r + L"\\mysysfiles", 1}}}));
  EXPECT_EQ(stats.largest()[0].name, L"huge.iso");
  EXPECT_EQ(stats.largest()[1].name, L"big.bin");

  ASSERT_EQ(reports.size(), 6u) << "the root, three top-level folders and two below them";
  EXPECT_EQ(reports.front(), r);
  EXPECT_EQ(std::set<std::wstring>(reports.begin(), reports.end()),
            (std::set<std::wstring>{r, r + L"\\docs", r + L"\\docs\\deep", r + L"\\mysysfiles", r + L"\\x.abc",
                                    r + L"\\x.abc\\MySysFiles"}));

  stats.normaliseExtensions(true);
  EXPECT_EQ(extensionRows(stats),
            (Rows{{L"TXT", {4, 5.0 / 1024}}, {L"ABC", {2, 4.0 / 1024}}, {L"", {1, 1.0 / 1024}},
                  {L"GZ", {1, 1.0 / 1024}}, {L"DOCX", {1, 1.0 / 1024}}, {L"H", {1, 1.0 / 1024}},
                  {L"BIN", {1, 1025.0 / 1024}}, {L"DAT", {2, 2.0 / 1024}}, {L"ISO", {1, 5242881.0 / 1024}},
                  {L"\u0436\u043f\u0433", {1, 1.0 / 1024}}}));
}

TEST_F(Collector, TopLevelFoldersFollowTheRootListingAndAStopEndsTheWalk) {
  for (const wchar_t* name : {L"one", L"two", L"three", L"four"}) {
    folder(name);
    file(std::wstring(name) + L"\\inner\\f.dat", 10);
  }
  std::vector<std::wstring> listing;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((root() + L"\\*.*").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") listing.push_back(root() + L"\\" + name);
  } while (FindNextFileW(find, &data));
  FindClose(find);

  DiskStats stats;
  stats::CollectStatistics(drive.letter(), stats, [](const std::wstring&) { return true; });
  std::vector<std::wstring> rows;
  for (const auto& r : stats.folders()) {
    if (r.used) rows.push_back(r.folder);
  }
  EXPECT_EQ(rows, listing);

  int visits = 0;
  stats::CollectStatistics(drive.letter(), stats, [&](const std::wstring&) { return ++visits < 2; });
  EXPECT_EQ(visits, 2) << "no folder is visited after the report says stop";
}

}  // namespace
}  // namespace kestova::test
