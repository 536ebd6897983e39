#include "ui/action.h"

#include "ui/form.h"

namespace kestova::ui {

Action::Action(Form& form, std::span<const wchar_t* const> locked) : form_(form) {
  form_.beginAction();
  for (const wchar_t* name : locked) {
    if (!form_.hasControl(name) && !form_.hasMenu(name)) continue;
    locked_.emplace_back(name, form_.enabled(name));
    form_.setEnabled(name, false);
  }
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

Action::~Action() noexcept {
  if (form_.exists()) {
    for (const auto& [name, wasEnabled] : locked_) {
      if (form_.hasControl(name) || form_.hasMenu(name)) form_.setEnabled(name, wasEnabled);
    }
  }
  form_.endAction();
}

bool Action::closeRequested() const { return form_.closeWaiting(); }

}  // namespace kestova::ui
