#include "dupes/run_scope.h"

namespace kestova::dupes {

RunScope::RunScope(ui::Form& form, bool& running) : form_(form), running_(running), action_(form, kControls) {
  running_ = true;
}

RunScope::~RunScope() { running_ = false; }

}  // namespace kestova::dupes
