#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/disk_stats.h"
#include "core/text_codec.h"

namespace kestova {
namespace {

// The steps written out literally on 1-based slot tables, every slot visited, for comparison.
struct Slot {
  std::wstring text, second;
  double size = 0;
  int count = 0;
  bool used = false;
  std::string textBytes, secondBytes;  // the single-byte texts the comparisons use
};

Slot slot(const std::wstring& text, const std::wstring& second, double size, int count, bool used) {
  Slot s;
  s.text = text;
  s.second = second;
  s.size = size;
  s.count = count;
  s.used = used;
  return s;
}

void literalOffer(std::vector<Slot>& slots, const std::wstring& name, const std::wstring& folder, double k) {
  std::size_t m = 0;
  for (std::size_t s = 1; s <= 1000; ++s) {
    if (slots[s].size < k) {
      m = s;
      break;
    }
  }
  if (m == 0) return;
  for (std::size_t j = m + 1; j <= 1000; ++j) {
    if (slots[m].size > slots[j].size) std::swap(slots[m], slots[j]);
  }
  slots[m] = slot(name, folder, k, 0, true);
}

void literalMerge(std::vector<Slot>& slots) {
  for (std::size_t i = 1; i < slots.size(); ++i) {
    if (!slots[i].used) continue;
    for (auto& c : slots[i].text) c = static_cast<wchar_t>(c >= L'a' && c <= L'z' ? c - 32 : c);
  }
  for (std::size_t i = 1; i < slots.size(); ++i) {
    for (std::size_t j = 1; j < slots.size(); ++j) {
      if (i == j || !slots[i].used || !slots[j].used || slots[i].text != slots[j].text) continue;
      slots[i].size += slots[j].size;
      slots[i].count += slots[j].count;
      slots[j] = Slot{};
    }
  }
  for (auto& s : slots) {
    if (s.used) s.size /= 1024;
  }
}

template <typename Less>
void literalSort(std::vector<Slot>& slots, Less outOfOrder) {
  for (std::size_t i = 1; i < slots.size(); ++i) {
    for (std::size_t j = 1; j < slots.size(); ++j) {
      if (slots[i].used && slots[j].used && outOfOrder(slots[i], slots[j])) std::swap(slots[i], slots[j]);
    }
  }
}

void literalSort(std::vector<Slot>& slots, StatsView view, StatsOrder order) {
  for (auto& s : slots) {
    s.textBytes = toCp1252(s.text);
    s.secondBytes = toCp1252(s.second);
  }
  if (order == StatsOrder::Size) {
    literalSort(slots, [](const Slot& a, const Slot& b) { return a.size > b.size; });
  } else if (order == StatsOrder::Name) {
    literalSort(slots, [](const Slot& a, const Slot& b) { return a.textBytes < b.textBytes; });
  } else if (view == StatsView::LargestFiles) {
    literalSort(slots, [](const Slot& a, const Slot& b) { return a.secondBytes > b.secondBytes; });
  } else {
    literalSort(slots, [](const Slot& a, const Slot& b) { return a.count > b.count; });
  }
}

std::vector<Slot> slotsOf(const DiskStats& stats, StatsView view) {
  std::vector<Slot> slots(1);
  if (view == StatsView::Extensions) {
    for (const auto& r : stats.extensions()) slots.push_back(slot(r.used ? r.extension : L"", L"", r.size, r.count, r.used));
  } else if (view == StatsView::Folders) {
    for (const auto& r : stats.folders()) slots.push_back(slot(r.used ? r.folder : L"", L"", r.size, r.count, r.used));
  } else {
    for (const auto& r : stats.largest()) slots.push_back(slot(r.name, r.folder, r.size, 0, r.used));
  }
  return slots;
}

void expectSame(const std::vector<Slot>& expected, const std::vector<Slot>& actual, const std::string& what) {
  ASSERT_EQ(expected.size(), actual.size()) << what;
  for (std::size_t i = 1; i < expected.size(); ++i) {
    ASSERT_EQ(expected[i].used, actual[i].used) << what << " slot " << i;
    if (!expected[i].used) continue;
    ASSERT_EQ(expected[i].text, actual[i].text) << what << " slot " << i;
    ASSERT_EQ(expected[i].second, actual[i].second) << what << " slot " << i;
    ASSERT_EQ(expected[i].size, actual[i].size) << what << " slot " << i;
    ASSERT_EQ(expected[i].count, actual[i].count) << what << " slot " << i;
  }
}

TEST(DiskStatsLargest, FollowsTheLiteralStepsThroughTiesAndAFullTable) {
  std::mt19937 random(7);
  for (int round = 0; round < 3; ++round) {
    DiskStats stats;
    std::vector<Slot> literal(1001);
    std::uniform_int_distribution<int> sizes(1, round == 0 ? 5 : 60);  // few sizes: many ties
    for (int n = 0; n < 2000; ++n) {
      std::wstring name = L"f" + std::to_wstring(n) + L".txt";
      std::wstring folder = L"X:\\d" + std::to_wstring(n % 7);
      double k = sizes(random);
      stats.offerLargest(name, folder, k);
      literalOffer(literal, name, folder, k);
    }
    expectSame(literal, slotsOf(stats, StatsView::LargestFiles), "round " + std::to_string(round));
  }
}

TEST(DiskStatsLargest, KeepsTheThousandLargestAndRefusesAnEqualToTheLast) {
  DiskStats stats;
  for (int n = 1; n <= 1001; ++n) stats.offerLargest(L"f" + std::to_wstring(n), L"X:", n);
  const auto& largest = stats.largest();
  EXPECT_EQ(largest.front().size, 1001);
  EXPECT_EQ(largest.back().size, 2) << "the smallest of 1001 is not kept";
  stats.offerLargest(L"equal", L"X:", 2);
  EXPECT_EQ(largest.back().name, L"f2") << "an equal to the 1000th is not taken in";
  stats.offerLargest(L"bigger", L"X:", 3);
  EXPECT_EQ(largest.back().name, L"bigger");
  EXPECT_EQ(largest[998].name, L"f3");
}

TEST(DiskStatsTables, MergeAndAllNineSortsMatchTheLiteralPasses) {
  std::mt19937 random(11);
  const std::wstring letters = L"aAbBxX";
  std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
  std::uniform_int_distribution<std::uint64_t> bytes(0, 5000);
  std::uniform_int_distribution<int> files(1, 4);
  DiskStats stats;
  for (int t = 0; t < 40; ++t) stats.addTopFolder(L"X:\\" + std::wstring(1, letters[letter(random)]) + std::to_wstring(t % 9));
  for (int f = 0; f < 300; ++f) {
    stats.beginFolder(L"X:\\" + std::wstring(1, letters[static_cast<std::size_t>(f) % letters.size()]) +
                      std::to_wstring(f % 9) + L"\\sub");
    for (int n = files(random); n > 0; --n) {
      std::wstring ext = {letters[letter(random)], letters[letter(random)], letters[letter(random)]};
      stats.addFile(std::wstring(1, letters[letter(random)]) + L"." + ext, bytes(random) % 4 * 1024);
    }
    stats.endFolder();
  }

  std::vector<Slot> merged = slotsOf(stats, StatsView::Extensions);
  literalMerge(merged);
  stats.normaliseExtensions(true);
  expectSame(merged, slotsOf(stats, StatsView::Extensions), "merge");
  bool freeBetween = false;
  for (std::size_t i = 1; i + 1 < merged.size(); ++i) freeBetween |= !merged[i].used && merged[i + 1].used;
  ASSERT_TRUE(freeBetween) << "the sorts must meet free slots between occupied ones";

  for (StatsView view : {StatsView::Extensions, StatsView::Folders, StatsView::LargestFiles}) {
    for (StatsOrder order : {StatsOrder::Name, StatsOrder::Count, StatsOrder::Size}) {
      DiskStats copy = stats;
      std::vector<Slot> expected = slotsOf(copy, view);
      literalSort(expected, view, order);
      copy.sort(view, order);
      expectSame(expected, slotsOf(copy, view),
                 "view " + std::to_string(static_cast<int>(view)) + " order " + std::to_string(static_cast<int>(order)));
    }
  }
}

TEST(DiskStatsTables, FullTablesLeaveTheExtraOutOfTheirRowsOnly) {
  DiskStats stats;
  for (int t = 0; t < 2001; ++t) {
    EXPECT_EQ(stats.addTopFolder(L"X:\\t" + std::to_wstring(t)), t < 2000);
  }
  stats.beginFolder(L"X:\\t2000\\inner");
  for (int s = 0; s < 2001; ++s) {
    wchar_t ext[4] = {static_cast<wchar_t>(L'a' + s / 676), static_cast<wchar_t>(L'a' + s / 26 % 26),
                      static_cast<wchar_t>(L'a' + s % 26), 0};
    stats.addFile(std::wstring(L"f.") + ext, s == 2000 ? std::uint64_t{10} << 20 : 0);
  }
  stats.endFolder();
  const auto& rows = stats.extensions();
  EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](const ExtensionRow& r) { return r.used && r.count == 1; }));
  EXPECT_EQ(rows.back().extension, L"cyx");
  EXPECT_EQ(stats.largest()[0].name, L"f.cyy") << "the 2001st spelling still counts among the largest";
  EXPECT_EQ(stats.largest()[0].size, 10241);
  const auto& folders = stats.folders();
  EXPECT_TRUE(std::all_of(folders.begin(), folders.end(), [](const FolderRow& r) { return r.count == 0; }))
      << "the 2001st folder has no row to count in";
}

}  // namespace
}  // namespace kestova
