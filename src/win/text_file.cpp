#include "win/text_file.h"

#include <windows.h>

#include "core/text_codec.h"
#include "win/error.h"
#include "win/handles.h"

namespace kestova::win {
namespace {

[[noreturn]] void cannotOpen(const std::wstring& path) {
  throw Error(L"Cannot open file \"" + path + L"\". " + systemErrorText(GetLastError()));
}

FileHandle createFile(const std::wstring& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(L"Cannot create file \"" + path + L"\". " + systemErrorText(GetLastError()));
  return file;
}

// Every byte, then flushed: the bytes are on the disk when it returns.
void writeAll(HANDLE file, const std::wstring& path, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
      throwLastError(L"Cannot write file \"" + path + L"\"");
    }
    done += wrote;
  }
  if (!FlushFileBuffers(file)) throwLastError(L"Cannot write file \"" + path + L"\"");
}

}  // namespace

std::string readBytes(const std::wstring& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) cannotOpen(path);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) cannotOpen(path);
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
  FileHandle file = createFile(path);
  writeAll(file.get(), path, bytes);
}

std::wstring replacementPath(const std::wstring& path) { return path + L".new"; }

void commitReplacement(const std::wstring& temporary, const std::wstring& path) {
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    throwLastError(L"Cannot replace file \"" + path + L"\"");
  }
}

void replaceBytes(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = replacementPath(path);
  {
    FileHandle file = createFile(temporary);
    try {
      writeAll(file.get(), temporary, bytes);
    } catch (...) {
      file.close();
      DeleteFileW(temporary.c_str());  // what this write made, never the old file
      throw;
    }
  }
  commitReplacement(temporary, path);
}

std::optional<Lines> readLinesIfExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return readLines(path);
}

Lines readLines(const std::wstring& path) { return splitLines(fromCp1252(readBytes(path))); }

void writeLines(const std::wstring& path, const Lines& lines) {
  replaceBytes(path, toCp1252(joinLines(lines)));
}

}  // namespace kestova::win
