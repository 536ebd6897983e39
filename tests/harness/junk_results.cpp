#include "harness/junk_results.h"

#include <windows.h>

#include <shellapi.h>

#include <stdexcept>

#include "harness/temp_folder.h"
#include "win/handles.h"
#include "win/shell_link.h"

namespace kestova::test {
namespace {

void makeParents(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
}

// The unix path of a Windows path whose last folders may be gone already (ASCII names).
std::string unixPathOfGone(const std::wstring& path) {
  try {
    return unixPath(path);
  } catch (const std::runtime_error&) {
    std::size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut < 3) throw;
    std::string name;
    for (wchar_t c : path.substr(cut + 1)) name.push_back(static_cast<char>(c));
    return unixPathOfGone(path.substr(0, cut)) + "/" + name;
  }
}

}  // namespace

void writeSizedFile(const std::wstring& path, std::uint64_t size) {
  makeParents(path);
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot create a test file");
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) {
    throw std::runtime_error("cannot size a test file");
  }
}

void writeShortcut(const std::wstring& path, const std::wstring& target, std::uint64_t size) {
  makeParents(path);
  if (!win::saveShortcut(path, target)) throw std::runtime_error("cannot save a shortcut");
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER current;
  if (!file || !GetFileSizeEx(file.get(), &current)) throw std::runtime_error("cannot open a shortcut");
  if (static_cast<std::uint64_t>(current.QuadPart) >= size) return;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) {
    throw std::runtime_error("cannot pad a shortcut");
  }
}

long long recycleBinItems() {
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof info;
  if (FAILED(SHQueryRecycleBinW(nullptr, &info))) throw std::runtime_error("the recycle bin cannot be counted");
  return info.i64NumItems;
}

bool inRecycleBin(const std::wstring& original) {
  char buffer[4096] = {};
  std::string data;
  if (GetEnvironmentVariableA("XDG_DATA_HOME", buffer, sizeof buffer)) {
    data = buffer;
  } else if (GetEnvironmentVariableA("HOME", buffer, sizeof buffer)) {
    data = std::string(buffer) + "/.local/share";
  } else {
    throw std::runtime_error("no trash folder");
  }
  std::wstring info = windowsPath(data + "/Trash/info");
  std::string wanted = "Path=" + unixPathOfGone(original) + "\n";
  WIN32_FIND_DATAW entry;
  win::FindHandle find(FindFirstFileW((info + L"\\*.trashinfo").c_str(), &entry));
  if (!find.valid()) return false;
  do {
    if (fileBytes(info + L"\\" + entry.cFileName).find(wanted) != std::string::npos) return true;
  } while (FindNextFileW(find.get(), &entry));
  return false;
}

void setAttributes(const std::wstring& path, unsigned attributes) {
  if (!SetFileAttributesW(path.c_str(), attributes) || (GetFileAttributesW(path.c_str()) & attributes) != attributes) {
    throw std::runtime_error("the file system refuses the attributes");
  }
}

}  // namespace kestova::test
