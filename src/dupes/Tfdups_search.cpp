// The duplicate finder's Start: walk, sort and compare, with the progress window on top.
#include "core/duplicate_rules.h"
#include "core/hub_accounting.h"
#include "dupes/Tfdupg.h"
#include "dupes/Tfdups.h"
#include "dupes/dupes_texts.h"
#include "dupes/duplicate_finder.h"
#include "dupes/run_scope.h"
#include "ui/application.h"
#include "ui/grid.h"
#include "ui/translation.h"
#include "win/dialogs.h"
#include "win/volume_info.h"

namespace kestova::dupes {
namespace {

constexpr const wchar_t* kManyFiles =
    L"more than 250000 files with over 30 kb on disk, this search may end up with memory  error, check LIMIT on dupe "
    L"screen and try again";
constexpr DWORD kPumpInterval = 50;
constexpr const wchar_t* kSortAborted = L"sort aborted";
constexpr const wchar_t* kQuickSearchEnded =
    L"Quick search ended - 500 Largest Duplicates displayed / For a full search uncheck LIMIT at duplicates screen";

// The progress window is on screen from the start of the walk to the end of the search, whichever
// way the search ends (a thrown error included).
class ProgressShown {
 public:
  explicit ProgressShown(Tfdupg& window) : window_(window) { window_.begin(); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;
  ~ProgressShown() { window_.finish(); }
  // Hides it before a message box that must not stand behind it.
  void hide() const { window_.finish(); }
  Tfdupg* operator->() const { return &window_; }

 private:
  Tfdupg& window_;
};

}  // namespace

void Tfdups::BitBtn1Click() {
  if (running_) return;
  setEnabled(L"BitBtn5", false);
  bool compared = false;
  {
    RunScope run(*this, running_);
    compared = search(run);
  }
  if (compared && exists()) setEnabled(L"BitBtn5", true);
}

bool Tfdups::search(const RunScope& run) {
  resetGrid();
  LRESULT index = SendMessageW(control(L"dcb1"), CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= drives_.size()) return false;
  wchar_t letter = drives_[static_cast<std::size_t>(index)];
  searchedDriveNumber_ = driveNumberFor(letter, driveNumber_);
  bool limit = checked(L"CheckBox2");
  ui::Grid& grid = this->grid(L"asg2");

  ProgressShown progress(progressWindow());
  // The program or this window is to close, or the hub went.
  bool hadHub = hub() != nullptr;
  auto quitting = [&] { return run.closeRequested() || (hadHub && !hub()); };
  // Quitting, or the progress window's Stop.
  auto stopped = [&] { return quitting() || !progress->exists() || progress->stopRequested(); };
  bool warned = false;
  DuplicateFinder* running = nullptr;
  FinderHooks hooks{
      [&, shown = GetTickCount() - kPumpInterval](const std::wstring& folder) mutable {
        if (folderHook_) folderHook_(folder);
        // Many files: said while the walk can still be stopped, in front of the progress window.
        if (!warned && running->collected() > warningCount_) {
          warned = true;
          win::showMessage(progress->exists() ? progress->hwnd() : hwnd(), kManyFiles);
        }
        // The folder shows and the queue runs about every 50 ms: per folder they cost more than
        // the read itself.
        if (GetTickCount() - shown < kPumpInterval) return;
        shown = GetTickCount();
        setText(L"Edit3", folder);
        ui::Application::processMessages();
      },
      [&](std::uint64_t done, std::uint64_t total) {
        if (progress->exists()) progress->setProgress(done, total);
        if (exists()) grid.refresh();
        ui::Application::processMessages();
      },
      stopped,
  };
  // A drive without a medium answers with an error, not with the system's "No disk" box.
  win::ErrorModeScope quiet;
  DuplicateFinder finder(limit, hooks);
  running = &finder;
  bool walked = finder.walk(std::wstring(1, letter) + L":");
  if (!exists()) return false;
  if (!walked) {
    // Nothing of a partial walk is compared or shown.
    setText(L"Edit3", ui::textIn(kSearchStopped, ui::currentLanguage()));
    return false;
  }
  setText(L"Edit3", L"");

  progress->sorting();
  finder.sort();
  ui::Application::processMessages();
  if (stopped()) {
    progress.hide();
    if (!quitting()) win::showMessage(hwnd(), kSortAborted);
    return false;
  }

  progress->comparing();
  SearchEnd end;
  bool firstGroup = true;
  int groups = 0;
  {
    ui::Grid::UpdateScope batch(grid);
    end = finder.compare([&](std::vector<DuplicateRow> rows) {
      if (!firstGroup) addRow({}, L"");
      firstGroup = false;
      for (const DuplicateRow& row : rows) addRow(row, L"No");
      if (groupHook_) groupHook_(++groups);
      return !(limit && grid.rowCount() > kLimitRows);
    });
  }
  progress.hide();
  if (quitting()) return false;
  if (end != SearchEnd::Finished) win::showMessage(hwnd(), kQuickSearchEnded);
  return true;
}

}  // namespace kestova::dupes
