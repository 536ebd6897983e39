#include "ui/translation.h"

#include "ui/form.h"

namespace kestova::ui {
namespace {

int& languageCode() {
  static int code = kEnglish;
  return code;
}

}  // namespace

int currentLanguage() { return languageCode(); }

void setCurrentLanguage(int code) { languageCode() = code; }

const wchar_t* textIn(const TranslatedText& text, int code) {
  return text.texts[code < 1 || code > kLanguageCount ? 0 : static_cast<std::size_t>(code - 1)];
}

void applyTranslation(Form& form, std::span<const TranslatedText> table, int code) {
  if (code < 1 || code > kLanguageCount) return;
  for (const auto& entry : table) form.setText(entry.target, entry.texts[static_cast<std::size_t>(code - 1)]);
}

}  // namespace kestova::ui
