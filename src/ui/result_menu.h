#pragma once
// The context menu of a result grid or list. "&Copy" (also Ctrl+C) puts the selected rows, or
// all rows when none is selected, on the clipboard as tab-separated text under a header line;
// "&Export..." writes every row to a CSV file the user names. A right-click, the context-menu
// key or Shift+F10 on the control opens it. Both take the rows as the control shows them.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/language.h"

namespace kestova::ui {

class Form;
class Grid;

// The rows a result grid or list shows, in its order; index 0 is the first row under the headers.
class ResultRows {
 public:
  virtual ~ResultRows() = default;
  virtual std::vector<std::wstring> headers() const = 0;
  virtual int count() const = 0;
  // Empty fields for an index it does not show.
  virtual std::vector<std::wstring> row(int index) const = 0;
  virtual std::vector<int> selected() const = 0;
  // False while rows are still coming in; Copy and Export wait until they are all there.
  virtual bool complete() const { return true; }
};

// The rows of a grid as its list view shows them, blank and summary rows included.
std::unique_ptr<ResultRows> gridRows(const Grid& grid);

// The menu's items, which each window's text table names, and the texts of the eight languages.
inline constexpr const wchar_t* kCopyItem = L"Copy1";
inline constexpr const wchar_t* kExportItem = L"Export1";
inline constexpr std::array<const wchar_t*, kLanguageCount> kCopyItemTexts = {
    L"&Copy", L"&Copiar", L"&Copier", L"&Copiar", L"&Copia", L"&Kopi\u00EBren", L"&Kopieren", L"&Kopier"};
inline constexpr std::array<const wchar_t*, kLanguageCount> kExportItemTexts = {
    L"&Export...", L"&Exportar...", L"&Exporter...", L"&Exportar...", L"&Esporta...", L"&Exporteren...",
    L"&Exportieren...", L"&Eksporter..."};
// The title of the export's save dialog.
inline constexpr std::array<const wchar_t*, kLanguageCount> kExportTitleTexts = {
    L"Export results", L"Exportar resultados", L"Exporter les r\u00E9sultats", L"Exportar resultados",
    L"Esporta i risultati", L"Resultaten exporteren", L"Ergebnisse exportieren", L"Eksporter resultatene"};

class ResultMenu {
 public:
  // `popup` holds the two items and is destroyed with this object; `locked` are the controls an
  // export holds off, as the window's own actions do.
  ResultMenu(Form& form, HWND control, std::unique_ptr<ResultRows> rows, std::vector<const wchar_t*> locked,
             HMENU popup);
  ResultMenu(const ResultMenu&) = delete;
  ResultMenu& operator=(const ResultMenu&) = delete;
  ~ResultMenu();

  HWND control() const { return control_; }
  // Opens the menu at a screen point given as WM_CONTEXTMENU gives it (-1, -1 from the keyboard).
  void show(LPARAM at);
  // A key message while the control has the focus: true when it was Ctrl+C, the context-menu key
  // or Shift+F10 and was taken. The menu opens where the system would open it (the key's release,
  // Shift+F10's press), and the message is taken so that the system does not open it again.
  bool key(UINT message, WORD key);
  void copy();
  // Lets the message queue run while it writes; the window's close waits for its end.
  void exportRows();

 private:
  // Neither runs inside an action of the window, nor while rows still come in.
  bool available() const;

  Form& form_;
  HWND control_;
  std::unique_ptr<ResultRows> rows_;
  std::vector<const wchar_t*> locked_;
  HMENU popup_;
};

}  // namespace kestova::ui
