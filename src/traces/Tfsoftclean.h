#pragma once
// The Windows traces cleaner window: seven ticked items, Clean, and a link to the system's
// restore-point settings.
#include "traces/traces_cleaner.h"
#include "ui/form.h"

namespace kestova::traces {

class Tfsoftclean : public ui::Form {
 public:
  Tfsoftclean();

  // The check box of each trace, in cleaning order.
  static const wchar_t* checkBox(Trace trace);

 protected:
  void build() override;
  void FormActivate() override;
  bool FormKeyDown(WORD key) override;

 private:
  void Label4Click();
  void Label5Click();
  void BitBtnWithColor1Click();
  void Label14Click();
  void Menu1Click();

  void setAllChecked(bool on);
};

}  // namespace kestova::traces
