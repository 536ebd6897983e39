#include "core/long_path.h"

namespace kestova {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";

bool isSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

bool isDrivePath(std::wstring_view path) {
  return path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
         path[1] == L':' && isSeparator(path[2]);
}

// "\\server\share..." but not "\\?\" or "\\.\" (device forms) and not "\\\" (no server).
bool isNetworkPath(std::wstring_view path) {
  return path.size() >= 5 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]) && path[2] != L'?' &&
         !(path[2] == L'.' && path.size() > 3 && isSeparator(path[3]));
}

// Appends the parts of `rest` to `out` (which ends in "\") with single "\" separators; false
// when a part is "." or "..".
bool appendParts(std::wstring_view rest, std::wstring& out) {
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !isSeparator(rest[end])) ++end;
    std::wstring_view part = rest.substr(start, end - start);
    if (part == L"." || part == L"..") return false;
    if (!part.empty()) {
      if (out.back() != L'\\') out += L'\\';
      out += part;
    }
    if (end == rest.size()) {
      if (!rest.empty() && isSeparator(rest.back()) && out.back() != L'\\') out += L'\\';
      break;
    }
    start = end + 1;
  }
  return true;
}

}  // namespace

std::wstring longPathForm(std::wstring_view path) {
  if (path.size() < kPlainPathLimit) return std::wstring(path);
  std::wstring out;
  std::wstring_view rest;
  if (isDrivePath(path)) {
    out.assign(kExtended).append(path.substr(0, 2)) += L'\\';
    rest = path.substr(3);
  } else if (isNetworkPath(path)) {
    out.assign(kExtendedUnc);
    rest = path.substr(2);
  } else {
    return std::wstring(path);
  }
  if (!appendParts(rest, out)) return std::wstring(path);
  return out;
}

}  // namespace kestova
