#include "core/duplicate_rules.h"

#include <array>

#include "core/number_format.h"

namespace kestova {
namespace {

bool contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

constexpr std::array<std::wstring_view, 26> kProtectedNames = {
    L"SETUP.DLL",    L"_SETUP.DLL",   L"GDI32.DLL",    L"USER32.DLL",   L"SHELL32.DLL",  L"KERNEL32.DLL",
    L"WINSOCK.DLL",  L"WSOCK32.DLL",  L"WSOCK16.DLL",  L"_ISREG32.DLL", L"OPENGL32.DLL", L"SMACKW32.DLL",
    L"MM256.DAT",    L"MM2048.DAT",   L"COMMAND.COM",  L"IO.SYS",       L"MSDOS.SYS",    L"AUTOEXEC.BAT",
    L"CONFIG.SYS",   L"SYSTEM.DAT",   L"BOOKMARK.HTM", L"CALENDAT.TMP", L"BLANK.HTM",    L"RUNDLL32.EXE",
    L"HYMEM.SYS",    L"FOLDER.HTT",
};

}  // namespace

bool isCollectedSize(std::uint64_t bytes, bool limit) {
  if (bytes <= kDuplicateMinBytes) return false;
  return !limit || (bytes > kLimitMinBytes && bytes <= kLimitMaxBytes);
}

std::uint64_t duplicateKilobytes(std::uint64_t bytes) { return bytes / 1024 + 1; }

bool isComparableName(std::wstring_view upperName) {
  if (upperName.empty() || contains(upperName, L".EXE") || contains(upperName, L".SYS")) return false;
  // A path ending in a dot or a blank names another file once the system trims it.
  if (upperName.back() == L'.' || upperName.back() == L' ') return false;
  for (std::wstring_view name : kProtectedNames) {
    if (upperName == name) return false;
  }
  return true;
}

bool isComparableFolder(std::wstring_view upperFolder) {
  if (upperFolder.empty()) return false;
  return upperFolder.size() < 3 || upperFolder.substr(3, 7) != L"RECYCLE";
}

bool isSystemFolderPath(std::wstring_view path) {
  return contains(path, L"windows") || contains(path, L"Windows") || contains(path, L"WINDOWS");
}

std::wstring duplicateSizeText(std::uint64_t kilobytes, std::wstring_view thousandsSeparator) {
  return groupThousands(kilobytes, thousandsSeparator) + L" Kb";
}

double sizeCellDigits(std::wstring_view cell) {
  if (cell.size() <= 3) return 0;
  double value = 0;
  for (wchar_t c : cell.substr(0, cell.size() - 3)) {
    if (c >= L'0' && c <= L'9') value = value * 10 + (c - L'0');
  }
  return value;
}

}  // namespace kestova
