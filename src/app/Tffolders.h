#pragma once
// "Temp folders path": shows the browser and recycle folders the hub knows, lets the user pick
// others, and detects them again.
#include "ui/form.h"

namespace kestova::app {

class Tfsweep;

class Tffolders : public ui::Form {
 public:
  explicit Tffolders(Tfsweep& hub);

 protected:
  void build() override;
  void FormCreate() override;
  bool FormKeyDown(WORD key) override;

 private:
  void fillFields();
  void browse(int field);
  void BitBtnWithColor2Click();

  Tfsweep& hub_;
};

}  // namespace kestova::app
