#pragma once
// Printing an image of a window's client area with its controls, as a form prints itself: one
// page on the default printer, the image at the size the screen shows it.
#include <windows.h>

#include <string>

namespace kestova::win {

// Draws the image of the window's client area and its controls stretched over `destination` of
// `target`; false when the window could not be captured.
bool drawWindowImage(HWND window, HDC target, const RECT& destination);

enum class PrintResult { Printed, NoDefaultPrinter };
// Prints the window's image on the default printer without a dialog; throws win::Error when the
// printer fails.
PrintResult printWindowImage(HWND window, const std::wstring& documentName);

}  // namespace kestova::win
