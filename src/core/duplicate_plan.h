#pragma once
// The order of the duplicate comparison: files that share an upper-cased name and an exact size
// form a bucket; buckets are compared largest first.
#include <cstdint>
#include <string>
#include <vector>

namespace kestova {

struct CollectedFile {
  std::wstring name;            // upper-cased
  std::wstring folder;          // upper-cased, without a trailing backslash ("C:" for a root)
  std::uint64_t bytes = 0;
  std::uint64_t lastWrite = 0;  // 100-ns ticks since 1601, UTC
  // As listed, to open the file by: on a file system that tells case apart (Wine's), the
  // upper-cased path is found only by searching each folder on the way.
  std::wstring path;
  std::uint32_t attributes = 0;  // as listed
};

// The buckets of two or more files whose name and folder may be compared, as indices into
// `files` (the walk order), each bucket in walk order; largest kilobytes first, ties in the walk
// order of each bucket's first file.
std::vector<std::vector<std::size_t>> candidateBuckets(const std::vector<CollectedFile>& files);

}  // namespace kestova
