#include "ui/grid.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "win/dpi.h"

namespace kestova::ui {
namespace {

const std::wstring kEmpty;

}  // namespace

HWND Grid::create(HWND parent, UINT id, RECT bounds, bool visible, int dpi) {
  dpi_ = dpi;
  DWORD style = WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                LVS_NOSORTHEADER | (visible ? WS_VISIBLE : 0);
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, bounds.left, bounds.top,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return nullptr;
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  originalProc_ =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc)));
  return hwnd_;
}

void Grid::setColumns(const std::vector<int>& widths) {
  while (ListView_DeleteColumn(hwnd_, 0)) {
  }
  widths_ = widths;
  for (auto& row : rows_) row.resize(widths_.size());
  for (int i = 0; i < columnCount(); ++i) {
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = win::scaleToDpi(widths_[static_cast<std::size_t>(i)], dpi_);
    column.pszText = const_cast<wchar_t*>(cell(i, 0).c_str());
    column.iSubItem = i;
    ListView_InsertColumn(hwnd_, i, &column);
  }
}

void Grid::setRowHeight(int pixels) {
  // A list view's rows are as high as its small images.
  rowHeight_ = pixels;
  HIMAGELIST images = ImageList_Create(1, win::scaleToDpi(pixels, dpi_), ILC_COLOR, 1, 0);
  if (!images) return;
  ListView_SetImageList(hwnd_, images, LVSIL_SMALL);
  if (rowHeightImages_) ImageList_Destroy(rowHeightImages_);
  rowHeightImages_ = images;
}

void Grid::setDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  for (int i = 0; i < columnCount(); ++i) {
    ListView_SetColumnWidth(hwnd_, i, MulDiv(ListView_GetColumnWidth(hwnd_, i), dpi, dpi_));
  }
  dpi_ = dpi;
  if (rowHeight_ > 0) setRowHeight(rowHeight_);
}

void Grid::setHeaderColors(COLORREF background, COLORREF text) {
  headerBackground_ = background;
  headerText_ = text;
  InvalidateRect(ListView_GetHeader(hwnd_), nullptr, TRUE);
}

void Grid::setRowCount(int rows) {
  if (rows < 1) rows = 1;
  if (rows < rowCount()) ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED);
  firstStale_ = std::min({firstStale_, rowCount(), rows});
  rows_.resize(static_cast<std::size_t>(rows), std::vector<std::wstring>(widths_.size()));
  stale_ = true;
  if (!held_) sync();
}

void Grid::endUpdate() {
  if (held_ > 0 && --held_ == 0) sync();
}

void Grid::refresh() {
  // Under Wine a new item count costs 20-30 ms once the list scrolls (its scroll bar is
  // redone). Rows that come into sight are shown twice a second; rows below the view only
  // lengthen the scroll bar, which can wait two seconds.
  if (!stale_) return;
  bool inSight = firstStale_ - 1 <= ListView_GetTopIndex(hwnd_) + ListView_GetCountPerPage(hwnd_);
  DWORD interval = inSight ? 500 : 2000;
  if (GetTickCount() - lastSync_ >= interval) sync();
}

