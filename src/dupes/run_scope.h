#pragma once
// A long action of the duplicate finder: a ui::Action over its action controls, with grid clicks
// refused while it lives. A close asked for meanwhile ends it at its next folder or file.
#include "ui/action.h"
#include "ui/form.h"

namespace kestova::dupes {

class RunScope {
 public:
  RunScope(ui::Form& form, bool& running);
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;
  ~RunScope();

  // What a run disables.
  static constexpr const wchar_t* kControls[] = {L"BitBtnWithColor2", L"BitBtn5", L"dcb1", L"CheckBox2"};

  // The window or the program is to close: the action stops at its next item.
  bool closeRequested() const { return action_.closeRequested() || !form_.exists(); }

 private:
  ui::Form& form_;
  bool& running_;
  ui::Action action_;
};

}  // namespace kestova::dupes
