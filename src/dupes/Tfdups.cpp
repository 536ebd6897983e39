#include "dupes/Tfdups.h"

#include <commctrl.h>

#include <cwctype>

#include "core/hub_accounting.h"
#include "dupes/Tfdupg.h"
#include "dupes/dupes_texts.h"
#include "dupes/duplicate_finder.h"
#include "dupes/run_scope.h"
#include "shell/help.h"
#include "ui/grid.h"
#include "ui/result_menu.h"
#include "win/program_folder.h"
#include "win/volume.h"

namespace kestova::dupes {
namespace {

using ui::Kind;

constexpr UINT_PTR kTimer1 = 1;
constexpr COLORREF kHeaderColor = 0x1E1E1E;
constexpr COLORREF kMarkedColor = RGB(255, 255, 0);
constexpr const wchar_t* kHeaders[] = {L"Name", L"Path", L"Size", L"Date", L"Delete?"};

const ui::ControlSpec kControls[] = {
    {L"Label3", Kind::Label, 16, 8, 480, 26, L"Find and delete duplicates"},
    {L"Label6", Kind::Label, 640, 12, 96, 20, L"Kestova"},
    {L"dcb1", Kind::ComboBox, 16, 44, 80, 22, L"", L"Select a disk on list"},
    {L"BitBtnWithColor2", Kind::ColorButton, 108, 40, 104, 28, L"&Start", L"Start to find duplicates", true, true,
     RGB(192, 220, 255)},
    {L"BitBtn5", Kind::Button, 224, 40, 104, 28, L"&Delete", L"Delete all duplicated files marked as Yes", true,
     false},
    {L"CheckBox2", Kind::CheckBox, 344, 46, 80, 18, L"Limit", L"Show the first 500 Biggest dupes in KB"},
    {L"Edit3", Kind::ReadOnlyEdit, 16, 76, 720, 20, L"Progress"},
    {L"asg2", Kind::Grid, 16, 104, 720, 372},
};

const ui::MenuSpec kMenu[] = {
    {L"Help1", L"&Help", 0},
};

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfdups", L"Kestova : Find Duplicate files ", 752, 488};
  layout.style = WS_OVERLAPPEDWINDOW;
  layout.hideOnClose = true;  // it lives for the run and keeps its results for the next showing
  return layout;
}

}  // namespace

Tfdups::Tfdups(shell::HubLink& hubLink, std::unique_ptr<Tfdupg>& progressSlot)
    : Form(windowSpec()), hubLink_(hubLink), progressSlot_(progressSlot) {}

Tfdups::~Tfdups() = default;

void Tfdups::build() {
  addControls(kControls);
  addMenu(kMenu);
  HWND combo = control(L"dcb1");
  SetWindowLongPtrW(combo, GWL_STYLE, GetWindowLongPtrW(combo, GWL_STYLE) | CBS_UPPERCASE);
  setFont(L"Label3", 14, true);
  setFont(L"Label6", 10, true);
  setChecked(L"CheckBox2", true);

  ui::Grid& grid = this->grid(L"asg2");
  grid.setColumns({120, 244, 76, 92, 48});
  grid.setRowHeight(15);
  grid.setHeaderColors(kHeaderColor, RGB(255, 255, 255));
  grid.cellColor = [&grid](int column, int row) {
    return grid.cell(column, row) == L"Yes" ? kMarkedColor : RGB(255, 255, 255);
  };
  addResultMenu(L"asg2", ui::gridRows(grid), RunScope::kControls);

  on(L"BitBtnWithColor2", ui::Event::Click, [this] { BitBtn1Click(); });
  on(L"BitBtn5", ui::Event::Click, [this] { BitBtn5Click(); });
  on(L"asg2", ui::Event::Click, [this] { asg2Click(); });
  on(L"dcb1", ui::Event::Change, [this] { dcb1Change(); });
  on(L"Help1", ui::Event::Click, [this] { Help1Click(); });
}

void Tfdups::FormCreate() {
  resetGrid();
  fillDrives();
  driveNumber_ = HubAccounting::kStartDriveNumber;
}

