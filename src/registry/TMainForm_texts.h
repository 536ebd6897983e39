#pragma once
// The registry cleaner's texts in the eight languages.
#include <array>

#include "ui/translation.h"

namespace kestova::registry {

extern const std::array<ui::TranslatedText, 9> kMainFormTexts;

}  // namespace kestova::registry
