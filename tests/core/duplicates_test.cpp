#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>

#include "core/content_compare.h"
#include "core/duplicate_plan.h"
#include "core/duplicate_rules.h"
#include "core/disk_stats.h"
#include "core/large_set_compare.h"
#include "core/number_format.h"

namespace kestova {
namespace {

// How far a source was read; `failAt` makes the read that reaches it short.
struct Recorded {
  std::uint64_t offset = 0;
};

class MemorySource : public BlockSource {
 public:
  MemorySource(const std::vector<std::uint8_t>& bytes, Recorded& record, std::uint64_t failAt = UINT64_MAX)
      : bytes_(bytes), record_(record), failAt_(failAt) {}
  std::size_t read(std::uint8_t* buffer, std::size_t count) override {
    std::uint64_t end = std::min<std::uint64_t>({record_.offset + count, bytes_.size(), failAt_});
    std::size_t got = static_cast<std::size_t>(end - record_.offset);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(record_.offset), got, buffer);
    record_.offset += got;
    return got;
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  Recorded& record_;
  std::uint64_t failAt_;
};

std::vector<std::vector<std::size_t>> compareAll(const std::vector<std::vector<std::uint8_t>>& files,
                                                 std::vector<Recorded>& records, std::size_t budget,
                                                 std::size_t failing = SIZE_MAX, std::uint64_t failAt = 0) {
  std::vector<std::unique_ptr<BlockSource>> sources;
  records.assign(files.size(), {});
  for (std::size_t i = 0; i < files.size(); ++i) {
    sources.push_back(std::make_unique<MemorySource>(files[i], records[i], i == failing ? failAt : UINT64_MAX));
  }
  ContentComparer comparer(std::move(sources), files.front().size(), budget);
  while (comparer.step()) {
  }
  EXPECT_TRUE(comparer.done());
  return comparer.groups();
}

// The groups a plain pairwise comparison of whole files gives.
std::vector<std::vector<std::size_t>> naiveGroups(const std::vector<std::vector<std::uint8_t>>& files,
                                                  std::size_t excluded) {
  std::map<std::vector<std::uint8_t>, std::vector<std::size_t>> byContent;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (i != excluded) byContent[files[i]].push_back(i);
  }
  std::vector<std::vector<std::size_t>> groups;
  for (auto& [bytes, members] : byContent) {
    if (members.size() >= 2) groups.push_back(members);
  }
  std::sort(groups.begin(), groups.end());
  return groups;
}

TEST(ContentCompare, AgreesWithWholeFileComparisonAndReadsEachFileOnce) {
  std::mt19937 random(7);
  constexpr std::size_t kLength = 300000;  // several blocks at every budget below
  for (std::size_t budget : {std::size_t{1}, ContentComparer::kDefaultBudget}) {
    // Variants of one random file: copies, one that differs in its last byte only, one in its
    // first byte, and a copy that fails to read half-way.
    std::vector<std::uint8_t> base(kLength);
    for (auto& byte : base) byte = static_cast<std::uint8_t>(random());
    std::vector<std::vector<std::uint8_t>> files;
    for (int variant : {0, 1, 0, 2, 1, 0, 3, 2}) {
      std::vector<std::uint8_t> file = base;
      if (variant == 1) file.back() ^= 1;
      if (variant == 2) file.front() ^= 1;
      if (variant == 3) file[kLength / 2] ^= 0x80;
      files.push_back(file);
    }
    std::vector<Recorded> records;
    auto groups = compareAll(files, records, budget, 5, kLength / 2);
    EXPECT_EQ(groups, naiveGroups(files, 5)) << "budget " << budget;
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0], (std::vector<std::size_t>{0, 2}));  // the failing copy is different from all
    for (const Recorded& record : records) EXPECT_LE(record.offset, kLength);
  }
}

TEST(ContentCompare, FilesThatDifferEarlyAreNotReadFurtherAndSingleFilesAreNoGroup) {
  std::vector<std::vector<std::uint8_t>> files(3, std::vector<std::uint8_t>(2000000, 0));
  files[1][0] = 1;
  files[2][0] = 2;
  std::vector<Recorded> records;
  EXPECT_TRUE(compareAll(files, records, ContentComparer::kDefaultBudget).empty());
  for (const Recorded& record : records) EXPECT_EQ(record.offset, ContentComparer::kFirstBlock);

  std::vector<std::vector<std::uint8_t>> one(1, std::vector<std::uint8_t>(100, 0));
  EXPECT_TRUE(compareAll(one, records, ContentComparer::kDefaultBudget).empty());
}