void Grid::sync() {
  if (!stale_) return;
  stale_ = false;
  lastSync_ = GetTickCount();
  int first = firstStale_;
  firstStale_ = INT_MAX;
  // The control repaints what of the new rows is in view; the rest is drawn only when an
  // earlier row on screen changed. A listing that grows below the view costs no repaint.
  ListView_SetItemCountEx(hwnd_, rowCount() - 1, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  if (first - 1 <= ListView_GetTopIndex(hwnd_) + ListView_GetCountPerPage(hwnd_)) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Grid::redrawRow(int row) {
  // Only a row on screen needs drawing again; the others are asked for when they show.
  int item = row - 1;
  int top = ListView_GetTopIndex(hwnd_);
  if (item >= top && item <= top + ListView_GetCountPerPage(hwnd_)) ListView_RedrawItems(hwnd_, item, item);
}

std::vector<int> Grid::selectedRows() const {
  std::vector<int> rows;
  for (int item = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); item >= 0;
       item = ListView_GetNextItem(hwnd_, item, LVNI_SELECTED)) {
    if (item + 1 < rowCount()) rows.push_back(item + 1);
  }
  return rows;
}

const std::wstring& Grid::cell(int column, int row) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return kEmpty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void Grid::setCell(int column, int row, std::wstring text) {
  if (row < 0 || column < 0 || column >= columnCount()) return;
  if (row >= rowCount()) return;  // as a string grid: cells beyond the row count are not kept
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
  if (row == 0) {
    syncHeader(column);
  } else if (held_) {
    stale_ = true;
    firstStale_ = std::min(firstStale_, row);
  } else {
    redrawRow(row);
  }
}

void Grid::syncHeader(int column) {
  LVCOLUMNW info = {};
  info.mask = LVCF_TEXT;
  info.pszText = const_cast<wchar_t*>(cell(column, 0).c_str());
  ListView_SetColumn(hwnd_, column, &info);
}

bool Grid::notify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
      if (info.item.mask & LVIF_TEXT) {
        const std::wstring& text = cell(info.item.iSubItem, info.item.iItem + 1);
        lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
      }
      result = 0;
      return true;
    }
    case NM_CUSTOMDRAW: {
      auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
      switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT: result = CDRF_NOTIFYITEMDRAW; return true;
        case CDDS_ITEMPREPAINT: result = CDRF_NOTIFYSUBITEMDRAW; return true;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
          int row = static_cast<int>(draw.nmcd.dwItemSpec) + 1;
          draw.clrText = RGB(0, 0, 0);
          draw.clrTextBk = cellColor ? cellColor(draw.iSubItem, row) : RGB(255, 255, 255);
          result = CDRF_NEWFONT;
          return true;
        }
        default: result = CDRF_DODEFAULT; return true;
      }
    }
    case NM_CLICK: {
      const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
      LVHITTESTINFO hit = {};
      hit.pt = activate.ptAction;
      ListView_SubItemHitTest(hwnd_, &hit);
      clickedColumn_ = hit.iItem >= 0 ? hit.iSubItem : -1;
      clickedRow_ = hit.iItem >= 0 ? hit.iItem + 1 : -1;
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

LRESULT Grid::drawHeader(NMCUSTOMDRAW& draw) {
  if (headerBackground_ == CLR_INVALID) return CDRF_DODEFAULT;
  switch (draw.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      win::Brush brush(CreateSolidBrush(headerBackground_));
      FillRect(draw.hdc, &draw.rc, brush.get());
      FrameRect(draw.hdc, &draw.rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      SetBkMode(draw.hdc, TRANSPARENT);
      SetTextColor(draw.hdc, headerText_);
      RECT text = draw.rc;
      text.left += 2;
      text.top += 2;
      const std::wstring& caption = cell(static_cast<int>(draw.dwItemSpec), 0);
      DrawTextW(draw.hdc, caption.c_str(), -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
      return CDRF_SKIPDEFAULT;
    }
    default: return CDRF_DODEFAULT;
  }
}

LRESULT CALLBACK Grid::listProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* grid = reinterpret_cast<Grid*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NOTIFY && grid) {
    auto* header = reinterpret_cast<NMHDR*>(lp);
    if (header->code == NM_CUSTOMDRAW && header->hwndFrom == ListView_GetHeader(hwnd)) {
      return grid->drawHeader(*reinterpret_cast<NMCUSTOMDRAW*>(lp));
    }
  }
  if (msg == WM_NCDESTROY && grid) {
    WNDPROC original = grid->originalProc_;
    if (grid->rowHeightImages_) ImageList_Destroy(grid->rowHeightImages_);
    grid->rowHeightImages_ = nullptr;
    grid->hwnd_ = nullptr;
    return CallWindowProcW(original, hwnd, msg, wp, lp);
  }
  return CallWindowProcW(grid ? grid->originalProc_ : DefWindowProcW, hwnd, msg, wp, lp);
}

}  // namespace kestova::ui
