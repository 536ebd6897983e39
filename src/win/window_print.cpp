#include "win/window_print.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "win/error.h"
#include "win/handles.h"

namespace kestova::win {
namespace {

class PrinterDC {
 public:
  explicit PrinterDC(HDC dc) : dc_(dc) {}
  PrinterDC(const PrinterDC&) = delete;
  PrinterDC& operator=(const PrinterDC&) = delete;
  ~PrinterDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Ends the document, or aborts it when the page did not complete.
class Document {
 public:
  Document(HDC dc, const std::wstring& name) : dc_(dc) {
    DOCINFOW info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    if (StartDocW(dc_, &info) <= 0) throwLastError(L"Printing failed");
  }
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  ~Document() {
    if (done_) {
      EndDoc(dc_);
    } else {
      AbortDoc(dc_);
    }
  }
  void finish() { done_ = true; }

 private:
  HDC dc_;
  bool done_ = false;
};

// Blits the image of each visible child of `parent` (and of theirs) from the bottom of the Z
// order up: Wine's PrintWindow draws a window without its children.
bool renderChildren(HWND parent, HDC image, POINT origin) {
  HDC screen = GetDC(nullptr);
  MemoryDC memory(screen);
  ReleaseDC(nullptr, screen);
  for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
    RECT r;
    if (!IsWindowVisible(child) || !GetWindowRect(child, &r) || r.right <= r.left || r.bottom <= r.top) continue;
    HDC like = GetDC(nullptr);
    Bitmap part(CreateCompatibleBitmap(like, r.right - r.left, r.bottom - r.top));
    ReleaseDC(nullptr, like);
    if (!part || !memory.get()) return false;
    {
      SelectObjectScope select(memory.get(), part.get());
      if (!PrintWindow(child, memory.get(), 0)) return false;
      BitBlt(image, r.left - origin.x, r.top - origin.y, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0,
             SRCCOPY);
    }
    if (!renderChildren(child, image, origin)) return false;
  }
  return true;
}

}  // namespace

bool drawWindowImage(HWND window, HDC target, const RECT& destination) {
  RECT client;
  POINT origin = {0, 0};
  if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin)) return false;
  int width = client.right;
  int height = client.bottom;
  if (width <= 0 || height <= 0) return false;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  Bitmap image(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDC memory(screen);
  ReleaseDC(nullptr, screen);
  if (!image || !memory.get()) return false;
  {
    SelectObjectScope select(memory.get(), image.get());
    if (!PrintWindow(window, memory.get(), PW_CLIENTONLY) || !renderChildren(window, memory.get(), origin)) {
      return false;
    }
  }
  GdiFlush();
  SetStretchBltMode(target, HALFTONE);
  SetBrushOrgEx(target, 0, 0, nullptr);
  int copied = StretchDIBits(target, destination.left, destination.top, destination.right - destination.left,
                             destination.bottom - destination.top, 0, 0, width, height, bits, &info,
                             DIB_RGB_COLORS, SRCCOPY);
  return copied != 0 && copied != static_cast<int>(GDI_ERROR);
}

PrintResult printWindowImage(HWND window, const std::wstring& documentName) {
  PRINTDLGW choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = window;
  choice.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  BOOL found = PrintDlgW(&choice);
  if (choice.hDevMode) GlobalFree(choice.hDevMode);
  if (choice.hDevNames) GlobalFree(choice.hDevNames);
  PrinterDC printer(found ? choice.hDC : nullptr);
  if (!printer.get()) {
    DWORD error = CommDlgExtendedError();
    if (found || (error != 0 && error != PDERR_NODEFAULTPRN && error != PDERR_NODEVICES)) {
      throw Error(L"Printing failed: the default printer cannot be opened");
    }
    return PrintResult::NoDefaultPrinter;
  }

  // The image at the size the screen shows it, made smaller when the page is narrower.
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  int printerDpi = GetDeviceCaps(printer.get(), LOGPIXELSX);
  int width = MulDiv(client.right, printerDpi, screenDpi);
  int height = MulDiv(client.bottom, printerDpi, screenDpi);
  int pageWidth = GetDeviceCaps(printer.get(), HORZRES);
  if (pageWidth > 0 && width > pageWidth) {
    height = MulDiv(height, pageWidth, width);
    width = pageWidth;
  }

  Document document(printer.get(), documentName);
  if (StartPage(printer.get()) <= 0) throwLastError(L"Printing failed");
  if (!drawWindowImage(window, printer.get(), RECT{0, 0, width, height})) {
    EndPage(printer.get());
    throw Error(L"Printing failed: the window's image could not be made");
  }
  if (EndPage(printer.get()) <= 0) throwLastError(L"Printing failed");
  document.finish();
  return PrintResult::Printed;
}

}  // namespace kestova::win
