#include "app/hub_action.h"

#include <vector>

#include "app/JunkCleaner.h"
#include "app/Tfsweep.h"

namespace kestova::app {
namespace {

// The hub's action controls, "Check All", "Uncheck" and the pattern boxes.
const std::vector<const wchar_t*>& lockedControls() {
  static const std::vector<const wchar_t*> names = [] {
    std::vector<const wchar_t*> list(std::begin(Tfsweep::kActionControls), std::end(Tfsweep::kActionControls));
    list.push_back(L"BitBtnWithColor10");
    list.push_back(L"BitBtnWithColor14");
    for (const wchar_t* box : Tfsweep::patternBoxNames()) list.push_back(box);
    return list;
  }();
  return names;
}

}  // namespace

HubAction::HubAction(Tfsweep& hub)
    : hub_(hub), outermost_(hub.enterAction()), action_(std::in_place, hub, lockedControls()), rows_(hub.grid(L"asg1")) {
  if (outermost_) hub.junkCleaner().recycler().forgetAnswers();
}

HubAction::~HubAction() {
  // The controls come back first; then what the action asked of the Delete buttons and the focus.
  action_.reset();
  try {
    hub_.leaveAction(outermost_);
  } catch (...) {
    // A destructor never throws; the buttons keep the state the action left.
  }
}

}  // namespace kestova::app
