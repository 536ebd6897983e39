#include "junk/hub_action.h"

#include <vector>

#include "app/Tfsweep.h"
#include "ui/application.h"
#include "ui/grid.h"

namespace kestova::junk {
namespace {

// The controls no action may start from while another runs.
std::vector<const wchar_t*> lockedControls() {
  std::vector<const wchar_t*> names = {
      L"BitBtnWithColor5", L"BB4",  L"bwc10", L"BB5",       L"BitBtnWithColor9",  L"BitBtnWithColor8",
      L"BitBtnWithColor11", L"BitBtnWithColor12", L"BitBtnWithColor13", L"BitBtnWithColor7", L"URLLabel2",
      L"BitBtnWithColor1", L"BitBtnWithColor10", L"BitBtnWithColor14", L"DCB1", L"Deletefiles1",
      L"SenddeletedfilestoRecycledbin1"};
  for (const wchar_t* box : app::Tfsweep::patternBoxNames()) names.push_back(box);
  return names;
}

}  // namespace

struct HubAction::Lock {
  explicit Lock(app::Tfsweep& owner) : hub(owner), names(lockedControls()), rows(owner.grid(L"asg1")) {
    for (const wchar_t* name : names) {
      states.push_back(hub.enabled(name));
      hub.setEnabled(name, false);
    }
  }
  ~Lock() {
    for (std::size_t i = 0; i < names.size(); ++i) hub.setEnabled(names[i], states[i]);
  }
  app::Tfsweep& hub;
  std::vector<const wchar_t*> names;
  std::vector<bool> states;
  // The grid learns its rows when the queue runs (at most every quarter second) and at the end.
  ui::Grid::UpdateScope rows;
  ui::HourglassCursor hourglass;
};

HubAction::HubAction(app::Tfsweep& hub) : hub_(hub) {
  if (hub_.enterAction()) lock_ = std::make_unique<Lock>(hub_);
}

HubAction::~HubAction() {
  bool outermost = lock_ != nullptr;
  lock_.reset();
  hub_.leaveAction(outermost);
}

bool HubAction::closeRequested() const { return false; }

}  // namespace kestova::junk
