#pragma once
// A file read from start to end for the content comparison.
#include <cstdint>
#include <string>

#include "core/content_compare.h"
#include "win/handles.h"

namespace kestova::dupes {

class FileBlockSource : public BlockSource {
 public:
  // Files held open at once; beyond this a file is opened for each block and closed again, so
  // that a bucket of thousands of files does not run out of handles.
  static constexpr int kMaxOpenFiles = 256;

  explicit FileBlockSource(std::wstring path) : path_(std::move(path)) {}
  // Reads through a handle already open at the file's start.
  FileBlockSource(std::wstring path, win::FileHandle open);
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
