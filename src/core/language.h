#pragma once
// The interface language: code 1 to 8, kept on line 2 of "idiom.TXT".
#include "core/text_lines.h"

namespace kestova {

enum Language : int {
  kEnglish = 1, kPortuguese, kFrench, kSpanish, kItalian, kDutch, kGerman, kNorwegian
};
inline constexpr int kLanguageCount = 8;

// Line 2 as a code; a missing or empty line 2, or one that is not a number 1 to 8, is English.
int readLanguage(const Lines& lines);
// Puts the code into line 2; a text without a line 2 keeps nothing. Returns whether it stored.
bool writeLanguage(Lines& lines, int code);

}  // namespace kestova
