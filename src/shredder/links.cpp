#include "shredder/links.h"

#include "win/handles.h"

namespace kestova::shredder {
namespace {

using GetFinalPath = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// Vista and later; XP has no symbolic links and marks its junctions with the attribute.
GetFinalPath finalPathFunction() {
  static const GetFinalPath function = reinterpret_cast<GetFinalPath>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
  return function;
}

// The path the system resolves `path` to; empty when it cannot tell.
std::wstring resolved(const std::wstring& path) {
  GetFinalPath function = finalPathFunction();
  if (!function) return {};
  win::FileHandle handle(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return {};
  std::wstring result(1024, L'\0');
  DWORD length = function(handle.get(), result.data(), static_cast<DWORD>(result.size()), 0);
  if (length >= result.size()) {
    result.resize(length + 1);
    length = function(handle.get(), result.data(), static_cast<DWORD>(result.size()), 0);
  }
  if (length == 0 || length >= result.size()) return {};
  result.resize(length);
  return result;
}

bool samePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

struct FileDispositionInformation {
  BOOLEAN deleteFile;
};
struct IoStatusBlock {
  void* status;
  ULONG_PTR information;
};
using SetInformationFile = LONG(NTAPI*)(HANDLE, IoStatusBlock*, void*, ULONG, int);
constexpr int kFileDispositionInformation = 13;

}  // namespace

bool isLink(const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
  std::wstring self = resolved(folder + L"\\" + entry.cFileName);
  std::wstring parent = resolved(folder);
  if (self.empty() || parent.empty()) return false;
  if (parent.back() != L'\\') parent += L'\\';
  return !samePath(self, parent + entry.cFileName);
}

void removeLink(const std::wstring& path) {
  win::FileHandle handle(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return;
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;  // the target, not the link
  auto set = reinterpret_cast<SetInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetInformationFile")));
  if (!set) return;
  FileDispositionInformation disposition{TRUE};
  IoStatusBlock status{};
  set(handle.get(), &status, &disposition, sizeof disposition, kFileDispositionInformation);
}

}  // namespace kestova::shredder
