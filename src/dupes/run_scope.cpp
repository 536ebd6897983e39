#include "dupes/run_scope.h"

namespace kestova::dupes {
namespace {

constexpr const wchar_t* kActionControls[] = {L"BitBtnWithColor2", L"BitBtn5", L"dcb1", L"CheckBox2"};

}  // namespace

RunScope::RunScope(ui::Form& form, bool& running) : form_(form), running_(running), action_(form, kActionControls) {
  running_ = true;
}

RunScope::~RunScope() { running_ = false; }

}  // namespace kestova::dupes
