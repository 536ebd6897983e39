#pragma once
// Whether a caption fits its control as the control draws it, with the control's own font.
#include <windows.h>

#include <string>

namespace kestova::test {

// Empty when the caption of the visible control fits; otherwise what it needs and what it has.
std::wstring captionClipped(HWND control);
// True when every item of the window's menu bar lies on the bar's first line.
bool menuBarOnOneLine(HWND window);
// True when the visible control lies wholly inside its parent's client area.
bool insideParent(HWND control);
// True when the window rectangles of two visible controls share any pixel.
bool controlsOverlap(HWND a, HWND b);

}  // namespace kestova::test
