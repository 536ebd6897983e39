#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "core/content_compare.h"
#include "core/duplicate_plan.h"
#include "core/duplicate_rules.h"
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

CollectedFile file(const wchar_t* name, const wchar_t* folder, std::uint64_t bytes) {
  return {name, folder, bytes, 0, {}, 0};
}

TEST(DuplicateBuckets, LargestFirstTiesInWalkOrderAndOnlyComparableFiles) {
  std::vector<CollectedFile> files = {
      file(L"A.BIN", L"M:\\ONE", 40000),          // 0: 40 KB
      file(L"B.BIN", L"M:\\ONE", 204800),         // 1: 201 KB
      file(L"C.BIN", L"M:\\ONE", 41000),          // 2: 41 KB, ties with 3's bucket by kilobytes
      file(L"A.BIN", L"M:", 40000),               // 3
      file(L"D.BIN", L"M:\\ONE", 41001),          // 4: 41 KB, a later first file than C's
      file(L"B.BIN", L"M:\\TWO", 204800),         // 5
      file(L"C.BIN", L"M:\\TWO", 41000),          // 6
      file(L"D.BIN", L"M:\\TWO", 41001),          // 7
      file(L"A.BIN", L"M:\\TWO", 40001),          // 8: same name, other size
      file(L"B.BIN", L"M:\\TWINS", 204800),       // 9: "WIN" in a user's folder name is compared
      file(L"B.BIN", L"M:\\RECYCLER\\S-1", 204800),  // 10
      file(L"KERNEL32.DLL", L"M:\\ONE", 50000),   // 11: protected
      file(L"KERNEL32.DLL", L"M:\\TWO", 50000),
      file(L"SETUP.EXE", L"M:\\ONE", 50000),      // 13
      file(L"SETUP.EXE", L"M:\\TWO", 50000),
      file(L"E.BIN", L"M:\\DATA\\RECYCLER", 60000),  // 15: RECYCLE deeper down is compared
      file(L"E.BIN", L"M:\\TWO", 60000),
  };
  auto buckets = candidateBuckets(files);
  std::vector<std::vector<std::size_t>> expected = {{1, 5, 9}, {15, 16}, {2, 6}, {4, 7}, {0, 3}};
  EXPECT_EQ(buckets, expected);
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
