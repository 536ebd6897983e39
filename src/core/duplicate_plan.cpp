#include "core/duplicate_plan.h"

#include <algorithm>
#include <unordered_map>

#include "core/duplicate_rules.h"

namespace kestova {
namespace {

struct Key {
  const std::wstring* name;
  std::uint64_t bytes;
  bool operator==(const Key& other) const { return bytes == other.bytes && *name == *other.name; }
};

struct KeyHash {
  std::size_t operator()(const Key& key) const {
    return std::hash<std::wstring>{}(*key.name) ^ (std::hash<std::uint64_t>{}(key.bytes) * 0x9E3779B97F4A7C15ull);
  }
};

}  // namespace

std::vector<std::vector<std::size_t>> candidateBuckets(const std::vector<CollectedFile>& files) {
  std::unordered_map<Key, std::size_t, KeyHash> bucketOf;
  std::vector<std::vector<std::size_t>> buckets;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const CollectedFile& file = files[i];
    if (!isComparableName(file.name) || !isComparableFolder(file.folder)) continue;
    auto [it, added] = bucketOf.try_emplace(Key{&file.name, file.bytes}, buckets.size());
    if (added) buckets.emplace_back();
    buckets[it->second].push_back(i);
  }
  std::erase_if(buckets, [](const std::vector<std::size_t>& bucket) { return bucket.size() < 2; });
  // Buckets were made in the walk order of their first file; a stable sort keeps it for ties.
  std::stable_sort(buckets.begin(), buckets.end(), [&files](const auto& a, const auto& b) {
    return duplicateKilobytes(files[a.front()].bytes) > duplicateKilobytes(files[b.front()].bytes);
  });
  return buckets;
}

}  // namespace kestova
