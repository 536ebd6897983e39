#include "core/wrapped_text.h"

#include <algorithm>

namespace kestova {
namespace {

bool isBreak(wchar_t c) {
  return c == L';' || c == L',' || c == L'\\' || c == L'/' || c == L'-' || c == L' ' || c == L'\t' || c == L'\n' ||
         c == L'\r';
}

void split(std::wstring_view text, std::vector<WrapToken>& out) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isBreak(text[i])) {
      out.push_back({std::wstring(text.substr(start, i + 1 - start)), false});
      start = i + 1;
    }
  }
  if (start < text.size()) out.push_back({std::wstring(text.substr(start)), false});
}

}  // namespace

std::vector<WrapToken> wrapTokens(std::wstring_view text, int highlightPosition, int highlightLength) {
  std::vector<WrapToken> tokens;
  if (highlightPosition <= 0 || highlightLength <= 0 ||
      static_cast<std::size_t>(highlightPosition) > text.size()) {
    split(text, tokens);
    return tokens;
  }
  std::size_t from = static_cast<std::size_t>(highlightPosition - 1);
  std::size_t length = std::min(static_cast<std::size_t>(highlightLength), text.size() - from);
  split(text.substr(0, from), tokens);
  tokens.push_back({std::wstring(text.substr(from, length)), true});
  split(text.substr(from + length), tokens);
  return tokens;
}

WrapLayout layoutWrapped(const std::vector<WrapToken>& tokens, int width, int lineHeight,
                         const std::function<int(const std::wstring&, bool highlighted)>& measure) {
  WrapLayout layout;
  int usable = width - 1;
  int x = 0;
  int y = 0;
  std::vector<WrapToken> pending(tokens.rbegin(), tokens.rend());  // a stack: the next token is at the back
  while (!pending.empty()) {
    WrapToken token = std::move(pending.back());
    pending.pop_back();
    if (!token.text.empty()) {
      wchar_t& last = token.text.back();
      if (last == L'\t' || last == L'\n' || last == L'\r') last = L' ';
    }
    int w = measure(token.text, token.highlighted);
    if (x == 0) layout.height += lineHeight;
    if (x == 0 && w > usable && token.text.size() > 1) {
      // Cut at the longest prefix that fits; at least one character, so the walk always advances.
      std::size_t fits = 1;
      while (fits + 1 < token.text.size() && measure(token.text.substr(0, fits + 1), token.highlighted) <= usable) {
        ++fits;
      }
      pending.push_back({token.text.substr(fits), token.highlighted});
      token.text.resize(fits);
      w = measure(token.text, token.highlighted);
    }
    if (x > 0 && x + w > usable) {
      y += lineHeight;
      x = 0;
      pending.push_back(std::move(token));
      continue;
    }
    layout.tokens.push_back({token.text, token.highlighted, x, y});
    x += w;
  }
  layout.height = std::max(layout.height, kMinimumWrapHeight);
  return layout;
}

}  // namespace kestova
