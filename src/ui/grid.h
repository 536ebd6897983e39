#pragma once
// A text grid with one fixed header row, as a virtual list view: the cells live here and the
// control asks for the visible ones, so hundreds of thousands of rows stay quick.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "win/handles.h"

namespace kestova::ui {

class Grid {
 public:
  Grid() = default;
  Grid(const Grid&) = delete;
  Grid& operator=(const Grid&) = delete;

  HWND create(HWND parent, UINT id, RECT bounds, bool visible);
  HWND hwnd() const { return hwnd_; }

  // Columns with their widths in pixels; the header texts are the cells of row 0.
  void setColumns(const std::vector<int>& widths);
  int columnCount() const { return static_cast<int>(widths_.size()); }
  void setRowHeight(int pixels);
  void setHeaderColors(COLORREF background, COLORREF text);

  // Rows counted with the header row, as the grid's row count.
  int rowCount() const { return static_cast<int>(rows_.size()); }
  void setRowCount(int rows);
  const std::wstring& cell(int column, int row) const;
  void setCell(int column, int row, std::wstring text);

  // Background of a data cell; white unless given.
  std::function<COLORREF(int column, int row)> cellColor;

  // The cell of the last click (column, row); row 0 is the header.
  int clickedColumn() const { return clickedColumn_; }
  int clickedRow() const { return clickedRow_; }

  // Handles the list view's notifications; true when it answered one.
  bool notify(const NMHDR& header, LRESULT& result);

 private:
  static LRESULT CALLBACK listProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT drawHeader(NMCUSTOMDRAW& draw);
  void syncHeader(int column);

  HWND hwnd_ = nullptr;
  WNDPROC originalProc_ = nullptr;
  std::vector<int> widths_;
  std::vector<std::vector<std::wstring>> rows_{1};
  COLORREF headerBackground_ = CLR_INVALID;
  COLORREF headerText_ = CLR_INVALID;
  HIMAGELIST rowHeightImages_ = nullptr;
  int clickedColumn_ = -1;
  int clickedRow_ = -1;
};

}  // namespace kestova::ui
