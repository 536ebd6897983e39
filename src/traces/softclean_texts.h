#pragma once
// The traces cleaner window's texts in the eight languages.
#include <array>

#include "ui/translation.h"

namespace kestova::traces {

extern const std::array<ui::TranslatedText, 5> kSoftcleanTexts;

}  // namespace kestova::traces
