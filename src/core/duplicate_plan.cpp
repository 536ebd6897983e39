#include "core/duplicate_plan.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "core/duplicate_rules.h"

namespace kestova {
namespace {

// A file by its size and a hash of its upper-cased name: sorted, equal keys sit side by side
// without a map node per file.
struct Key {
  std::uint64_t bytes;
  std::uint64_t nameHash;
  std::uint32_t index;
  bool sameGroup(const Key& other) const { return bytes == other.bytes && nameHash == other.nameHash; }
  bool operator<(const Key& other) const {
    return std::tie(bytes, nameHash, index) < std::tie(other.bytes, other.nameHash, other.index);
  }
};

std::uint64_t hashOf(const std::wstring& text) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (wchar_t c : text) hash = (hash ^ static_cast<std::uint64_t>(c)) * 0x100000001B3ull;
  return hash;
}

// Keys [first, last) share a size and a name hash; files whose names really are equal make a
// bucket, in walk order.
void addBuckets(const WalkedFiles& walk, const UpperCase& upper, const Key* first, const Key* last,
                std::vector<std::vector<std::size_t>>& buckets) {
  std::map<std::wstring, std::vector<std::size_t>> byName;
  for (const Key* key = first; key != last; ++key) byName[upper(walk.files[key->index].name)].push_back(key->index);
  for (auto& [name, members] : byName) {
    if (members.size() >= 2) buckets.push_back(std::move(members));
  }
}

}  // namespace

void WalkedFiles::clear() {
  std::deque<WalkedFolder>().swap(folders);
  std::deque<WalkedFile>().swap(files);
}

std::wstring WalkedFiles::pathOf(std::size_t file) const {
  const WalkedFile& entry = files[file];
  return folders[entry.folder].path + L"\\" + entry.name;
}

std::vector<std::vector<std::size_t>> candidateBuckets(const WalkedFiles& walk, const UpperCase& upper) {
  std::vector<Key> keys;
  for (std::size_t i = 0; i < walk.files.size(); ++i) {
    const WalkedFile& file = walk.files[i];
    if (!walk.folders[file.folder].comparable) continue;
    std::wstring name = upper(file.name);
    if (!isComparableName(name)) continue;
    keys.push_back({file.bytes, hashOf(name), static_cast<std::uint32_t>(i)});
  }
  std::sort(keys.begin(), keys.end());
  std::vector<std::vector<std::size_t>> buckets;
  for (std::size_t start = 0; start < keys.size();) {
    std::size_t end = start + 1;
    while (end < keys.size() && keys[end].sameGroup(keys[start])) ++end;
    if (end - start >= 2) addBuckets(walk, upper, keys.data() + start, keys.data() + end, buckets);
    start = end;
  }
  std::vector<Key>().swap(keys);
  std::sort(buckets.begin(), buckets.end(), [&walk](const auto& a, const auto& b) {
    auto kilobytes = [&walk](const std::vector<std::size_t>& bucket) {
      return duplicateKilobytes(walk.files[bucket.front()].bytes);
    };
    std::uint64_t ka = kilobytes(a), kb = kilobytes(b);
    return ka != kb ? ka > kb : a.front() < b.front();
  });
  return buckets;
}

}  // namespace kestova