// A walk's tables from (name as listed, folder, bytes); each folder's text is kept once.
WalkedFiles walkOf(std::initializer_list<std::tuple<const wchar_t*, const wchar_t*, std::uint64_t>> files) {
  WalkedFiles walk;
  for (const auto& [name, folder, bytes] : files) {
    std::uint32_t slot = 0;
    while (slot < walk.folders.size() && walk.folders[slot].path != folder) ++slot;
    if (slot == walk.folders.size()) walk.folders.push_back({folder, isComparableFolder(asciiUpper(folder))});
    walk.files.push_back({name, bytes, 0, slot, 0});
  }
  return walk;
}

std::wstring upper(const std::wstring& name) { return asciiUpper(name); }

TEST(DuplicateBuckets, LargestFirstTiesInWalkOrderAndOnlyComparableFiles) {
  WalkedFiles walk = walkOf({
      {L"a.bin", L"M:\\One", 40000},             // 0: 40 KB
      {L"B.BIN", L"M:\\One", 204800},            // 1: 201 KB
      {L"C.BIN", L"M:\\One", 41000},             // 2: 41 KB, ties with 3's bucket by kilobytes
      {L"A.bin", L"M:", 40000},                    // 3: the same name in another case
      {L"D.BIN", L"M:\\One", 41001},             // 4: 41 KB, a later first file than C's
      {L"b.bin", L"M:\\Two", 204800},            // 5
      {L"C.BIN", L"M:\\Two", 41000},             // 6
      {L"D.BIN", L"M:\\Two", 41001},             // 7
      {L"A.BIN", L"M:\\Two", 40001},             // 8: same name, other size
      {L"B.BIN", L"M:\\Twins", 204800},          // 9: "WIN" in a user's folder name is compared
      {L"B.BIN", L"M:\\Recycler\\S-1", 204800},  // 10
      {L"kernel32.dll", L"M:\\One", 50000},      // 11: protected
      {L"KERNEL32.DLL", L"M:\\Two", 50000},
      {L"SETUP.EXE", L"M:\\One", 50000},         // 13
      {L"SETUP.EXE", L"M:\\Two", 50000},
      {L"E.BIN", L"M:\\Data\\Recycler", 60000},  // 15: RECYCLE deeper down is compared
      {L"E.BIN", L"M:\\Two", 60000},
      {L"F.BIN", L"M:\\One", 60000},             // 17: the size of E's bucket, another name
      {L"G.BIN", L"M:\\Two", 60000},             // 18
  });
  auto buckets = candidateBuckets(walk, upper);
  std::vector<std::vector<std::size_t>> expected = {{1, 5, 9}, {15, 16}, {2, 6}, {4, 7}, {0, 3}};
  EXPECT_EQ(buckets, expected);
  EXPECT_EQ(walk.folders.size(), 6u);
  EXPECT_EQ(walk.pathOf(5), L"M:\\Two\\b.bin") << "the path as listed, from the shared folder";
}

