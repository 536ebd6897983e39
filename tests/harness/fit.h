#pragma once
// Whether a caption fits its control as the control draws it, with the control's own font.
#include <windows.h>

#include <string>
#include <vector>

namespace kestova::test {

// Empty when the caption of the visible control fits; otherwise what it needs and what it has.
std::wstring captionClipped(HWND control);
// True when every item of the window's menu bar lies on the bar's first line.
bool menuBarOnOneLine(HWND window);
// True when the visible control lies wholly inside its parent's client area.
bool insideParent(HWND control);
// True when the window rectangles of two visible controls share any pixel.
bool controlsOverlap(HWND a, HWND b);

// The DPI a scaled run starts the tests at (KESTOVA_TEST_DPI, set by tests/harness/at-dpi); 96
// in an ordinary run.
int testDpi();
// A length of a 96-DPI layout at `dpi`, to the nearest pixel.
int atDpi(int pixels, int dpi);
// Empty when the control lies where `table` (96-DPI pixels in its parent) puts it at `dpi`, each
// edge within a pixel; otherwise where it is and where it should be. A combo box's height is
// its font's, so only its drop-down height is left out.
std::wstring offTable(HWND control, const RECT& table, int dpi);
// A point inside data row `row` (1 = the first) and `column` of a list-view grid whose 96-DPI
// column widths and row height are given, near the cell's far corner, where only the layout at
// `dpi` puts that cell: in the list's client coordinates, below its header.
POINT cellPointAt(HWND list, const std::vector<int>& widths, int rowHeight, int row, int column, int dpi);
// A press and release of the left mouse button at a point of a control's client area.
void clickAt(HWND control, POINT point);

}  // namespace kestova::test
