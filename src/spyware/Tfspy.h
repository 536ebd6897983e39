#pragma once
// The spyware blocker window: the pest grid with its count, Block, Unblock and the list update.
#include "spyware/pest_registry.h"
#include "ui/form.h"
#include "ui/pacer.h"

namespace kestova::spyware {

class Tfspy : public ui::Form {
 public:
  Tfspy();
  // Tests point the blocker at roots of their own.
  explicit Tfspy(BlockRoots roots);

  // Re-reads the list files into the grid, names only in column 0.
  void RefreshPestGrid();
  bool running() const { return running_; }

 protected:
  void build() override;
  void FormCreate() override;
  void FormActivate() override;
  bool FormKeyDown(WORD key) override;

 private:
  class PassScope;

  void fillGrid(PestPass pass);
  void refreshAfterError() noexcept;
  void showProgress(long long done, long long total);
  // Says so and is true when Block and Unblock cannot change the machine's keys.
  bool refusedForRights();
  void BitBtnWithColor1Click();
  void Label3Click();
  void UpdateSpywareList1Click();
  void Close1Click();
  void Help1Click();

  BlockRoots roots_;
  bool running_ = false;
  bool mayBlock_ = true;  // the machine's keys can be written (found at window open)
  ui::Pacer progressPacer_{0};
};

}  // namespace kestova::spyware
