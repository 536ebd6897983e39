#include "dupes/run_scope.h"

namespace kestova::dupes {
namespace {

void enableCloseBox(HWND window, bool on) {
  EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

RunScope::RunScope(ui::Form& form, bool& running, std::initializer_list<const wchar_t*> controls)
    : form_(form), running_(running) {
  running_ = true;
  for (const wchar_t* name : controls) {
    states_.emplace_back(name, form_.enabled(name));
    form_.setEnabled(name, false);
  }
  enableCloseBox(form_.hwnd(), false);
}

RunScope::~RunScope() {
  running_ = false;
  if (!form_.exists()) return;
  for (const auto& [name, on] : states_) form_.setEnabled(name, on);
  enableCloseBox(form_.hwnd(), true);
}

}  // namespace kestova::dupes