// The drives there are now (a stick plugged in since shows); the chosen one stays chosen while it
// is there, else the current folder's drive is.
void Tfdups::fillDrives() {
  HWND combo = control(L"dcb1");
  LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  wchar_t chosen = index >= 0 && static_cast<std::size_t>(index) < drives_.size() ? drives_[static_cast<std::size_t>(index)] : 0;
  if (!chosen) {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    chosen = static_cast<wchar_t>(std::towupper(current[0]));
  }
  drives_ = win::logicalDrives();
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  int selected = 0;
  for (std::size_t i = 0; i < drives_.size(); ++i) {
    std::wstring text = std::wstring(1, drives_[i]) + L":";
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (drives_[i] == chosen) selected = static_cast<int>(i);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void Tfdups::place() {
  if (GetSystemMetrics(SM_CXSCREEN) < 800) {
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  } else {
    Form::place();
  }
}

void Tfdups::FormActivate() {
  ui::applyTranslation(*this, kDupsTexts, ui::currentLanguage());
  if (!running_) fillDrives();
}

bool Tfdups::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  Help1Click();
  return true;
}

void Tfdups::Help1Click() { shell::openHelpFile(hwnd()); }

LRESULT Tfdups::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (IsWindowVisible(hwnd())) FormResize();
      break;
    case WM_SHOWWINDOW:
      if (wp) FormResize();
      break;
    default:
      break;
  }
  return Form::handleMessage(msg, wp, lp);
}

void Tfdups::FormResize() {
  bool large = IsZoomed(hwnd()) && GetSystemMetrics(SM_CXSCREEN) >= 1001;
  std::wstring name = large ? L"capag.jpg" : L"capaxx.jpg";
  try {
    win::enterProgramFolder();
    if (name != pictureName_ || !picture_) {
      picture_.reset();
      pictureName_ = name;
      picture_ = win::loadJpeg(name);
    }
    setBackgroundPicture(*picture_);
  } catch (const std::exception&) {
    // Without its picture the window stays plain white.
  }
  resizer_.ResizeAll(hwnd());
  startTimer(kTimer1, 200, [this] { Timer1Timer(); });
}

void Tfdups::Timer1Timer() {
  if (IsZoomed(hwnd()) && !widened_) {
    widened_ = true;
    HWND list = grid(L"asg2").hwnd();
    const int extra[] = {30, 200, 20, 5, 10};
    for (int column = 0; column < 5; ++column) {
      ListView_SetColumnWidth(list, column, ListView_GetColumnWidth(list, column) + scaled(extra[column]));
    }
  }
  stopTimer(kTimer1);
}

void Tfdups::selectDrive(wchar_t letter) {
  for (std::size_t i = 0; i < drives_.size(); ++i) {
    if (drives_[i] != std::towupper(letter)) continue;
    SendMessageW(control(L"dcb1"), CB_SETCURSEL, i, 0);
    dcb1Change();
  }
}

void Tfdups::dcb1Change() {
  LRESULT index = SendMessageW(control(L"dcb1"), CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= drives_.size()) return;
  driveNumber_ = driveNumberFor(drives_[static_cast<std::size_t>(index)], driveNumber_);
}

void Tfdups::resetGrid() {
  ui::Grid& grid = this->grid(L"asg2");
  ui::Grid::UpdateScope batch(grid);
  grid.setRowCount(1);
  grid.setRowCount(2);  // the empty row before the first group
  listed_.assign(2, {});
  writeHeaders();
}

void Tfdups::writeHeaders() {
  ui::Grid& grid = this->grid(L"asg2");
  for (int column = 0; column < 5; ++column) grid.setCell(column, 0, kHeaders[column]);
}

void Tfdups::addRow(const DuplicateRow& entry, const std::wstring& mark) {
  ui::Grid& grid = this->grid(L"asg2");
  int row = grid.rowCount();
  grid.setRowCount(row + 1);
  listed_.push_back(entry.file);
  const std::wstring* texts[] = {&entry.name, &entry.path, &entry.size, &entry.date, &mark};
  for (int column = 0; column < 5; ++column) grid.setCell(column, row, *texts[column]);
}

Tfdupg& Tfdups::progressWindow() {
  auto& slot = progressSlot_;
  if (!slot || !slot->exists()) {
    slot = std::make_unique<Tfdupg>();
    slot->create();
  }
  return *slot;
}

}  // namespace kestova::dupes
