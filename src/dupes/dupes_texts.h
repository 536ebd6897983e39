#pragma once
// The texts of the duplicate finder and of its progress window in the eight languages.
#include <array>

#include "ui/translation.h"

namespace kestova::dupes {

extern const std::array<ui::TranslatedText, 7> kDupsTexts;
// Memo1's seven lines, joined by line breaks.
extern const std::array<ui::TranslatedText, 1> kDupgTexts;
// The finder's progress field after a walk that was stopped.
extern const ui::TranslatedText kSearchStopped;

}  // namespace kestova::dupes
