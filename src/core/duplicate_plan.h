#pragma once
// The order of the duplicate comparison: files that share an upper-cased name and an exact size
// form a bucket; buckets are compared largest first.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kestova {

// A file of the grid, as the comparison found it: made for the files it lists only.
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

// The files a walk collected. Each folder's text is kept once for all its files, and a file
// keeps only its name as listed: the upper-cased forms are made when they are needed. Deques,
// so that the tables never hold two copies while they grow.
struct WalkedFolder {
  std::wstring path;        // as listed, without a trailing backslash ("C:" for a root)
  bool comparable = false;  // its upper-cased path passes isComparableFolder
};

struct WalkedFile {
  std::wstring name;  // as listed
  std::uint64_t bytes = 0;
  std::uint64_t lastWrite = 0;  // 100-ns ticks since 1601, UTC
  std::uint32_t folder = 0;     // index into the walk's folders
  std::uint32_t attributes = 0;
};

struct WalkedFiles {
  std::deque<WalkedFolder> folders;
  std::deque<WalkedFile> files;
  void clear();
  // Folder + "\" + name, as listed.
  std::wstring pathOf(std::size_t file) const;
};

// The upper case of a name as the system writes it.
using UpperCase = std::function<std::wstring(const std::wstring&)>;

// The buckets of two or more files that share an upper-cased name and an exact size and whose
// name and folder may be compared, as indices into `walk.files` (the walk order), each bucket in
// walk order; largest kilobytes first, ties in the walk order of each bucket's first file. Beyond
// the buckets themselves it needs 24 bytes per file while it works.
std::vector<std::vector<std::size_t>> candidateBuckets(const WalkedFiles& walk, const UpperCase& upper);

}  // namespace kestova
