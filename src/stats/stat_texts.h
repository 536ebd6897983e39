#pragma once
// The statistics window's texts in the eight interface languages.
#include <array>

#include "ui/translation.h"

namespace kestova::stats {

extern const std::array<ui::TranslatedText, 14> kStatTexts;
// The status line after a collection that a close stopped.
extern const ui::TranslatedText kCollectionStopped;

}  // namespace kestova::stats
