#pragma once
// How the registry cleaner's results list draws and measures an error: key, value and data,
// each wrapped to the column with the matching part bold and underlined, and a number box.
#include <windows.h>

#include <string>

#include "registry/TResult.h"
#include "win/handles.h"

namespace kestova::registry {

// Follows the value name on an item's value line.
inline constexpr const wchar_t* kErrorSuffix = L"   Error : File not found";

// The two display flags, both set when a search starts.
struct ResultLines {
  bool value = true;
  bool data = true;
};

class ResultsPainter {
 public:
  // `normal` is the list's font; the highlight style is made from it. The boxes beside the text
  // are 96-DPI pixels drawn at `dpi`.
  ResultsPainter(HFONT normal, int dpi);
  // Where the text column begins in an item, at the painter's DPI.
  int textLeft() const;

  // Draws (or, with `draw` false, only measures) `text` wrapped into `rect`; returns the height.
  int DrawWrapped(bool draw, HDC dc, const RECT& rect, int highlightPosition, int highlightLength,
                  const std::wstring& text) const;
  // The height of an item whose text column runs from `left` to `right`.
  int measure(HDC dc, const TResult& result, int left, int right, ResultLines lines) const;
  // Draws item `index` (0-based) in `rect`; `result` is null for an index beyond the results.
  void draw(HDC dc, const RECT& rect, int index, const TResult* result, bool selected, ResultLines lines) const;

 private:
  int px(int pixels) const { return MulDiv(pixels, dpi_, 96); }

  HFONT normal_;
  int dpi_;
  win::Font highlight_;
};

}  // namespace kestova::registry
