#include "registry/results_list.h"

#include "core/wrapped_text.h"

namespace kestova::registry {
namespace {

int textWidth(HDC dc, const std::wstring& text) {
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

ResultsPainter::ResultsPainter(HFONT normal, int dpi) : normal_(normal), dpi_(dpi) {
  LOGFONTW face = {};
  GetObjectW(normal, sizeof face, &face);
  face.lfWeight = FW_BOLD;
  face.lfUnderline = TRUE;
  highlight_.reset(CreateFontIndirectW(&face));
}

int ResultsPainter::DrawWrapped(bool draw, HDC dc, const RECT& rect, int highlightPosition, int highlightLength,
                                const std::wstring& text) const {
  HGDIOBJ old = SelectObject(dc, normal_);
  SIZE whole = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &whole);
  int lineHeight = whole.cy + 2;
  auto measureToken = [&](const std::wstring& token, bool highlighted) {
    SelectObject(dc, highlighted ? highlight_.get() : normal_);
    int w = textWidth(dc, token);
    SelectObject(dc, normal_);
    return w;
  };
  WrapLayout layout = layoutWrapped(wrapTokens(text, highlightPosition, highlightLength), rect.right - rect.left,
                                    lineHeight, measureToken);
  if (draw) {
    for (const auto& token : layout.tokens) {
      SelectObject(dc, token.highlighted ? highlight_.get() : normal_);
      TextOutW(dc, rect.left + token.x, rect.top + token.y, token.text.c_str(), static_cast<int>(token.text.size()));
    }
  }
  SelectObject(dc, old);
  return layout.height;
}

int ResultsPainter::textLeft() const { return px(98); }

int ResultsPainter::measure(HDC dc, const TResult& result, int left, int right, ResultLines lines) const {
  RECT column = {left, 0, right, 0};
  int height = DrawWrapped(false, dc, column, result.KeyMatchPos, result.KeyMatchLen, result.Key);
  if (lines.value || lines.data) {
    height += DrawWrapped(false, dc, column, result.NameMatchPos, result.NameMatchLen, result.ValueName + kErrorSuffix);
  }
  if (lines.data) height += DrawWrapped(false, dc, column, result.DataMatchPos, result.DataMatchLen, result.Data);
  return height + px(4);
}

void ResultsPainter::draw(HDC dc, const RECT& rect, int index, const TResult* result, bool selected,
                          ResultLines lines) const {
  COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  win::Brush brush(CreateSolidBrush(back));
  FillRect(dc, &rect, brush.get());
  if (!result) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, fore);
  HGDIOBJ oldFont = SelectObject(dc, normal_);

  int top = rect.top;
  auto line = [&](const wchar_t* label, int position, int length, const std::wstring& text) {
    RECT labelBox = {rect.left + px(50), top, rect.left + px(90), top + px(24)};
    DrawTextW(dc, label, -1, &labelBox, DT_RIGHT | DT_SINGLELINE);
    RECT column = {rect.left + textLeft(), top, rect.right - px(2), rect.bottom};
    return DrawWrapped(true, dc, column, position, length, text);
  };
  int height = line(L"Key: ", result->KeyMatchPos, result->KeyMatchLen, result->Key);
  if (lines.value || lines.data) {
    top += height;
    height = line(L"Val: ", result->NameMatchPos, result->NameMatchLen, result->ValueName + kErrorSuffix);
  }
  if (lines.data) {
    top += height;
    line(L"Dat: ", result->DataMatchPos, result->DataMatchLen, result->Data);
  }

  RECT box = rect;
  InflateRect(&box, -1, -1);
  box.right = rect.left + px(48);
  win::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, fore));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  MoveToEx(dc, box.right, box.top, nullptr);
  LineTo(dc, box.right, box.bottom);
  LineTo(dc, box.left, box.bottom);
  SelectObject(dc, oldPen);
  std::wstring number = std::to_wstring(index + 1) + L". ";
  DrawTextW(dc, number.c_str(), -1, &box, DT_RIGHT | DT_SINGLELINE);
  SelectObject(dc, oldFont);
}

}  // namespace kestova::registry
