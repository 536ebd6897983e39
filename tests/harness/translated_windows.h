#pragma once
// The translated windows with their language tables, for the tests that go over all of them.
// A window that gets a table is one more line in translated_windows.cpp.
#include <functional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/translation.h"

namespace kestova::test {

struct TranslatedWindow {
  std::string name;
  std::span<const ui::TranslatedText> texts;
  // Creates the window (the hub must already exist) and shows it.
  std::function<ui::Form&()> open;
  // The hub takes a new language at once; the others when they are activated again.
  bool isHub = false;
  // Targets whose text is empty in some language by design (an empty memo line).
  std::set<std::wstring> mayBeEmpty = {};
};

const std::vector<TranslatedWindow>& translatedWindows();

// The hub's menu item of a language code (1 English ... 8 Norwegian).
const wchar_t* languageMenuItem(int code);

// Makes the window active, as a click on it would; its translation runs.
void activate(ui::Form& form);

// True when the form has a control or a menu item of this name.
bool namesPartOf(const ui::Form& form, const std::wstring& target);

}  // namespace kestova::test
