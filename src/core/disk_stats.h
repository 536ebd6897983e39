#pragma once
// The statistics of one drive: totals per file extension and per top-level folder, and the 1000
// largest files, in fixed slot tables whose orders (ties included) are those of the program's
// exchange passes. Each file costs O(1) or O(log n): maps find the slots, and a file no larger
// than the 1000th is turned away by one comparison.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestova {

struct ExtensionRow {
  std::wstring extension;
  std::int32_t count = 0;
  double size = 0;  // kilobyte figures during the walk, megabytes after it
  bool used = false;
};

struct FolderRow {
  std::wstring folder;  // "C:\WINDOWS"
  std::int32_t count = 0;
  double size = 0;  // megabytes
  bool used = false;
};

struct LargeFile {
  std::wstring name;
  std::wstring folder;  // without a trailing backslash
  double size = 0;      // kilobyte figure
  bool used = false;
};

enum class StatsView { Extensions = 0, Folders = 1, LargestFiles = 2 };
enum class StatsOrder { Name = 0, Count = 1, Size = 2 };

// Bytes / 1024 + 1, the fraction dropped: an empty file counts 1.
std::uint64_t kilobyteFigure(std::uint64_t bytes);
// A name with an extension of exactly three characters; "." and ".." are not. A folder of such a
// name counts as a file of 0 bytes.
bool hasThreeLetterExtension(std::wstring_view name);
// The text after a name's last ".", as spelt; empty for a name without one (a row of its own).
std::wstring extensionOf(std::wstring_view name);
// The top-level folder a walked folder belongs to: its path cut before the second backslash.
std::wstring topLevelOf(const std::wstring& folder);
// Upper case of the ASCII letters only, so the merge does not depend on a locale.
std::wstring asciiUpper(std::wstring text);

class DiskStats {
 public:
  static constexpr std::size_t kExtensionSlots = 2000;
  static constexpr std::size_t kFolderSlots = 2000;
  static constexpr std::size_t kLargestSlots = 1000;

  DiskStats();

  // Every slot free, every count and size 0.
  void reset();
  // The next slot of the folder table; false when the table is full (the folder gets no row).
  bool addTopFolder(const std::wstring& path);

  // The file scan of one folder: begin, every counted file, end.
  void beginFolder(const std::wstring& folder);
  void addFile(const std::wstring& name, std::uint64_t bytes);
  void endFolder();

  // Offers a file of kilobyte figure `size` to the largest files.
  void offerLargest(const std::wstring& name, const std::wstring& folder, double size);

  // Upper-cases the extensions and merges equal ones into the lowest slot; after a collection
  // also turns kilobyte figures into megabytes.
  void normaliseExtensions(bool toMegabytes);
  void sort(StatsView view, StatsOrder order);

  // Slot 1 is element 0.
  const std::vector<ExtensionRow>& extensions() const { return extensions_; }
  const std::vector<FolderRow>& folders() const { return folders_; }
  const std::vector<LargeFile>& largest() const { return largest_; }

 private:
  std::vector<ExtensionRow> extensions_;
  std::vector<FolderRow> folders_;
  std::vector<LargeFile> largest_;
  // Valid during a walk: the slot of each spelling and of each top-level folder.
  std::unordered_map<std::wstring, std::size_t> extensionSlot_;
  std::unordered_map<std::wstring, std::size_t> folderSlot_;
  std::size_t extensionsUsed_ = 0;
  std::size_t foldersUsed_ = 0;
  std::size_t largestUsed_ = 0;
  // The folder being scanned.
  FolderRow* current_ = nullptr;
  std::wstring currentFolder_;
  std::uint64_t currentBytes_ = 0;
  std::int32_t currentCount_ = 0;
};

}  // namespace kestova
