#pragma once
// The spyware blocker's texts in the eight languages.
#include <array>

#include "ui/translation.h"

namespace kestova::spyware {

extern const std::array<ui::TranslatedText, 9> kSpyTexts;

}  // namespace kestova::spyware
