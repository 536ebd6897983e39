// A form at its window's DPI: the tables' 96-DPI pixels and font points made into the window's
// pixels, and the whole layout made again when the window moves to a monitor of another scale.
#include "ui/form.h"

#include <commctrl.h>

#include <vector>

#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/url_label.h"
#include "win/dpi.h"

namespace kestova::ui {
namespace {

win::Font makeFont(const FormSpec& layout, int points, bool bold, bool underline, int dpi) {
  return win::Font(CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                               underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, layout.fontFace));
}

int rescale(int pixels, int to, int from) { return MulDiv(pixels, to, from); }

}  // namespace

int Form::scaled(int pixels) const { return win::scaleToDpi(pixels, dpi_); }

// Edges are scaled rather than sizes, so that neighbours that touch keep touching.
RECT Form::scaled(const RECT& table) const {
  return {scaled(table.left), scaled(table.top), scaled(table.right), scaled(table.bottom)};
}

std::vector<std::pair<std::wstring, RECT>> Form::layout() const {
  std::vector<std::pair<std::wstring, RECT>> all;
  for (const auto& [name, c] : controls_) all.emplace_back(name, c->table);
  return all;
}

void Form::makeFonts() {
  font_ = makeFont(spec_, spec_.fontPoints, spec_.bold, false, dpi_);
  underlined_ = makeFont(spec_, spec_.fontPoints, spec_.bold, true, dpi_);
}

HFONT Form::fontFor(std::pair<int, bool> key) {
  if (key.first == 0) return font_.get();
  win::Font& font = fonts_[key];
  if (!font) font = makeFont(spec_, key.first, key.second, false, dpi_);
  return font.get();
}

void Form::onDpiChanged(int dpi, const RECT& suggested) {
  UINT move = SWP_NOZORDER | SWP_NOACTIVATE;
  if (dpi <= 0 || dpi == dpi_) {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, move);
    return;
  }
  const int from = dpi_;
  dpi_ = dpi;
  // The old fonts stay alive until every control holds a new one.
  win::Font oldFont = std::move(font_);
  win::Font oldUnderlined = std::move(underlined_);
  auto oldFonts = std::move(fonts_);
  fonts_.clear();
  makeFonts();

  // Every control keeps its place in proportion, whether a table or code put it there.
  struct Move {
    HWND hwnd;
    RECT bounds;
  };
  std::vector<Move> moves;
  for (auto& [name, c] : controls_) {
    RECT r;
    GetWindowRect(c->hwnd, &r);
    MapWindowPoints(nullptr, GetParent(c->hwnd), reinterpret_cast<POINT*>(&r), 2);
    if (c->kind == Kind::ComboBox) {
      // Its height with the list dropped, as it was made.
      RECT dropped;
      if (SendMessageW(c->hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
        r.bottom = r.top + (dropped.bottom - dropped.top);
      }
    }
    RECT before = {win::scaleToDpi(c->table.left, from), win::scaleToDpi(c->table.top, from),
                   win::scaleToDpi(c->table.right, from), win::scaleToDpi(c->table.bottom, from)};
    if (c->kind != Kind::ComboBox && EqualRect(&r, &before)) {
      moves.push_back({c->hwnd, scaled(c->table)});  // still where its table put it
    } else {
      moves.push_back({c->hwnd, {rescale(r.left, dpi, from), rescale(r.top, dpi, from), rescale(r.right, dpi, from),
                                 rescale(r.bottom, dpi, from)}});
    }
    HFONT font = c->hover ? underlined_.get() : fontFor(c->fontKey);
    SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (c->urlLabel) c->urlLabel->setFonts(font_.get(), underlined_.get());
    if (c->grid) c->grid->setDpi(dpi);
    if (c->chart) c->chart->setDpi(dpi);
  }
  for (const Move& m : moves) {
    SetWindowPos(m.hwnd, nullptr, m.bounds.left, m.bounds.top, m.bounds.right - m.bounds.left,
                 m.bounds.bottom - m.bounds.top, move);
  }
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, move);
  stretchBackdrop();
  dpiChanged();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace kestova::ui
