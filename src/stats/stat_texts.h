#pragma once
// The statistics window's texts in the eight interface languages.
#include <array>

#include "ui/translation.h"

namespace kestova::stats {

extern const std::array<ui::TranslatedText, 14> kStatTexts;

}  // namespace kestova::stats
