#pragma once
// The duplicate finder window: a drive, Start, the groups of identical files in a grid, marking
// and Delete in the hub's removal mode.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/duplicate_plan.h"
#include "core/duplicate_rules.h"
#include "shell/hub_link.h"
#include "ui/form.h"
#include "ui/resizer.h"
#include "win/jpeg_image.h"

namespace kestova::dupes {

class Tfdupg;
class RunScope;
struct DuplicateRow;

class Tfdups : public ui::Form {
 public:
  // `progressSlot` holds the progress window, made again when it was closed.
  Tfdups(shell::HubLink& hubLink, std::unique_ptr<Tfdupg>& progressSlot);
  ~Tfdups() override;

  // Chooses a drive in the drive box as the user would.
  void selectDrive(wchar_t letter);
  int driveNumber() const { return driveNumber_; }
  bool running() const { return running_; }
  // Tests act in the middle of a search: called after each group is written, with their count.
  void setGroupHook(std::function<void(int)> hook) { groupHook_ = std::move(hook); }
  // Tests act during the walk: called after each folder is read, with its path.
  void setFolderHook(std::function<void(const std::wstring&)> hook) { folderHook_ = std::move(hook); }
  // Tests lower the count of collected files past which the search warns.
  void setWarningCount(std::size_t files) { warningCount_ = files; }

 protected:
  void build() override;
  void FormCreate() override;
  void FormActivate() override;
  bool FormKeyDown(WORD key) override;
  void place() override;
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void fillDrives();
  void BitBtn1Click();
  void BitBtn5Click();
  void asg2Click();
  void dcb1Change();
  void FormResize();
  void Timer1Timer();
  void Help1Click();

  // The search (Tfdups_search.cpp); true when it got to the comparison.
  bool search(const RunScope& run);
  // The deletion of the marked rows (Tfdups_delete.cpp); true when a file went.
  bool deleteMarked(const RunScope& run);

  void resetGrid();
  void writeHeaders();
  // A separator is an empty row with no mark.
  void addRow(const DuplicateRow& entry, const std::wstring& mark);
  Tfdupg& progressWindow();
  // The hub, while it is there.
  shell::HubServices* hub() const { return hubLink_.hub(); }

  shell::HubLink& hubLink_;
  std::unique_ptr<Tfdupg>& progressSlot_;

  std::vector<wchar_t> drives_;
  int driveNumber_ = 3;
  int searchedDriveNumber_ = 3;
  bool running_ = false;
  bool widened_ = false;
  ui::TResizer resizer_;
  std::wstring pictureName_;
  std::optional<win::Picture> picture_;
  std::function<void(int)> groupHook_;
  std::function<void(const std::wstring&)> folderHook_;
  std::size_t warningCount_ = kDuplicateWarnCount;
  // Each grid row's file as the walk listed it (none for the header and the separators): the
  // grid shows it upper-cased, and Delete checks and removes it by this spelling.
  std::vector<CollectedFile> listed_;
};

}  // namespace kestova::dupes
