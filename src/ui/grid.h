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

  // `dpi` is the scale of the widths and heights given below, which are 96-DPI pixels.
  HWND create(HWND parent, UINT id, RECT bounds, bool visible, int dpi);
  HWND hwnd() const { return hwnd_; }

  // Columns with their widths in 96-DPI pixels; the header texts are the cells of row 0.
  void setColumns(const std::vector<int>& widths);
  int columnCount() const { return static_cast<int>(widths_.size()); }
  void setRowHeight(int pixels);
  // The columns and rows keep their share at a new scale, and so does a column the user widened.
  void setDpi(int dpi);
  void setHeaderColors(COLORREF background, COLORREF text);

  // Rows counted with the header row, as the grid's row count.
  int rowCount() const { return static_cast<int>(rows_.size()); }
  void setRowCount(int rows);
  const std::wstring& cell(int column, int row) const;
  void setCell(int column, int row, std::wstring text);

  // While updates are held, row-count and cell changes stay in the grid's own table; the control
  // learns them all at once when the last hold ends or at sync(). Long listings hold updates and
  // sync before they let the message queue run.
  void beginUpdate() { ++held_; }
  void endUpdate();
  void sync();
  // sync() at most every quarter second: telling the control its row count costs tens of
  // milliseconds, too much to pay after every folder of a long listing.
  void refresh();
  class UpdateScope {
   public:
    explicit UpdateScope(Grid& grid) : grid_(grid) { grid_.beginUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;
    ~UpdateScope() { grid_.endUpdate(); }

   private:
    Grid& grid_;
  };

  // Background of a data cell; white unless given.
  std::function<COLORREF(int column, int row)> cellColor;

  // The selected rows in row order (the header is never one); a row count that drops clears
  // the selection, since the rows it named are gone.
  std::vector<int> selectedRows() const;

  // The cell of the last click (column, row); row 0 is the header.
  int clickedColumn() const { return clickedColumn_; }
  int clickedRow() const { return clickedRow_; }

  // Handles the list view's notifications; true when it answered one.
  bool notify(const NMHDR& header, LRESULT& result);

 private:
  static LRESULT CALLBACK listProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT drawHeader(NMCUSTOMDRAW& draw);
  void syncHeader(int column);
  void redrawRow(int row);

  HWND hwnd_ = nullptr;
  WNDPROC originalProc_ = nullptr;
  std::vector<int> widths_;
  std::vector<std::vector<std::wstring>> rows_{1};
  COLORREF headerBackground_ = CLR_INVALID;
  COLORREF headerText_ = CLR_INVALID;
  HIMAGELIST rowHeightImages_ = nullptr;
  int dpi_ = 96;
  int rowHeight_ = 0;  // 96-DPI pixels; 0 keeps the list's own
  int clickedColumn_ = -1;
  int clickedRow_ = -1;
  int held_ = 0;
  bool stale_ = false;  // the control has not seen every change yet
  int firstStale_ = 1;   // the first row changed since the control last saw them all
  DWORD lastSync_ = 0;
};

}  // namespace kestova::ui
