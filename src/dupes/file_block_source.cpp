#include "dupes/file_block_source.h"

#include <windows.h>

#include "core/long_path.h"

namespace kestova::dupes {
namespace {

int openFiles = 0;

}  // namespace

FileBlockSource::FileBlockSource(std::wstring path, win::FileHandle open)
    : path_(std::move(path)), file_(std::move(open)) {
  if (file_) ++openFiles;
}

FileBlockSource::~FileBlockSource() { closeHandle(); }

void FileBlockSource::closeHandle() {
  if (!file_) return;
  file_.close();
  --openFiles;
}

bool FileBlockSource::open() {
  if (file_) return true;
  file_ = win::FileHandle(CreateFileW(longPathForm(path_).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file_) return false;
  ++openFiles;
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset_);
  if (offset_ > 0 && !SetFilePointerEx(file_.get(), at, nullptr, FILE_BEGIN)) {
    closeHandle();
    return false;
  }
  return true;
}

std::size_t FileBlockSource::read(std::uint8_t* buffer, std::size_t count) {
  if (failed_ || !open()) {
    failed_ = true;
    return 0;
  }
  std::size_t total = 0;
  while (total < count) {
    DWORD got = 0;
    DWORD ask = static_cast<DWORD>(count - total);
    if (!ReadFile(file_.get(), buffer + total, ask, &got, nullptr) || got == 0) break;
    total += got;
  }
  offset_ += total;
  if (total < count) failed_ = true;
  if (failed_ || openFiles > kMaxOpenFiles) closeHandle();
  return total;
}

}  // namespace kestova::dupes
