#pragma once
// A long action of the duplicate finder: its action controls and close box are disabled and the
// hourglass shows while it lives; everything comes back as it was afterwards.
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/form.h"

namespace kestova::dupes {

class RunScope {
 public:
  RunScope(ui::Form& form, bool& running, std::initializer_list<const wchar_t*> controls);
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;
  ~RunScope();

 private:
  ui::Form& form_;
  bool& running_;
  std::vector<std::pair<std::wstring, bool>> states_;
  ui::HourglassCursor hourglass_;
};

}  // namespace kestova::dupes
