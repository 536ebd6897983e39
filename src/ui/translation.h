#pragma once
// Translation tables: for each target (a control or a menu item) one text per language.
#include <array>
#include <span>

#include "core/language.h"

namespace kestova::ui {

class Form;

struct TranslatedText {
  const wchar_t* target;
  std::array<const wchar_t*, kLanguageCount> texts;  // English, Portuguese, ... Norwegian
};

// The process-wide language code, set by the hub; every translated window reads it when it
// becomes active.
int currentLanguage();
void setCurrentLanguage(int code);

// The text of `code`; English for a code outside 1 to 8.
const wchar_t* textIn(const TranslatedText& text, int code);

// Sets every target to the text of `code`; a code outside 1 to 8 changes nothing.
void applyTranslation(Form& form, std::span<const TranslatedText> table, int code);

}  // namespace kestova::ui
