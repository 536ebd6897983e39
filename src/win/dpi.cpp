#include "win/dpi.h"

namespace kestova::win {
namespace {

// Windows 10 1607 and later; looked up at run time so that older systems start.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn dpiForWindow() {
  static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return fn;
}

int screenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return kLayoutDpi;
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace

int windowDpi(HWND window) {
  if (window) {
    if (auto fn = dpiForWindow()) {
      UINT dpi = fn(window);
      if (dpi > 0) return static_cast<int>(dpi);
    }
  }
  return screenDpi();
}

}  // namespace kestova::win
