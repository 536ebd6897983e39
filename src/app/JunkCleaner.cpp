#include "app/JunkCleaner.h"

#include "app/Tfsweep.h"
#include "app/hub_action.h"
#include "core/junk_patterns.h"
#include "core/junk_rules.h"
#include "core/removal_accounting.h"
#include "junk/junk_scanner.h"
#include "ui/application.h"
#include "ui/grid.h"
#include "ui/pacer.h"
#include "win/dialogs.h"
#include "win/links.h"
#include "win/removal.h"
#include "win/volume_info.h"

namespace kestova::app {

using junk::JunkScanner;
using junk::ScanHooks;
using win::deleteFile;
using win::pathExists;

namespace {

constexpr int kDeleteColumn = 3;
constexpr DWORD kQueueInterval = 40;    // milliseconds
constexpr DWORD kStatusInterval = 200;  // milliseconds

}  // namespace

void JunkCleaner::addRow(JunkRow row) {
  ui::Grid& grid = hub_.grid(L"asg1");
  ++rowCount_;
  grid.setRowCount(rowCount_ + 1);
  grid.setCell(0, rowCount_, std::move(row.name));
  grid.setCell(1, rowCount_, std::move(row.path));
  grid.setCell(2, rowCount_, std::move(row.size));
  grid.setCell(3, rowCount_, std::move(row.mark));
}

void JunkCleaner::pump() {
  hub_.grid(L"asg1").refresh();
  ui::Application::processMessages();
}

void JunkCleaner::BB4Click() {
  std::wstring message;
  {
    HubAction action(hub_);
    message = search();
    if (action.closeRequested()) return;  // the hub closes once the action has ended
  }
  if (hub_.exists()) win::showMessage(hub_.hwnd(), message);
}

std::wstring JunkCleaner::search() {
  ui::Grid& grid = hub_.grid(L"asg1");
  hub_.setDeleteButtons(false);
  PatternChoice choice;
  for (std::size_t i = 0; i < kPatternCount; ++i) choice.patterns[i] = hub_.checked(kJunkPatterns[i].box);
  choice.deadLinks = hub_.checked(kLinkBox);
  scan(choice);
  writeSummary();
  hub_.setDeleteButtons(true);
  hub_.focusAfterAction(L"bwc10");
  return L"Found " + grid.cell(2, rowCount_ + 2) + L" in  " + std::to_wstring(rowCount_) +
         L" unnecessary, temporary and error files. (click delete button to remove it)";
}

void JunkCleaner::discoverFolders() {
  scan(PatternChoice{});
  hub_.setDeleteButtons(false);
}

void JunkCleaner::scan(PatternChoice choice) {
  ui::Grid& grid = hub_.grid(L"asg1");
  hub_.clearGrid();
  resetListing();
  ScanHooks hooks{
      [this](FolderCode code, const std::wstring& path) { hub_.setFolder(code, path); },
      // The queue about every 40 ms, to stay responsive; the latest folder five times a second,
      // as often as it can be read (each new text is a repaint, dear under Wine).
      [this, queue = ui::Pacer(kQueueInterval), status = ui::Pacer(kStatusInterval)](
          const std::wstring& folder) mutable {
        if (!queue.due()) return;
        if (status.due()) hub_.setStatus(folder, true);
        pump();
      },
      [this] { return hub_.closeWaiting(); },
  };
  {
    ui::Grid::UpdateScope batch(grid);
    JunkScanner scanner(choice, hub_.folders(), hub_.recycleFolderKnown(), *this, std::move(hooks));
    scanner.scan(std::wstring(1, hub_.currentDrive()) + L":");
    if (scanner.recycleKnown()) hub_.markRecycleFolderKnown();
  }
  hub_.setStatus(L"", false);
  ui::Application::processMessages();
}

void JunkCleaner::resetListing() {
  rowCount_ = 0;
  listingTotal_ = 0;
}

void JunkCleaner::skipRows(int rows) {
  rowCount_ += rows;
  hub_.grid(L"asg1").setRowCount(rowCount_ + 1);
}

void JunkCleaner::writeSummary(const wchar_t* label) {
  ui::Grid& grid = hub_.grid(L"asg1");
  grid.setRowCount(rowCount_ + 3);
  if (rowCount_ == 0) return;
  int row = rowCount_ + 2;
  grid.setCell(0, row, label);
  grid.setCell(1, row, L"    =    ");
  grid.setCell(2, row, listingTotalText(static_cast<double>(listingTotal_)));
  hub_.setStatus(L"", false);
}

void JunkCleaner::asg1Click() {
  ui::Grid& grid = hub_.grid(L"asg1");
  int row = grid.clickedRow();
  if (grid.clickedColumn() != kDeleteColumn || row < 1) return;
  grid.setCell(kDeleteColumn, row, grid.cell(kDeleteColumn, row) == L"No" ? L"Yes" : L"No");
}

void JunkCleaner::BB5Click() {
  HubAction action(hub_);
  removeListed();
}

void JunkCleaner::removeListed() {
  hub_.setStatus(L"Deleting junk files - please wait", true);
  hub_.setDeleteButtons(false);
  removeYesRows();
  hub_.clearGrid();
  rowCount_ = 0;
  hub_.focusAfterAction(L"BitBtnWithColor5");
  hub_.showCapacity();
  hub_.showRecovered();
  hub_.setStatus(L"Disk cleaned", false);
}

void JunkCleaner::removeYesRows() {
  ui::Grid& grid = hub_.grid(L"asg1");
  bool toRecycleBin = !hub_.checked(L"Deletefiles1");
  for (int row = 1; row <= rowCount_; ++row) {
    if (grid.cell(1, row) == L"C:") grid.setCell(1, row, L"C:\\");
    if (grid.cell(kDeleteColumn, row).substr(0, 3) != L"Yes") continue;
    std::wstring path = grid.cell(1, row) + grid.cell(0, row);
    if (win::isLink(path)) continue;  // it became a link since the search: what it points at stays
    bool removed = toRecycleBin ? recycler_.remove(path, hub_.hwnd()) : deleteFile(path);
    ui::Application::processMessages();
    // Only a file that is really gone counts.
    if (removed && !pathExists(path)) countRemovedKilobytes(hub_.accounting(), sizeCellKilobytes(grid.cell(2, row)));
  }
}

void JunkCleaner::Deletefiles1Click() {
  bool deleting = hub_.checked(L"Deletefiles1");
  hub_.setChecked(L"Deletefiles1", !deleting);
  hub_.setChecked(L"SenddeletedfilestoRecycledbin1", deleting);
  hub_.storeSwitchCodes();
}

}  // namespace kestova::app
