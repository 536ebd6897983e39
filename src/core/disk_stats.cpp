#include "core/disk_stats.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/text_codec.h"

namespace kestova {
namespace {

// The exchange pass over the occupied slots: for every i, for every j, swap when `outOfOrder`.
// It is not stable; its exact tie order is part of what the user sees.
template <typename Row, typename OutOfOrder>
void exchangePass(std::vector<Row>& rows, OutOfOrder outOfOrder) {
  std::vector<std::size_t> occupied;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].used) occupied.push_back(i);
  }
  std::vector<std::size_t> order = occupied;  // which entry sits in each occupied slot
  const std::size_t n = order.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      if (outOfOrder(order[i], order[j])) std::swap(order[i], order[j]);
    }
  }
  std::vector<Row> moved;
  moved.reserve(n);
  for (std::size_t k = 0; k < n; ++k) moved.push_back(std::move(rows[order[k]]));
  for (std::size_t k = 0; k < n; ++k) rows[occupied[k]] = std::move(moved[k]);
}

// Byte-wise keys on the single-byte text, so upper-case letters sort before lower-case ones.
template <typename Row, typename Text>
std::vector<std::string> byteKeys(const std::vector<Row>& rows, Text text) {
  std::vector<std::string> keys(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].used) keys[i] = toCp1252(text(rows[i]));
  }
  return keys;
}

