#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/work_list.h"

namespace kestova {
namespace {

using Tree = std::map<std::wstring, std::vector<std::wstring>>;

// The slot table written out literally: "xxx" marks a free slot, adding searches from slot 1 for
// one, marking done searches for the path.
std::vector<std::wstring> literalOrder(const Tree& tree, const std::wstring& root) {
  std::vector<std::wstring> slots{L"xxx"};
  std::vector<std::wstring> order;
  auto add = [&](const std::wstring& folder) {
    for (auto& slot : slots) {
      if (slot == L"xxx") {
        slot = folder;
        return;
      }
    }
    slots.push_back(folder);
  };
  auto children = [&](const std::wstring& folder) {
    auto it = tree.find(folder);
    if (it != tree.end()) {
      for (const auto& child : it->second) add(child);
    }
  };
  children(root);
  auto pending = [&] {
    for (const auto& slot : slots) {
      if (slot != L"xxx") return true;
    }
    return false;
  };
  while (pending()) {
    std::size_t end = slots.size();
    for (std::size_t i = 0; i < end; ++i) {
      if (slots[i] == L"xxx") continue;
      std::wstring folder = slots[i];
      order.push_back(folder);
      children(folder);
      for (auto& slot : slots) {
        if (slot == folder) {
          slot = L"xxx";
          break;
        }
      }
    }
  }
  return order;
}

std::vector<std::wstring> workListOrder(const Tree& tree, const std::wstring& root) {
  WorkList list;
  std::vector<std::wstring> order;
  auto children = [&](const std::wstring& folder) {
    auto it = tree.find(folder);
    if (it != tree.end()) {
      for (const auto& child : it->second) list.add(child);
    }
  };
  children(root);
  list.drain([&](const std::wstring& folder) {
    order.push_back(folder);
    children(folder);
  });
  return order;
}

Tree randomTree(unsigned seed, int folders) {
  std::mt19937 random(seed);
  Tree tree;
  std::vector<std::wstring> all{L"R"};
  for (int i = 0; i < folders; ++i) {
    const std::wstring& parent = all[random() % all.size()];
    std::wstring child = parent + L"\\" + std::to_wstring(i);
    tree[parent].push_back(child);
    all.push_back(child);
  }
  return tree;
}

TEST(WorkList, VisitsInTheOrderOfTheLiteralSlotTable) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    Tree tree = randomTree(seed, 300);
    auto expected = literalOrder(tree, L"R");
    ASSERT_EQ(expected.size(), 300u);
    EXPECT_EQ(workListOrder(tree, L"R"), expected) << "seed " << seed;
  }
}

TEST(WorkList, ReusesFreedSlotsAndGrowsPastAnyFixedLimit) {
  // A root with 300 000 subfolders: more than the old 250 000-slot table held at once.
  WorkList list;
  for (int i = 0; i < 300000; ++i) list.add(L"R\\" + std::to_wstring(i));
  EXPECT_EQ(list.length(), 300000u);
  std::size_t visited = 0;
  list.drain([&](const std::wstring&) { ++visited; });
  EXPECT_EQ(visited, 300000u);
  EXPECT_EQ(list.pending(), 0u);

  // A deep chain keeps reusing slot 1.
  list.reset();
  list.add(L"d");
  int depth = 0;
  list.drain([&](const std::wstring& folder) {
    if (++depth < 1000) list.add(folder + L"\\d");
  });
  EXPECT_EQ(depth, 1000);
  EXPECT_EQ(list.length(), 2u);  // the child takes a new slot while its parent's is still taken
}

}  // namespace
}  // namespace kestova
