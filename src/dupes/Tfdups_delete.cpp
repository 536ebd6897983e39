// The duplicate finder's marking and Delete: "Yes" rows are removed in the hub's removal mode and
// what really went is counted for the drive that was searched.
#include "app/Tfsweep.h"
#include "core/duplicate_rules.h"
#include "core/removal_accounting.h"
#include "dupes/Tfdups.h"
#include "dupes/run_scope.h"
#include "junk/directory_listing.h"
#include "junk/removal.h"
#include "ui/application.h"
#include "ui/grid.h"
#include "win/dialogs.h"

namespace kestova::dupes {
namespace {

constexpr int kNameColumn = 0;
constexpr int kPathColumn = 1;
constexpr int kSizeColumn = 2;
constexpr int kMarkColumn = 4;
constexpr POINT kQuestionPlace = {200, 200};

constexpr const wchar_t* kSystemFiles = L"Windows system files cannot be deleted";
constexpr const wchar_t* kDeleteQuestion = L"Delete files showed on grid marked as YES?";
constexpr const wchar_t* kEveryCopyQuestion =
    L"Every copy of some files is marked YES: they would be lost. Delete them anyway?";

bool isMarked(const std::wstring& mark) { return mark.substr(0, 3) == L"Yes"; }

}  // namespace

void Tfdups::asg2Click() {
  if (running_) return;
  ui::Grid& grid = this->grid(L"asg2");
  int row = grid.clickedRow();
  if (row < 1) return;
  if (isSystemFolderPath(grid.cell(kPathColumn, row))) {
    win::showMessage(hwnd(), kSystemFiles);
    return;
  }
  const std::wstring& mark = grid.cell(kMarkColumn, row);
  if (grid.clickedColumn() != kMarkColumn || mark.empty()) return;
  grid.setCell(kMarkColumn, row, mark == L"No" ? L"Yes" : L"No");
}

void Tfdups::BitBtn5Click() {
  if (running_) return;
  bool deleted = false;
  {
    RunScope run(*this, running_);
    if (grid(L"asg2").rowCount() > 2 && win::confirmAt(hwnd(), kDeleteQuestion, kQuestionPlace)) {
      deleted = deleteMarked(run);
    }
  }
  if (!exists()) return;
  if (deleted) writeHeaders();
  if (app::Tfsweep* owner = hub()) owner->showRecovered();
}

std::vector<bool> Tfdups::sparedRows() {
  ui::Grid& grid = this->grid(L"asg2");
  int rows = grid.rowCount();
  std::vector<bool> spared(static_cast<std::size_t>(rows), false);
  std::vector<std::pair<int, int>> lost;  // first and last row of each group that would lose every copy
  for (int first = 1; first < rows;) {
    if (grid.cell(kNameColumn, first).empty()) {
      ++first;
      continue;
    }
    int last = first;
    while (last + 1 < rows && !grid.cell(kNameColumn, last + 1).empty()) ++last;
    bool anyMarked = false;
    bool allGone = true;
    for (int row = first; row <= last; ++row) {
      const std::wstring& mark = grid.cell(kMarkColumn, row);
      anyMarked = anyMarked || isMarked(mark);
      allGone = allGone && (isMarked(mark) || mark == L"deleted");
    }
    if (anyMarked && allGone) lost.emplace_back(first, last);
    first = last + 1;
  }
  if (lost.empty() || win::confirmAt(hwnd(), kEveryCopyQuestion, kQuestionPlace)) return spared;
  for (auto [first, last] : lost) {
    for (int row = first; row <= last; ++row) spared[static_cast<std::size_t>(row)] = true;
  }
  return spared;
}

bool Tfdups::deleteMarked(const RunScope& run) {
  std::vector<bool> spared = sparedRows();
  app::Tfsweep* owner = hub();
  bool hadHub = owner != nullptr;
  // Without the hub there is no removal mode to read: the recycle bin keeps the file.
  bool toRecycleBin = !owner || !owner->checked(L"Deletefiles1");
  bool deleted = false;
  junk::RecycleRemoval recycler;
  ui::Grid& grid = this->grid(L"asg2");
  for (int row = 1; row < grid.rowCount() && exists(); ++row) {
    if (run.closeRequested() || (hadHub && !hub())) break;  // the program is quitting
    const std::wstring& path = grid.cell(kPathColumn, row);
    if (path.size() == 2 && path[1] == L':' && path[0] >= L'C' && path[0] <= L'H') grid.setCell(kPathColumn, row, path + L"\\");
    if (spared[static_cast<std::size_t>(row)] || !isMarked(grid.cell(kMarkColumn, row))) continue;
    const std::wstring& folder = grid.cell(kPathColumn, row);
    if (folder.empty()) continue;
    std::wstring file = junk::joinPath(folder, grid.cell(kNameColumn, row));
    bool removed = toRecycleBin ? recycler.remove(file, hwnd()) : junk::deleteFile(file);
    // Only a file that is really gone counts and reads "deleted".
    if (removed && !junk::pathExists(file)) {
      grid.setCell(kMarkColumn, row, L"deleted");
      deleted = true;
      owner = hub();
      if (owner) countRemovedKilobytes(owner->accounting(), sizeCellDigits(grid.cell(kSizeColumn, row)), searchedDriveNumber_);
    }
    ui::Application::processMessages();
  }
  return deleted;
}

}  // namespace kestova::dupes
