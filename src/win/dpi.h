#pragma once
// The dots per inch a window is drawn at, and pixels of a 96-DPI layout at that density.
#include <windows.h>

namespace kestova::win {

// The layouts are drawn for this density.
inline constexpr int kLayoutDpi = 96;
// WM_DPICHANGED, which the headers hold back for Windows 7 and later.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The window's own DPI where the system tracks it per monitor, else the screen's.
int windowDpi(HWND window);
// `pixels` of a 96-DPI layout at `dpi`, rounded to the nearest pixel.
inline int scaleToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kLayoutDpi); }

}  // namespace kestova::win
