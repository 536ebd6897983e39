#include "harness/temp_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "win/handles.h"
#include "win/text_file.h"

namespace kestova::test {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  for (;;) {
    std::wstring candidate = std::wstring(temp) + L"kestova-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(counter++);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate + L"\\";
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot make a temporary folder");
  }
}

TempFolder::~TempFolder() { removeTree(path_); }

std::wstring TempFolder::writeFile(const std::wstring& relative, const std::string& bytes) const {
  std::wstring full = path_ + relative;
  for (std::size_t at = full.find(L'\\', path_.size()); at != std::wstring::npos; at = full.find(L'\\', at + 1)) {
    CreateDirectoryW(full.substr(0, at).c_str(), nullptr);
  }
  win::writeBytes(full, bytes);
  return full;
}

bool removeTree(const std::wstring& folder) {
  std::wstring base = folder;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW((base + L"\\*").c_str(), &data));
  if (find.valid()) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = base + L"\\" + name;
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      bool link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link) {
        removeTree(full);
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(full.c_str());
      } else {
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(find.get(), &data));
  }
  return RemoveDirectoryW(base.c_str()) || GetFileAttributesW(base.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string fileBytes(const std::wstring& path) { return win::readBytes(path); }

void appendBytes(const std::wstring& path, const std::string& bytes) {
  win::FileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  DWORD written = 0;
  if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot append to a test file");
  }
}

void setWriteTime(const std::wstring& path, const SYSTEMTIME& utc) {
  FILETIME time;
  win::FileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!SystemTimeToFileTime(&utc, &time) || !file || !SetFileTime(file.get(), nullptr, nullptr, &time)) {
    throw std::runtime_error("cannot set a test file's time");
  }
}

std::map<std::wstring, std::string> treeBytes(const std::wstring& folder) {
  std::map<std::wstring, std::string> files;
  std::wstring base = folder;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW((base + L"\\*").c_str(), &data));
  if (!find.valid()) return files;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (auto& [path, bytes] : treeBytes(base + L"\\" + name)) files[name + L"\\" + path] = std::move(bytes);
    } else {
      files[name] = fileBytes(base + L"\\" + name);
    }
  } while (FindNextFileW(find.get(), &data));
  return files;
}

std::string unixPath(const std::wstring& windowsPath) {
  using GetUnixName = char*(CDECL*)(const wchar_t*);
  auto proc = reinterpret_cast<GetUnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!proc) throw std::runtime_error("not running under Wine");
  char* name = proc(windowsPath.c_str());
  if (!name) throw std::runtime_error("no unix name for a path");
  std::string result(name);
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

std::wstring windowsPath(const std::string& unixPath) {
  using GetDosName = wchar_t*(CDECL*)(const char*);
  auto proc = reinterpret_cast<GetDosName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (!proc) throw std::runtime_error("not running under Wine");
  wchar_t* name = proc(unixPath.c_str());
  if (!name) throw std::runtime_error("no Windows name for a unix path");
  std::wstring result(name);
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

}  // namespace kestova::test
