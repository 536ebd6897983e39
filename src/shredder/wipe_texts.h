#pragma once
// The shredder window's texts in the eight languages.
#include <array>

#include "ui/translation.h"

namespace kestova::shredder {

extern const std::array<ui::TranslatedText, 12> kWipeTexts;

}  // namespace kestova::shredder
