#include "stats/stat_texts.h"

namespace kestova::stats {
namespace {

// English in every column until the other languages' texts are written.
constexpr std::array<const wchar_t*, kLanguageCount> english(const wchar_t* text) {
  return {text, text, text, text, text, text, text, text};
}

}  // namespace

const std::array<ui::TranslatedText, 12> kStatTexts = {{
    {L"BitBtnWithColor4", english(L"C&ollect Stats")},
    {L"RG2", english(L"Graphic")},
    {L"RG2Item0", english(L"File Extensions")},
    {L"RG2Item1", english(L"Directory Sizes")},
    {L"RG2Item2", english(L"File Size top 1000")},
    {L"RG1", english(L"Sort:")},
    {L"RG1Item0", english(L"Type of files")},
    {L"RG1Item1", english(L"Number of files")},
    {L"RG1Item2", english(L"Total size")},
    {L"Label5", english(L"USED:")},
    {L"Label4", english(L"FREE:")},
    {L"Label2", english(L"View largest files")},
}};

}  // namespace kestova::stats
