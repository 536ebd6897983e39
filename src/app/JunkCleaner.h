#pragma once
// The hub's junk-file cleaner: Search (BB4Click) fills the result grid, a click in "delete?"
// toggles a row, Delete (BB5Click) removes the "Yes" rows, and the removal-mode menu items.
// It is also the result model the other cleaners of the hub list into; a cleaner that lists many
// rows holds the grid's updates (ui::Grid::UpdateScope) while it runs, and pump() shows them.
#include <cstdint>

#include <string>

#include "core/junk_patterns.h"
#include "junk/result_sink.h"
#include "win/recycle_removal.h"

namespace kestova::app {

class Tfsweep;

class JunkCleaner : public junk::ResultSink {
 public:
  explicit JunkCleaner(Tfsweep& hub) : hub_(hub) {}

  void BB4Click();
  void BB5Click();
  void asg1Click();
  void Deletefiles1Click();

  // The bodies of Search and Delete, run inside an action (HubAction). search() returns the
  // closing message.
  std::wstring search();
  void removeListed();
  // Search's walk with nothing ticked: it only discovers the coded folders (no rows, summary,
  // message or focus). The pattern boxes are left as they are.
  void discoverFolders();

  // A cleaner's listing starts: no rows, a zero listing total.
  void resetListing();
  // The row count grows by `rows` without data (blank rows, or rows past a summary).
  void skipRows(int rows);
  // The grid's row count becomes row count + 3; row count + 2 holds `label`, "    =    " and
  // the listing-total text. Nothing is written when no row was listed.
  void writeSummary(const wchar_t* label = L"Total space :");

  // The result model: data rows are 1 to rowCount() of the grid.
  void addRow(JunkRow row) override;
  int rowCount() const override { return rowCount_; }
  void addToTotal(std::uint64_t bytes) override { listingTotal_ += bytes; }
  void pump() override;
  std::uint64_t listingTotal() const { return listingTotal_; }

  // Recycle mode's answers for drives without a bin, kept for one action of the hub.
  win::RecycleRemoval& recycler() { return recycler_; }

 private:
  void scan(PatternChoice choice);
  // Removes path + name of every "Yes" row in the removal mode, counting what went.
  void removeYesRows();

  Tfsweep& hub_;
  int rowCount_ = 0;
  std::uint64_t listingTotal_ = 0;
  win::RecycleRemoval recycler_;
};

}  // namespace kestova::app