template <typename Row>
void sortTotals(std::vector<Row>& rows, StatsOrder order, const std::vector<std::string>& names) {
  switch (order) {
    case StatsOrder::Name:
      exchangePass(rows, [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
      break;
    case StatsOrder::Count:
      exchangePass(rows, [&](std::size_t a, std::size_t b) { return rows[a].count > rows[b].count; });
      break;
    case StatsOrder::Size:
      exchangePass(rows, [&](std::size_t a, std::size_t b) { return rows[a].size > rows[b].size; });
      break;
  }
}

}  // namespace

std::uint64_t kilobyteFigure(std::uint64_t bytes) { return bytes / 1024 + 1; }

bool hasThreeLetterExtension(std::wstring_view name) {
  if (name == L"." || name == L"..") return false;
  return name.size() >= 4 && name[name.size() - 4] == L'.';
}

std::wstring extensionOf(std::wstring_view name) {
  std::size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring() : std::wstring(name.substr(dot + 1));
}

std::wstring topLevelOf(const std::wstring& folder) {
  std::size_t first = folder.find(L'\\');
  if (first == std::wstring::npos) return folder;
  std::size_t second = folder.find(L'\\', first + 1);
  return second == std::wstring::npos ? folder : folder.substr(0, second);
}

std::wstring asciiUpper(std::wstring text) {
  for (auto& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

DiskStats::DiskStats() { reset(); }

void DiskStats::reset() {
  extensions_.assign(kExtensionSlots, ExtensionRow{});
  folders_.assign(kFolderSlots, FolderRow{});
  largest_.assign(kLargestSlots, LargeFile{});
  extensionSlot_.clear();
  folderSlot_.clear();
  extensionsUsed_ = foldersUsed_ = largestUsed_ = 0;
  current_ = nullptr;
  currentFolder_.clear();
  currentBytes_ = 0;
  currentCount_ = 0;
}

bool DiskStats::addTopFolder(const std::wstring& path) {
  if (foldersUsed_ >= kFolderSlots) return false;
  FolderRow& row = folders_[foldersUsed_];
  row = FolderRow{path, 0, 0, true};
  folderSlot_.emplace(path, foldersUsed_);  // a name listed twice keeps its first slot
  ++foldersUsed_;
  return true;
}

void DiskStats::beginFolder(const std::wstring& folder) {
  auto it = folderSlot_.find(topLevelOf(folder));
  current_ = it == folderSlot_.end() ? nullptr : &folders_[it->second];
  currentFolder_ = folder;
  currentBytes_ = 0;
  currentCount_ = 0;
}

void DiskStats::addFile(const std::wstring& name, std::uint64_t bytes) {
  const double kilobytes = static_cast<double>(kilobyteFigure(bytes));
  std::wstring spelling = extensionOf(name);
  auto it = extensionSlot_.find(spelling);
  ExtensionRow* row = nullptr;
  if (it != extensionSlot_.end()) {
    row = &extensions_[it->second];
  } else if (extensionsUsed_ < kExtensionSlots) {
    // During a walk no slot is freed, so the lowest free slot is the next one.
    row = &extensions_[extensionsUsed_];
    *row = ExtensionRow{spelling, 0, 0, true};
    extensionSlot_.emplace(std::move(spelling), extensionsUsed_);
    ++extensionsUsed_;
  }
  if (row) {
    row->count += 1;
    row->size += kilobytes;
  }
  offerLargest(name, currentFolder_, kilobytes);
  currentBytes_ += bytes;
  currentCount_ += 1;
}

void DiskStats::endFolder() {
  if (current_) {
    current_->count += currentCount_;
    current_->size += static_cast<double>(currentBytes_) / 1024 / 1024;
  }
  current_ = nullptr;
}

void DiskStats::offerLargest(const std::wstring& name, const std::wstring& folder, double size) {
  // The table is in descending order with its free slots (size 0) at the end.
  if (largestUsed_ == kLargestSlots && largest_[kLargestSlots - 1].size >= size) return;
  auto first = std::partition_point(largest_.begin(), largest_.begin() + static_cast<std::ptrdiff_t>(largestUsed_),
                                    [size](const LargeFile& f) { return f.size >= size; });
  const std::size_t m = static_cast<std::size_t>(first - largest_.begin());
  // The exchange pass from m + 1; beyond the first free slot nothing can move.
  const std::size_t last = std::min(largestUsed_, kLargestSlots - 1);
  for (std::size_t j = m + 1; j <= last; ++j) {
    if (largest_[m].size > largest_[j].size) std::swap(largest_[m], largest_[j]);
  }
  largest_[m] = LargeFile{name, folder, size, true};
  if (largestUsed_ < kLargestSlots) ++largestUsed_;
}

void DiskStats::normaliseExtensions(bool toMegabytes) {
  extensionSlot_.clear();  // spellings change; the walk's map no longer holds
  std::vector<std::size_t> occupied;
  std::map<std::wstring, int> ids;
  std::vector<int> id(extensions_.size(), -1);
  for (std::size_t i = 0; i < extensions_.size(); ++i) {
    ExtensionRow& row = extensions_[i];
    if (!row.used) continue;
    row.extension = asciiUpper(std::move(row.extension));
    id[i] = ids.emplace(row.extension, static_cast<int>(ids.size())).first->second;
    occupied.push_back(i);
  }
  for (std::size_t i : occupied) {
    if (!extensions_[i].used) continue;
    for (std::size_t j : occupied) {
      if (j == i || !extensions_[j].used || id[j] != id[i]) continue;
      extensions_[i].size += extensions_[j].size;
      extensions_[i].count += extensions_[j].count;
      extensions_[j] = ExtensionRow{};
    }
  }
  if (toMegabytes) {
    for (auto& row : extensions_) {
      if (row.used) row.size /= 1024;
    }
  }
}

void DiskStats::sort(StatsView view, StatsOrder order) {
  switch (view) {
    case StatsView::Extensions:
      sortTotals(extensions_, order,
                 order == StatsOrder::Name ? byteKeys(extensions_, [](const ExtensionRow& r) { return r.extension; })
                                           : std::vector<std::string>{});
      break;
    case StatsView::Folders:
      sortTotals(folders_, order,
                 order == StatsOrder::Name ? byteKeys(folders_, [](const FolderRow& r) { return r.folder; })
                                           : std::vector<std::string>{});
      break;
    case StatsView::LargestFiles:
      if (order == StatsOrder::Size) {
        exchangePass(largest_, [this](std::size_t a, std::size_t b) { return largest_[a].size > largest_[b].size; });
      } else if (order == StatsOrder::Name) {
        auto names = byteKeys(largest_, [](const LargeFile& f) { return f.name; });
        exchangePass(largest_, [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
      } else {
        auto folders = byteKeys(largest_, [](const LargeFile& f) { return f.folder; });
        exchangePass(largest_, [&](std::size_t a, std::size_t b) { return folders[a] > folders[b]; });
      }
      break;
  }
}

}  // namespace kestova
