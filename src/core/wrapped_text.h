#pragma once
// Word wrapping of a key, value or data text into a column, with one highlighted part: the
// layout behind the registry cleaner's result list, apart from the drawing.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestova {

struct WrapToken {
  std::wstring text;
  bool highlighted = false;
};

// Tokens running up to and including the next break character (";,\/-", blank, tab, LF, CR);
// with a highlight (1-based position and length both above 0) the highlighted part is one token.
std::vector<WrapToken> wrapTokens(std::wstring_view text, int highlightPosition, int highlightLength);

struct PlacedToken {
  std::wstring text;
  bool highlighted;
  int x;
  int y;
};

struct WrapLayout {
  std::vector<PlacedToken> tokens;
  int height = 0;
};

inline constexpr int kMinimumWrapHeight = 18;

// Places the tokens in a column of `width` pixels (the usable width is one less) with lines of
// `lineHeight`; `measure` gives a token's width in its style. The height is at least 18.
WrapLayout layoutWrapped(const std::vector<WrapToken>& tokens, int width, int lineHeight,
                         const std::function<int(const std::wstring&, bool highlighted)>& measure);

}  // namespace kestova
