#pragma once
// A result sink that keeps the rows in memory, for tests of the cleaners without the hub.
#include <cstdint>
#include <string>
#include <vector>

#include "junk/result_sink.h"

namespace kestova::test {

class JunkResults : public junk::ResultSink {
 public:
  std::vector<JunkRow> rows;
  std::uint64_t total = 0;
  int pumps = 0;

  void addRow(JunkRow row) override { rows.push_back(std::move(row)); }
  int rowCount() const override { return static_cast<int>(rows.size()); }
  void addToTotal(std::uint64_t bytes) override { total += bytes; }
  void pump() override { ++pumps; }

  // "path" + "name" of every row, in row order.
  std::vector<std::wstring> paths() const {
    std::vector<std::wstring> list;
    for (const auto& row : rows) list.push_back(row.path + row.name);
    return list;
  }
  const JunkRow* find(const std::wstring& path) const {
    for (const auto& row : rows) {
      if (row.path + row.name == path) return &row;
    }
    return nullptr;
  }
};

// Writes a file of `size` bytes (sparse beyond the first bytes, so sizes over 4 GiB are cheap).
void writeSizedFile(const std::wstring& path, std::uint64_t size);
// A shortcut to `target` padded with zero bytes to `size` bytes when it is shorter.
void writeShortcut(const std::wstring& path, const std::wstring& target, std::uint64_t size = 0);
// The number of items in the recycle bins, as the shell counts them.
long long recycleBinItems();
// True when the recycle bin (Wine's freedesktop trash) holds an item that came from `original`:
// unlike the count, other tests that recycle at the same time do not change the answer.
bool inRecycleBin(const std::wstring& original);
// Sets attributes; throws when the file system does not keep them.
void setAttributes(const std::wstring& path, unsigned attributes);

}  // namespace kestova::test
