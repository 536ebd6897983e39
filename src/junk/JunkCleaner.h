#pragma once
// The hub's junk-file cleaner: Search (BB4Click) fills the result grid, a click in "delete?"
// toggles a row, Delete (BB5Click) removes the "Yes" rows, and the removal-mode menu items.
// It is also the result model the other cleaners of the hub list into; a cleaner that lists many
// rows holds the grid's updates (ui::Grid::UpdateScope) while it runs, and pump() shows them.
#include <cstdint>

#include "junk/result_sink.h"

namespace kestova::app {
class Tfsweep;
}

namespace kestova::junk {

class JunkCleaner : public ResultSink {
 public:
  explicit JunkCleaner(app::Tfsweep& hub) : hub_(hub) {}

  void BB4Click();
  void BB5Click();
  void asg1Click();
  void Deletefiles1Click();

  // The result model: data rows are 1 to rowCount() of the grid.
  void addRow(JunkRow row) override;
  int rowCount() const override { return rowCount_; }
  void addToTotal(std::uint64_t bytes) override { listingTotal_ += bytes; }
  void pump() override;
  std::uint64_t listingTotal() const { return listingTotal_; }

 private:
  // The grid's row count becomes row count + 3; the summary row gets the listing-total text.
  void writeSummary();
  // Removes path + name of every "Yes" row in the removal mode, counting what went.
  void removeYesRows();

  app::Tfsweep& hub_;
  int rowCount_ = 0;
  std::uint64_t listingTotal_ = 0;
};

}  // namespace kestova::junk
