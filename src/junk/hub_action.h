#pragma once
// One action of the hub's cleaners at a time: while it lives, every cleaning control, the
// pattern boxes, the drive list and the removal-mode items are disabled, and the wait cursor
// holds. Actions started inside one (Click all pressing the buttons) join it.
#include <memory>

namespace kestova::app {
class Tfsweep;
}

namespace kestova::junk {

class HubAction {
 public:
  explicit HubAction(app::Tfsweep& hub);
  HubAction(const HubAction&) = delete;
  HubAction& operator=(const HubAction&) = delete;
  ~HubAction();

  // The hub was asked to close; a long loop may stop early.
  bool closeRequested() const;

 private:
  struct Lock;
  app::Tfsweep& hub_;
  std::unique_ptr<Lock> lock_;  // held by the outermost action only
};

}  // namespace kestova::junk
