#pragma once
// A file read from start to end for the content comparison.
#include <cstdint>
#include <string>

#include "core/content_compare.h"
#include "win/handles.h"

namespace kestova::dupes {

class FileBlockSource : public BlockSource {
 public:
  explicit FileBlockSource(std::wstring path) : path_(std::move(path)) {}
  ~FileBlockSource() override;
  FileBlockSource(const FileBlockSource&) = delete;
  FileBlockSource& operator=(const FileBlockSource&) = delete;

  // Fewer bytes than asked when the file cannot be opened or read, or ends early.
  std::size_t read(std::uint8_t* buffer, std::size_t count) override;

 private:
  bool open();
  void closeHandle();

  std::wstring path_;
  win::FileHandle file_;
  std::uint64_t offset_ = 0;
  bool failed_ = false;
};

}  // namespace kestova::dupes
