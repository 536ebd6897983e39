#include "registry/SearchFound.h"

#include "core/invalid_reference.h"
#include "core/reg_data_text.h"
#include "core/text_codec.h"
#include "win/error.h"
#include "win/handles.h"

namespace kestova::registry {
namespace {

constexpr wchar_t kLogName[] = L"rrr.TXT";

bool isFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void writeAll(HANDLE file, const std::string& bytes, const std::wstring& path) {
  DWORD wrote = 0;
  if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) || wrote != bytes.size()) {
    win::throwLastError(L"Cannot write file \"" + path + L"\"");
  }
}

}  // namespace

bool PathExists(const std::wstring& path) {
  const std::wstring lower = regsearch::lowerAscii(path), upper = regsearch::upperAscii(path);
  // A form equal to one already tested gives the same answer and is not asked again.
  return isFile(path) || (lower != path && isFile(lower)) || (upper != path && isFile(upper)) || isFolder(path) ||
         (!path.empty() && isFolder(path.substr(0, path.size() - 1))) || (lower != path && isFolder(lower)) ||
         (upper != path && isFolder(upper));
}

TRegistryErrors::TRegistryErrors() : InvalidPathLog{L"Memo2"} {}

void TRegistryErrors::Reset() {
  ErrorCount = 0;
  FixedCount = 0;
  FoundKeys.clear();
  FoundNames.clear();
  FoundData.clear();
  FoundPaths.clear();
  Results.clear();
}

void TRegistryErrors::SearchFound(const TSearchHit& hit) {
  const auto path = regsearch::extractPath(hit.Data);
  if (!path || regsearch::rejectingRule(hit.Key, *path) != 0 || PathExists(*path)) return;

  InvalidPathLog.push_back(*path);
  try {
    saveLog();
  } catch (...) {
    InvalidPathLog.pop_back();
    throw;
  }
  ++ErrorCount;
  FoundKeys.push_back(hit.Key);
  FoundNames.push_back(hit.ValueName);
  FoundData.push_back(hit.Data);
  FoundPaths.push_back(hit.KeyPath);
  Results.emplace_back(hit.RootKey, hit.Key, hit.ValueName, hit.Data, hit.KeyMatchPos, hit.NameMatchPos,
                       hit.DataMatchPos, hit.KeyMatchLen, hit.NameMatchLen, hit.DataMatchLen);
  if (OnRecorded) OnRecorded(Results.back());
}

// The whole log is the file's content after every error. When the file still holds what was
// written last time, the new line is appended instead of rewriting everything.
void TRegistryErrors::saveLog() {
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(kLogName, MAX_PATH, full, nullptr);
  if (n == 0 || n >= MAX_PATH) win::throwLastError(L"Cannot find the folder of \"rrr.TXT\"");
  const std::wstring path(full, n);
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) win::throwLastError(L"Cannot create file \"" + path + L"\"");
  DWORD high = 0;
  const DWORD size = GetFileSize(file.get(), &high);
  const bool append = path == logPath_ && high == 0 && size == logSize_ && size != 0;
  std::string bytes = toCp1252(append ? InvalidPathLog.back() + L"\r\n" : joinLines(InvalidPathLog));
  if (append) {
    if (SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) {
      win::throwLastError(L"Cannot write file \"" + path + L"\"");
    }
  } else if (!SetEndOfFile(file.get())) {
    win::throwLastError(L"Cannot write file \"" + path + L"\"");
  }
  writeAll(file.get(), bytes, path);
  logPath_ = path;
  logSize_ = append ? size + static_cast<DWORD>(bytes.size()) : static_cast<DWORD>(bytes.size());
}

}  // namespace kestova::registry
