#pragma once
// The hub's texts in the eight languages, in the order the hub applies them.
#include <array>

#include "ui/translation.h"

namespace kestova::app {

extern const std::array<ui::TranslatedText, 37> kHubTexts;

}  // namespace kestova::app
