#include "ui/result_menu.h"

#include <windowsx.h>

#include <algorithm>

#include "core/table_text.h"
#include "ui/action.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/translation.h"
#include "win/app_title.h"
#include "win/clipboard.h"
#include "win/dialogs.h"
#include "win/error.h"
#include "win/replacing_file.h"
#include "win/shell_folders.h"

namespace kestova::ui {
namespace {

// Rows written between two runs of the message queue: a few milliseconds of work.
constexpr int kRowsPerPump = 1000;
const std::wstring kCsvFilter(L"CSV files (*.csv)\0*.csv\0", 24);

class GridRows final : public ResultRows {
 public:
  explicit GridRows(const Grid& grid) : grid_(grid) {}
  std::vector<std::wstring> headers() const override { return cells(0); }
  int count() const override { return grid_.rowCount() - 1; }
  std::vector<std::wstring> row(int index) const override { return cells(index + 1); }
  std::vector<int> selected() const override {
    std::vector<int> rows = grid_.selectedRows();
    for (int& row : rows) --row;
    return rows;
  }

 private:
  std::vector<std::wstring> cells(int row) const {
    std::vector<std::wstring> fields;
    for (int column = 0; column < grid_.columnCount(); ++column) fields.push_back(grid_.cell(column, row));
    return fields;
  }
  const Grid& grid_;
};

std::wstring windowTitle(HWND hwnd) {
  std::wstring title(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  title.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, title.data(), static_cast<int>(title.size()))));
  return title;
}

// Where the save dialog starts: the user's documents with a name after the window and the day.
std::wstring proposedFile(HWND window) {
  SYSTEMTIME today = {};
  GetLocalTime(&today);
  std::wstring name = exportFileName(windowTitle(window), today.wYear, today.wMonth, today.wDay);
  auto documents = win::ShellFolders().path(win::kDocumentsFolder);
  return documents ? *documents + L"\\" + name : name;
}

}  // namespace

std::unique_ptr<ResultRows> gridRows(const Grid& grid) { return std::make_unique<GridRows>(grid); }

ResultMenu::ResultMenu(Form& form, HWND control, std::unique_ptr<ResultRows> rows, std::vector<const wchar_t*> locked,
                       HMENU popup)
    : form_(form), control_(control), rows_(std::move(rows)), locked_(std::move(locked)), popup_(popup) {}

ResultMenu::~ResultMenu() { DestroyMenu(popup_); }

bool ResultMenu::available() const { return !form_.busy() && rows_->complete(); }

void ResultMenu::show(LPARAM at) {
  POINT point = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {
    // From the keyboard: at the control's top-left corner.
    RECT bounds;
    GetWindowRect(control_, &bounds);
    point = {bounds.left + 8, bounds.top + 8};
  }
  bool on = available();
  form_.setEnabled(kCopyItem, on);
  form_.setEnabled(kExportItem, on);
  // The menu closes as it should only when its owner is the foreground window.
  SetForegroundWindow(form_.hwnd());
  TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, form_.hwnd(), nullptr);
  PostMessageW(form_.hwnd(), WM_NULL, 0, 0);
}

bool ResultMenu::key(UINT message, WORD key) {
  if (GetFocus() != control_) return false;
  bool control = GetKeyState(VK_CONTROL) < 0;
  bool shift = GetKeyState(VK_SHIFT) < 0;
  if (message == WM_KEYDOWN && key == 'C' && control && !shift) {
    if (!available()) return false;
    copy();
    return true;
  }
  if (key == VK_APPS || (message == WM_SYSKEYDOWN && key == VK_F10 && shift && !control)) {
    if (message != WM_KEYDOWN) show(MAKELPARAM(-1, -1));
    return true;
  }
  return false;
}

void ResultMenu::copy() {
  if (!available()) return;
  HourglassCursor wait;  // a long grid takes a moment
  std::vector<int> chosen = rows_->selected();
  if (chosen.empty()) {
    for (int i = 0; i < rows_->count(); ++i) chosen.push_back(i);
  }
  std::wstring text = tabSeparatedLine(rows_->headers());
  for (int index : chosen) text += tabSeparatedLine(rows_->row(index));
  win::setClipboardText(form_.hwnd(), text);
}

void ResultMenu::exportRows() {
  if (!available()) return;
  std::wstring file = proposedFile(form_.hwnd());
  const wchar_t* title = kExportTitleTexts[static_cast<std::size_t>(std::clamp(currentLanguage(), 1, kLanguageCount) - 1)];
  if (!win::dialogs().saveFile(form_.hwnd(), title, kCsvFilter, file)) return;
  try {
    Action action(form_, locked_);
    win::ReplacingFile out(file);
    std::string pending(kUtf8ByteOrderMark);
    pending += csvRecord(rows_->headers());
    const int count = rows_->count();  // the window's actions are held off: the rows stay as they are
    for (int i = 0; i < count; ++i) {
      pending += csvRecord(rows_->row(i));
      if ((i + 1) % kRowsPerPump != 0) continue;
      out.write(pending);
      pending.clear();
      Application::processMessages();
    }
    out.write(pending);
    out.commit();
  } catch (const win::Error& e) {
    win::dialogs().message(form_.hwnd(), e.text() + L" The file was left as it was.", win::kAppTitle,
                           MB_OK | MB_ICONERROR);
  }
}

}  // namespace kestova::ui
