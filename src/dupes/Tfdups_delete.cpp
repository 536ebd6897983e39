// The duplicate finder's marking and Delete: "Yes" rows are removed in the hub's removal mode and
// what really went is counted for the drive that was searched.
#include "core/duplicate_rules.h"
#include "core/removal_accounting.h"
#include "dupes/Tfdups.h"
#include "dupes/listed_file.h"
#include "dupes/run_scope.h"
#include "ui/application.h"
#include "ui/grid.h"
#include "win/dialogs.h"
#include "win/removal.h"

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

std::wstring changedText(int count) {
  if (count == 1) return L"1 marked file was not deleted: it or its copies changed since the search.";
  return std::to_wstring(count) + L" marked files were not deleted: they or their copies changed since the search.";
}

// What Delete may do with a marked row.
enum class Removal {
  IfCopyKept,  // only while an unmarked copy is still as listed
  Spared,      // the user keeps every copy of this group
  EveryCopy    // the user lets every copy of this group go
};

struct RowPlan {
  Removal removal = Removal::IfCopyKept;
  int first = 0;  // the rows of its group
  int last = -1;
};

// Groups that would lose every copy are asked about once; a copy whose file is gone since the
// search keeps nothing.
std::vector<RowPlan> planRows(const ui::Grid& grid, const std::vector<CollectedFile>& listed, HWND owner) {
  int rows = grid.rowCount();
  std::vector<RowPlan> plans(static_cast<std::size_t>(rows));
  std::vector<RowPlan*> lost;
  for (int first = 1; first < rows;) {
    if (grid.cell(kNameColumn, first).empty()) {
      ++first;
      continue;
    }
    int last = first;
    while (last + 1 < rows && !grid.cell(kNameColumn, last + 1).empty()) ++last;
    bool anyMarked = false;
    bool anyKept = false;
    for (int row = first; row <= last; ++row) {
      const std::wstring& mark = grid.cell(kMarkColumn, row);
      anyMarked = anyMarked || isMarked(mark);
      anyKept = anyKept || (!isMarked(mark) && mark != L"deleted" &&
                            listedNameExists(listed[static_cast<std::size_t>(row)].path));
    }
    for (int row = first; row <= last; ++row) {
      RowPlan& plan = plans[static_cast<std::size_t>(row)];
      plan.first = first;
      plan.last = last;
      if (anyMarked && !anyKept) lost.push_back(&plan);
    }
    first = last + 1;
  }
  if (lost.empty()) return plans;
  Removal answer = win::confirmAt(owner, kEveryCopyQuestion, kQuestionPlace) ? Removal::EveryCopy : Removal::Spared;
  for (RowPlan* plan : lost) plan->removal = answer;
  return plans;
}

// Another row of the group is unmarked and its file still as listed.
bool copyKept(const ui::Grid& grid, const std::vector<CollectedFile>& listed, const RowPlan& plan, int row) {
  for (int other = plan.first; other <= plan.last; ++other) {
    if (other != row && !isMarked(grid.cell(kMarkColumn, other)) &&
        stillAsListed(listed[static_cast<std::size_t>(other)])) {
      return true;
    }
  }
  return false;
}

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
  if (shell::HubServices* owner = hub()) owner->showRecovered();
}

bool Tfdups::deleteMarked(const RunScope& run) {
  ui::Grid& grid = this->grid(L"asg2");
  std::vector<RowPlan> plans = planRows(grid, listed_, hwnd());
  shell::HubServices* owner = hub();
  bool hadHub = owner != nullptr;
  // Without the hub there is no removal mode to read: the recycle bin keeps the file.
  bool toRecycleBin = !owner || owner->sendsToRecycleBin();
  bool deleted = false;
  win::RecycleRemoval recycler;
  int changed = 0;
  for (int row = 1; row < grid.rowCount() && exists(); ++row) {
    if (run.closeRequested() || (hadHub && !hub())) break;  // the program is quitting
    const std::wstring& path = grid.cell(kPathColumn, row);
    if (path.size() == 2 && path[1] == L':' && path[0] >= L'C' && path[0] <= L'H') grid.setCell(kPathColumn, row, path + L"\\");
    const RowPlan& plan = plans[static_cast<std::size_t>(row)];
    if (plan.removal == Removal::Spared || !isMarked(grid.cell(kMarkColumn, row))) continue;
    const CollectedFile& file = listed_[static_cast<std::size_t>(row)];
    if (file.path.empty()) continue;
    // The rows are as old as the search: a file changed since, or one whose copies did, stays.
    if (!stillAsListed(file) || (plan.removal == Removal::IfCopyKept && !copyKept(grid, listed_, plan, row))) {
      ++changed;
      continue;
    }
    if (toRecycleBin) {
      recycler.remove(file.path, hwnd());
    } else {
      win::deleteFile(file.path);
    }
    // Only a file that is really gone counts and reads "deleted"; a twin whose name differs only in
    // case does not make it look there still.
    if (!listedNameExists(file.path)) {
      grid.setCell(kMarkColumn, row, L"deleted");
      deleted = true;
      owner = hub();
      if (owner) countRemovedKilobytes(owner->accounting(), sizeCellDigits(grid.cell(kSizeColumn, row)), searchedDriveNumber_);
    }
    ui::Application::processMessages();
  }
  if (changed > 0 && exists()) win::showMessage(hwnd(), changedText(changed));
  return deleted;
}

}  // namespace kestova::dupes