TEST(LargeSetCompare, AgreesWithWholeFileComparisonWithinItsBudget) {
  // 700 files of 3 variants in a scattered order, one failing half-way, one unique: far more
  // than the plain comparer keeps within a 1 MB budget (16 files).
  constexpr std::size_t kLength = 200000;
  constexpr std::size_t kBudget = 1024 * 1024;
  std::mt19937 random(11);
  std::vector<std::vector<std::uint8_t>> variants(4, std::vector<std::uint8_t>(kLength));
  for (auto& variant : variants) {
    for (auto& byte : variant) byte = static_cast<std::uint8_t>(random());
  }
  variants[1] = variants[0];
  variants[1][kLength - 1] ^= 1;  // differs from the first in its last byte only
  std::vector<std::vector<std::uint8_t>> files;
  for (std::size_t i = 0; i < 700; ++i) files.push_back(variants[(i * 7) % 3]);
  files.push_back(variants[3]);
  const std::size_t failing = 350;
  std::vector<Recorded> records(files.size());
  std::vector<int> opens(files.size(), 0);
  std::size_t askedInStep = 0;  // the bytes every source was asked for in one step
  struct Counted : MemorySource {
    Counted(const std::vector<std::uint8_t>& bytes, Recorded& record, std::uint64_t failAt, std::size_t& asked)
        : MemorySource(bytes, record, failAt), asked_(asked) {}
    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
      asked_ += count;
      return MemorySource::read(buffer, count);
    }
    std::size_t& asked_;
  };
  LargeSetComparer comparer(files.size(), kLength, [&](std::size_t i) -> std::unique_ptr<BlockSource> {
    ++opens[i];
    records[i] = {};
    return std::make_unique<Counted>(files[i], records[i], i == failing ? kLength / 2 : UINT64_MAX, askedInStep);
  }, kBudget);
  std::size_t steps = 0;
  std::size_t mostInAStep = 0;
  do {
    askedInStep = 0;
    ++steps;
    comparer.step();
    mostInAStep = std::max(mostInAStep, askedInStep);
  } while (!comparer.done());
  EXPECT_EQ(comparer.groups(), naiveGroups(files, failing));
  EXPECT_EQ(comparer.groups().size(), 3u);
  EXPECT_LE(mostInAStep, kBudget) << "the blocks read at once fit the budget";
  EXPECT_GT(steps, files.size()) << "one file hashed per block read";
  EXPECT_EQ(opens[failing], 1) << "a file that cannot be read whole is not compared";
  EXPECT_EQ(opens.back(), 1) << "a file whose hash no other shares is not compared";
  EXPECT_EQ(opens[3], 2) << "hashed once and compared once";
  EXPECT_GT(opens[0], 2) << "the first file of its class is read with each chunk of the others";
}

TEST(DuplicateRules, CollectedSizesFoldersAndSystemPaths) {
  EXPECT_FALSE(isCollectedSize(30000, false));
  EXPECT_TRUE(isCollectedSize(30001, false));
  EXPECT_FALSE(isCollectedSize(100000, true));
  EXPECT_TRUE(isCollectedSize(100001, true));
  EXPECT_TRUE(isCollectedSize(99999999, true));
  EXPECT_FALSE(isCollectedSize(100000000, true));
  EXPECT_TRUE(isCollectedSize(100000000, false));
  EXPECT_EQ(duplicateKilobytes(1024), 2u);
  EXPECT_EQ(duplicateKilobytes(30001), 30u);
  EXPECT_EQ(duplicateKilobytes(5000000000ull), 4882813u);  // beyond 32 bits

  EXPECT_FALSE(isComparableFolder(L"M:\\RECYCLE"));
  EXPECT_TRUE(isComparableFolder(L"M:"));
  EXPECT_TRUE(isComparableFolder(L"M:\\RECYC"));
  EXPECT_TRUE(isComparableFolder(L"C:\\USERS\\EDWIN"));  // a name that holds "WIN" is no system folder
  EXPECT_FALSE(isComparableName(L""));
  EXPECT_FALSE(isComparableName(L"A.SYSX"));
  EXPECT_FALSE(isComparableName(L"REPORT.PDF."));
  EXPECT_FALSE(isComparableName(L"REPORT.PDF "));
  EXPECT_TRUE(isComparableName(L"REPORT.PDF"));
}

TEST(DuplicateSizes, GroupedWithTheUsersSeparatorAndReadBackFromAnyDigits) {
  EXPECT_EQ(duplicateSizeText(1234, L","), L"1,234 Kb");
  EXPECT_EQ(duplicateSizeText(1234567, L"\u00A0"), L"1\u00A0234\u00A0567 Kb");
  EXPECT_EQ(duplicateSizeText(999, L"."), L"999 Kb");
  EXPECT_EQ(groupThousands(1000000, L""), L"1000000");
  for (const wchar_t* cell : {L"1,234 Kb", L"1.234 Kb", L"1 234 Kb", L"1\u00A0234 Kb", L"1234 Kb"}) {
    EXPECT_EQ(sizeCellDigits(cell), 1234) << cell;
  }
  EXPECT_EQ(sizeCellDigits(L" Kb"), 0);
  EXPECT_EQ(sizeCellDigits(L""), 0);
  EXPECT_EQ(formatThousands2(1234567.5), L"1,234,567.50");
}

}  // namespace
}  // namespace kestova
