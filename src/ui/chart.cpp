#include "ui/chart.h"

#include <algorithm>
#include <cstdio>

#include "win/dpi.h"
#include "win/error.h"
#include "win/handles.h"

namespace kestova::ui {
namespace {

constexpr const wchar_t* kChartClass = L"KestovaChart";
constexpr COLORREF kBarColor = RGB(0, 102, 204);
constexpr COLORREF kGridColor = RGB(210, 210, 210);
constexpr int kTicks = 5;

void registerChartClass(WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, kChartClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kChartClass;
  if (!RegisterClassExW(&wc)) win::throwLastError(L"Cannot register the chart class");
}

// Whole numbers above 10, two significant decimals below.
std::wstring axisText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, value >= 10 ? "%.0f" : "%.2g", value);
  return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
}

SIZE textSize(HDC dc, const std::wstring& text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace

HWND Chart::create(HWND parent, UINT id, RECT bounds, bool visible, int dpi) {
  dpi_ = dpi;
  registerChartClass(windowProc);
  hwnd_ = CreateWindowExW(0, kChartClass, L"", WS_CHILD | (visible ? WS_VISIBLE : 0), bounds.left, bounds.top,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return hwnd_;
}

void Chart::setDpi(int dpi) {
  dpi_ = dpi;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

int Chart::px(int pixels) const { return win::scaleToDpi(pixels, dpi_); }

long Chart::openData(short /*type*/, long /*series*/, long points) {
  points = std::clamp(points, 0L, 32767L);
  values_.assign(static_cast<std::size_t>(points), 0.0);
  labels_.assign(static_cast<std::size_t>(points), std::wstring());
  return 0;
}

void Chart::closeData(short /*type*/) {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Chart::setTitle(short index, const std::wstring& text) {
  if (index != 0) return;
  caption_ = text;
  if (hwnd_) {
    SetWindowTextW(hwnd_, caption_.c_str());
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

std::wstring Chart::title(short index) const { return index == 0 ? caption_ : std::wstring(); }

void Chart::setValue(short index, double value) {
  if (inSet(index)) values_[static_cast<std::size_t>(index)] = value;
}

double Chart::value(short index) const { return inSet(index) ? values_[static_cast<std::size_t>(index)] : 0.0; }

void Chart::setLegend(short index, const std::wstring& text) {
  if (inSet(index)) labels_[static_cast<std::size_t>(index)] = text;
}

std::wstring Chart::legend(short index) const {
  return inSet(index) ? labels_[static_cast<std::size_t>(index)] : std::wstring();
}

void Chart::setScale(short index, double value) {
  if (index < 0 || index >= static_cast<short>(std::size(scale_))) return;
  scale_[index] = value;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

double Chart::scale(short index) const {
  return index >= 0 && index < static_cast<short>(std::size(scale_)) ? scale_[index] : 0.0;
}

void Chart::paint(HDC dc, const RECT& area) const {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  win::SelectObjectScope selectFont(dc, font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  const int line = metrics.tmHeight;

  RECT captionBox = {area.left + px(4), area.top + px(3), area.right - px(4), area.top + px(3) + line};
  DrawTextW(dc, caption_.c_str(), -1, &captionBox, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

  double largest = 0;
  for (double v : values_) largest = std::max(largest, v);
  double top = scale_[2] > 0 ? std::max(scale_[2], largest) : largest;
  if (top <= 0) top = 1;

  // The labels lie flat when each fits its bar's width, otherwise they stand upright.
  const int count = std::max(1, pointCount());
  int widest = 0;
  for (const auto& label : labels_) widest = std::max(widest, static_cast<int>(textSize(dc, label).cx));
  int widestTick = 0;
  for (int t = 0; t <= kTicks; ++t) widestTick = std::max(widestTick, static_cast<int>(textSize(dc, axisText(top * t / kTicks)).cx));
  const int axisWidth = widestTick + px(8);
  RECT plot = {area.left + axisWidth, area.top + line + px(8), area.right - px(8), area.bottom - px(4)};
  const int slot = std::max(1, static_cast<int>((plot.right - plot.left) / count));
  const bool upright = widest > slot - px(2);
  const int labelHeight =
      upright ? std::min(widest + px(4), static_cast<int>((area.bottom - area.top) * 2 / 5)) : line + px(4);
  plot.bottom -= labelHeight;
  if (plot.bottom <= plot.top || plot.right <= plot.left) return;

  win::Font uprightFont;
  if (upright) {
    LOGFONTW face = {};
    GetObjectW(font, sizeof face, &face);
    face.lfEscapement = face.lfOrientation = 900;
    uprightFont.reset(CreateFontIndirectW(&face));
  }

  // Value axis with its grid lines.
  win::Brush grid(CreateSolidBrush(kGridColor));
  const int height = plot.bottom - plot.top;
  for (int t = 0; t <= kTicks; ++t) {
    int y = plot.bottom - height * t / kTicks;
    RECT gridLine = {plot.left, y, plot.right, y + 1};
    FillRect(dc, &gridLine, grid.get());
    RECT tick = {area.left + px(2), y - line / 2, plot.left - px(4), y + line};
    std::wstring text = axisText(top * t / kTicks);
    DrawTextW(dc, text.c_str(), -1, &tick, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
  }
  RECT axis = {plot.left, plot.top, plot.left + 1, plot.bottom + 1};
  FillRect(dc, &axis, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

  win::Brush bar(CreateSolidBrush(kBarColor));
  for (int i = 0; i < pointCount(); ++i) {
    const int left = plot.left + i * slot;
    double v = std::clamp(values_[static_cast<std::size_t>(i)], 0.0, top);
    int barHeight = static_cast<int>(height * (v / top) + 0.5);
    if (barHeight > 0) {
      RECT r = {left + slot / 6 + 1, plot.bottom - barHeight, left + slot - slot / 6, plot.bottom};
      if (r.right <= r.left) r.right = r.left + 1;
      FillRect(dc, &r, bar.get());
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    const std::wstring& label = labels_[static_cast<std::size_t>(i)];
    if (label.empty()) continue;
    if (upright) {
      win::SelectObjectScope selectUpright(dc, uprightFont.get());
      RECT clip = {left, plot.bottom + px(2), left + slot, area.bottom - px(2)};
      int x = left + (slot - line) / 2;
      // Read upward, ending under the bar; a label longer than the band is cut at its end.
      int length = std::min(static_cast<int>(textSize(dc, label).cx), labelHeight - px(4));
      ExtTextOutW(dc, x, plot.bottom + px(2) + length, ETO_CLIPPED, &clip, label.c_str(),
                  static_cast<UINT>(label.size()), nullptr);
    } else {
      RECT r = {left, plot.bottom + px(2), left + slot, plot.bottom + px(2) + line};
      DrawTextW(dc, label.c_str(), -1, &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
}

LRESULT CALLBACK Chart::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* chart = reinterpret_cast<Chart*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_SETFONT:
      SetPropW(hwnd, L"KestovaChartFont", reinterpret_cast<HANDLE>(wp));
      if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"KestovaChartFont"));
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      if (chart && client.right > 0 && client.bottom > 0) {
        // Drawn off screen first, so the chart does not flicker while a walk repaints it.
        win::MemoryDC buffer(dc);
        win::Bitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        win::SelectObjectScope selectBitmap(buffer.get(), bitmap.get());
        chart->paint(buffer.get(), client);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      RemovePropW(hwnd, L"KestovaChartFont");
      if (chart) chart->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace kestova::ui
