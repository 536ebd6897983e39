#include "dupes/run_scope.h"

namespace kestova::dupes {
namespace {

void enableCloseBox(HWND window, bool on) {
  EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

RunScope::RunScope(ui::Form& form, bool& running) : form_(form), running_(running), action_(form, kControls) {
  running_ = true;
  enableCloseBox(form_.hwnd(), false);
}

RunScope::~RunScope() {
  running_ = false;
  if (form_.exists()) enableCloseBox(form_.hwnd(), true);
}

}  // namespace kestova::dupes
