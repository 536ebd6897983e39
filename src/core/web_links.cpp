#include "core/web_links.h"

namespace kestova {

std::wstring firstLine(std::wstring_view text) {
  std::size_t end = text.find_first_of(L"\r\n");
  return std::wstring(text.substr(0, end));
}

bool isCurrentVersion(std::wstring_view versionFile) { return firstLine(versionFile) == kVersionMarker; }

std::wstring joinAddress(std::wstring_view base, std::wstring_view path) {
  if (!base.empty() && base.back() == L'/') base.remove_suffix(1);
  return std::wstring(base) + std::wstring(path);
}

namespace {

bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    wchar_t c = text[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool hasBlankOrControl(std::wstring_view text) {
  for (wchar_t c : text) {
    if (c <= L' ' || c == 0x7F) return true;
  }
  return false;
}

}  // namespace

bool isWebAddress(std::wstring_view address) {
  std::size_t scheme = startsWithIgnoringCase(address, L"http://")    ? 7
                       : startsWithIgnoringCase(address, L"https://") ? 8
                                                                      : 0;
  if (scheme == 0 || hasBlankOrControl(address)) return false;
  std::wstring_view host = address.substr(scheme);
  host = host.substr(0, host.find_first_of(L"/?#"));
  return !host.empty() && host.find(L'@') == std::wstring_view::npos;
}

bool isMailAddress(std::wstring_view address) {
  if (address.empty() || hasBlankOrControl(address) || address.find_first_of(L"?&:/\\") != std::wstring_view::npos) {
    return false;
  }
  std::size_t at = address.find(L'@');
  return at != std::wstring_view::npos && at > 0 && at + 1 < address.size() &&
         address.find(L'@', at + 1) == std::wstring_view::npos;
}

std::wstring trimBlanks(std::wstring_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] <= L' ') ++start;
  std::size_t end = text.size();
  while (end > start && text[end - 1] <= L' ') --end;
  return std::wstring(text.substr(start, end - start));
}

std::wstring linkLabelUrl(std::wstring_view value) {
  std::wstring trimmed = trimBlanks(value);
  if (trimmed.empty()) return L"";
  std::wstring prefix = trimmed.substr(0, 7);
  for (auto& c : prefix) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  if (prefix != L"http://") return L"http://" + std::wstring(value);
  return std::wstring(value);
}

bool isLinkedUrl(std::wstring_view url) { return trimBlanks(url).size() > 12; }

LinkStyle styleAfterUrlChange(bool linked, bool highlight) {
  return linked && !highlight ? LinkStyle::Link : LinkStyle::Plain;
}

LinkStyle styleAfterHighlightChange(bool highlight) { return highlight ? LinkStyle::Plain : LinkStyle::Link; }

std::optional<LinkStyle> styleOnEnter(bool linked, bool highlight) {
  if (highlight && linked) return LinkStyle::Link;
  return std::nullopt;
}

std::optional<LinkStyle> styleOnLeave(bool highlight) {
  if (highlight) return LinkStyle::Plain;
  return std::nullopt;
}

}  // namespace kestova
