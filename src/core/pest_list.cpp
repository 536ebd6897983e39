#include "core/pest_list.h"

#include <algorithm>

namespace kestova {
namespace {

constexpr std::size_t kMaxKey = 255;

bool isHex(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool isAsciiAlnum(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// "{" 8-4-4-4-12 hexadecimal digits "}".
bool isClassId(std::wstring_view text) {
  static constexpr std::wstring_view kShape = L"{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    wchar_t want = kShape[i];
    if (want == L'x' ? !isHex(text[i]) : text[i] != want) return false;
  }
  return true;
}

bool isListLine(std::wstring_view line) {
  constexpr std::size_t kIdLength = 38;
  if (!line.empty() && line.front() == L'{') {
    if (line.size() < kIdLength || !isClassId(line.substr(0, kIdLength))) return false;
    // Two separators of any kind, then a name the grid can show.
    std::wstring_view name = line.substr(std::min(line.size(), kIdLength + 2));
    if (name.empty()) return false;
    for (wchar_t c : name) {
      if (c < 32) return false;
    }
    return true;
  }
  if (line.size() > kMaxKey) return false;
  for (wchar_t c : line) {
    if (!isAsciiAlnum(c) && c != L'.' && c != L'-' && c != L'_') return false;
  }
  return true;
}

}  // namespace

std::optional<PestItem> ParsePestLine(std::wstring_view line, int file) {
  if (line.empty()) return std::nullopt;
  PestItem item;
  item.file = file;
  item.kind = line.find(L'{') != std::wstring_view::npos ? PestKind::ActiveX : PestKind::Cookie;
  std::size_t brace = line.find(L'}');
  if (brace == std::wstring_view::npos) {
    item.key = item.name = std::wstring(line);
    return item;
  }
  item.closed = true;
  item.key = std::wstring(line.substr(0, brace + 1));
  std::size_t nameStart = brace + 3;  // the "}" and two separator characters
  if (nameStart < line.size()) item.name = std::wstring(line.substr(nameStart));
  return item;
}

const wchar_t* pestTypeText(PestKind kind) { return kind == PestKind::ActiveX ? L"Spyware/Adware" : L"Cookie"; }

std::wstring pestGridName(const PestItem& item, PestPass pass) {
  if (!item.closed) return item.key;
  if (pass == PestPass::WindowOpen && (item.file == 1 || item.file == 2)) return item.name + L"    --> " + item.key;
  return item.name;
}

std::wstring pestCountText(long long lines, PestPass pass) {
  std::wstring figure = std::to_wstring(lines - 10);
  if (pass == PestPass::WindowOpen) return L" Number of itens  : " + figure;
  return std::wstring(50, L' ') + L"Number of Items  : " + figure;
}

bool isUsablePestKey(std::wstring_view key) {
  if (key.empty() || key.size() > kMaxKey) return false;
  for (wchar_t c : key) {
    if (c == L'\\' || c < 32) return false;
  }
  return true;
}

bool isValidPestList(std::wstring_view text) {
  bool anyItem = false;
  while (!text.empty()) {
    std::size_t end = std::min(text.find_first_of(L"\r\n"), text.size());
    std::wstring_view line = text.substr(0, end);
    if (!line.empty()) {
      if (!isListLine(line)) return false;
      anyItem = true;
    }
    text.remove_prefix(end < text.size() ? end + 1 : end);
  }
  return anyItem;
}

}  // namespace kestova
