#pragma once
// A picture of a window as it is on the screen, for looking at layouts.
#include <windows.h>

#include <string>

namespace kestova::test {

// Brings the window to the top, lets it paint and writes its screen area to a 24-bit BMP file;
// false when that fails.
bool saveWindowImage(HWND window, const std::wstring& path);

// The folder named by KESTOVA_SCREENSHOTS (with a trailing backslash), or empty when not set.
std::wstring screenshotFolder();

}  // namespace kestova::test
