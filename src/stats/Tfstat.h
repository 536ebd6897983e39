#pragma once
// The disk statistics window: a drive's used and free space in a small chart, the collection of
// its statistics, and the results in a grid (extensions, top-level folders or largest files,
// sorted three ways) and a large chart of the first entries.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/disk_stats.h"
#include "shell/hub_link.h"
#include "ui/form.h"

namespace kestova::ui {
class Chart;
}

namespace kestova::stats {

class Tfstat : public ui::Form {
 public:
  explicit Tfstat(shell::HubLink& hubLink);
  ~Tfstat() override;

  const DiskStats& tables() const { return stats_; }
  bool collecting() const { return collecting_; }
  // The drive selected in dcb1.
  wchar_t selectedDrive() const;
  // Selects a drive in dcb1 and runs its change handler, as the user's choice would.
  void chooseDrive(wchar_t letter);
  // The walk reports each folder here before the window's own handling (tests stop a walk).
  void setFolderHook(std::function<void(const std::wstring&)> hook) { folderHook_ = std::move(hook); }

 protected:
  void build() override;
  void FormCreate() override;
  void FormActivate() override;
  bool FormKeyDown(WORD key) override;
  void place() override;

 private:
  class CollectScope;

  void dcb1Change();
  void BitBtn1Click();
  void RG1Click();
  void RG2Click();
  void Label2Click();

  void fillDriveList();
  void showDrive();
  StatsView view() const;
  StatsOrder order() const;
  void clearGrid();
  void fillGrid();
  void collectedChart();
  void viewChart();
  void beginLargeChart(ui::Chart& chart);
  void showStatus(const std::wstring& text);
  void setClientHeight(int height);
  void setOuterHeight(int height);
  void paintBand();

  shell::HubLink& hubLink_;
  std::vector<wchar_t> drives_;
  DiskStats stats_;
  std::optional<wchar_t> collected_;  // the drive whose tables are held
  bool collecting_ = false;
  std::function<void(const std::wstring&)> folderHook_;
};

}  // namespace kestova::stats
