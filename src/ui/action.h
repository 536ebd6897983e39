#pragma once
// A long action of a window that lets the message queue run between its items. While one lives,
// the controls and menu items it names are disabled, the window (and any window that owns it)
// refuses to close and closes once the action ends, and the pointer is the hourglass over it.
#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kestova::ui {

class Form;

class Action {
 public:
  Action(Form& form, std::initializer_list<const wchar_t*> locked) : Action(form, std::span(locked.begin(), locked.size())) {}
  Action(Form& form, std::span<const wchar_t* const> locked);
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;
  ~Action() noexcept;

  // The user asked to close the window: a loop that can stop cleanly stops at its next item.
  bool closeRequested() const;

 private:
  Form& form_;
  std::vector<std::pair<std::wstring, bool>> locked_;  // name, enabled before the action
};

}  // namespace kestova::ui
