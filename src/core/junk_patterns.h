#pragma once
// The junk-pattern table: the patterns tried in every visited folder, in table order, and the
// check box that ticks each one. "*.Asd" ticks two patterns; "D-link" the dead shortcuts.
#include <array>
#include <bitset>

namespace kestova {

struct JunkPattern {
  const wchar_t* mask;  // without the leading "\"
  const wchar_t* box;   // the check box's name
};

inline constexpr std::size_t kPatternCount = 27;
inline constexpr std::array<JunkPattern, kPatternCount> kJunkPatterns = {{
    {L"*.TMP", L"ChB1"},        {L"*.GID", L"ChB2"},        {L"*.$$$", L"ChB3"},       {L"~*.*", L"ChB4"},
    {L"*.---", L"ChB5"},        {L"*.CHK", L"ChB6"},        {L"*.FTG", L"ChB8"},       {L"*.OLD", L"ChB9"},
    {L"*.~*", L"ChB7"},         {L"*.FTS", L"ChB10"},       {L"*.LOG", L"CheckBox2"},  {L"*.AC$", L"CheckBox5"},
    {L"*.SWR", L"CheckBox6"},   {L"*.XLG", L"CheckBox7"},   {L"*.DMP", L"CheckBox10"}, {L"*.^", L"CheckBox12"},
    {L"*.___", L"CheckBox13"},  {L"*.CHW", L"CheckBox16"},  {L"*.BK!", L"CheckBox17"}, {L"*.ERR", L"CheckBox18"},
    {L"*.??$", L"CheckBox19"},  {L"*.$SA", L"CheckBox20"},  {L"*.@@@", L"CheckBox21"}, {L"*.ASD", L"CheckBox21"},
    {L"*.NCH", L"CheckBox22"},  {L"*.*~", L"CheckBox23"},   {L"CHKLIST.MS", L"CheckBox24"},
}};
inline constexpr const wchar_t* kLinkMask = L"*.LNK";
inline constexpr const wchar_t* kLinkBox = L"CheckBox26";

// Which patterns are ticked, and whether dead shortcuts are looked for.
struct PatternChoice {
  std::bitset<kPatternCount> patterns;
  bool deadLinks = false;

  static PatternChoice all() {
    PatternChoice choice;
    choice.patterns.set();
    choice.deadLinks = true;
    return choice;
  }
};

}  // namespace kestova
