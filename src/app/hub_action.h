#pragma once
// One action of the hub's cleaners at a time: while it lives, every cleaning control, the
// pattern boxes, the drive list and the removal-mode items are disabled, and the wait cursor
// holds; a close of the hub waits for the action. Actions started inside one (Click all pressing
// the buttons) join it.
#include <optional>

#include "ui/action.h"
#include "ui/grid.h"

namespace kestova::app {

class Tfsweep;

class HubAction {
 public:
  explicit HubAction(Tfsweep& hub);
  HubAction(const HubAction&) = delete;
  HubAction& operator=(const HubAction&) = delete;
  ~HubAction();

  // The hub was asked to close; a chain of cleaners stops after the one that runs.
  bool closeRequested() const { return action_->closeRequested(); }

 private:
  Tfsweep& hub_;
  bool outermost_;
  std::optional<ui::Action> action_;
  // The grid learns its rows when the queue runs (at most every quarter second) and at the end.
  ui::Grid::UpdateScope rows_;
};

}  // namespace kestova::app
