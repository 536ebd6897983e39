#include "win/replacing_file.h"

#include <algorithm>

#include "win/error.h"

namespace kestova::win {

ReplacingFile::ReplacingFile(std::wstring target) : target_(std::move(target)) {
  std::size_t slash = target_.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? L"." : target_.substr(0, slash + 1);
  wchar_t name[MAX_PATH] = {};
  if (!GetTempFileNameW(folder.c_str(), L"kst", 0, name)) fail();
  temporary_ = name;
  file_ = FileHandle(CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    DWORD error = GetLastError();
    DeleteFileW(name);
    temporary_.clear();
    SetLastError(error);
    fail();
  }
}

ReplacingFile::~ReplacingFile() {
  file_.close();
  if (!committed_ && !temporary_.empty()) DeleteFileW(temporary_.c_str());
}

void ReplacingFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    DWORD wrote = 0;
    if (!WriteFile(file_.get(), bytes.data(), chunk, &wrote, nullptr)) fail();
    if (wrote == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      fail();
    }
    bytes.remove_prefix(wrote);
  }
}

void ReplacingFile::commit() {
  if (!FlushFileBuffers(file_.get())) fail();
  file_.close();
  if (!MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) fail();
  committed_ = true;
}

void ReplacingFile::fail() const { throwLastError(L"Cannot write \"" + target_ + L"\""); }

}  // namespace kestova::win
