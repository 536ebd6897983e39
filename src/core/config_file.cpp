#include "core/config_file.h"

namespace kestova {
namespace {

bool startsWith(const std::wstring& line, std::wstring_view prefix) {
  return line.size() >= prefix.size() && std::wstring_view(line).substr(0, prefix.size()) == prefix;
}

}  // namespace

const std::array<SwitchCode, kSwitchCount> kSwitchCodes = {{
    {L"ChB1", L"c11", L"c10"},        {L"ChB2", L"c21", L"c20"},        {L"ChB3", L"c31", L"c30"},
    {L"ChB4", L"c41", L"c40"},        {L"ChB5", L"c51", L"c50"},        {L"ChB6", L"c61", L"c60"},
    {L"ChB7", L"c71", L"c70"},        {L"ChB8", L"c81", L"c80"},        {L"ChB9", L"c91", L"c90"},
    {L"ChB10", L"c*1", L"c*0"},       {L"CheckBox2", L"l*1", L"l*0"},   {L"CheckBox5", L"a*1", L"a*0"},
    {L"CheckBox6", L"s*1", L"s*0"},   {L"CheckBox7", L"x*1", L"x*0"},   {L"", L"r*1", L"r*0"},
    {L"CheckBox10", L"d41", L"d40"},  {L"CheckBox12", L"d61", L"d60"},  {L"CheckBox13", L"d71", L"d70"},
    {L"CheckBox16", L"e11", L"e10"},  {L"CheckBox17", L"e21", L"e20"},  {L"CheckBox18", L"e31", L"e30"},
    {L"CheckBox19", L"e41", L"e40"},  {L"CheckBox20", L"e51", L"e50"},  {L"CheckBox21", L"e61", L"e60"},
    {L"CheckBox22", L"e71", L"e70"},  {L"CheckBox23", L"e81", L"e80"},  {L"CheckBox24", L"e91", L"e90"},
    {L"CheckBox26", L"e01", L"e00"},
}};

const wchar_t* folderCodeText(FolderCode code) {
  switch (code) {
    case FolderCode::hi: return L"hi";
    case FolderCode::ie: return L"ie";
    case FolderCode::nc: return L"nc";
    case FolderCode::lx: return L"lx";
    case FolderCode::ni: return L"ni";
  }
  return L"";
}

bool recordFolder(Lines& lines, FolderCode code, const std::wstring& path) {
  if (path.empty()) return false;
  std::wstring entry = folderCodeText(code) + path;
  std::wstring_view key = std::wstring_view(entry).substr(0, 3);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (startsWith(lines[i], key)) {
      if (lines[i] == entry) return false;
      lines[i] = entry;
      return true;
    }
  }
  if (lines.empty()) lines.emplace_back();
  lines.push_back(entry);
  return true;
}

void applyFolderEntries(const Lines& lines, wchar_t drive, CodedFolders& folders) {
  for (FolderCode code : kFolderCodes) {
    std::wstring key = folderCodeText(code);
    key += drive;
    key += L":\\";  // any other path would be read against the current folder, the program's
    for (std::size_t i = 1; i < lines.size(); ++i) {
      if (startsWith(lines[i], key)) folders[code] = lines[i].substr(2);
    }
  }
}

void applySwitchCodes(const Lines& lines, SwitchStates& states) {
  for (std::size_t i = 1; i < lines.size(); ++i) {
    for (std::size_t s = 0; s < kSwitchCount; ++s) {
      if (startsWith(lines[i], kSwitchCodes[s].on)) states[s] = true;
      else if (startsWith(lines[i], kSwitchCodes[s].off)) states[s] = false;
    }
  }
}

void storeSwitchCodes(Lines& lines, const SwitchStates& states) {
  for (std::size_t i = 1; i < lines.size(); ++i) {
    for (std::size_t s = 0; s < kSwitchCount; ++s) {
      if (startsWith(lines[i], kSwitchCodes[s].on) || startsWith(lines[i], kSwitchCodes[s].off)) {
        lines[i] = states[s] ? kSwitchCodes[s].on : kSwitchCodes[s].off;
      }
    }
  }
}

}  // namespace kestova
