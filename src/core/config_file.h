#pragma once
// "config.TXT": folder entries keyed by folder code + drive letter, and the switch codes that
// keep the pattern boxes and the removal mode. Line 1 is never read or changed.
#include <array>
#include <string>
#include <string_view>

#include "core/text_lines.h"

namespace kestova {

// The coded browser and recycle folders, in the order their entries are applied.
enum class FolderCode { hi, ie, nc, lx, ni };
inline constexpr std::array<FolderCode, 5> kFolderCodes = {FolderCode::hi, FolderCode::ie, FolderCode::nc,
                                                           FolderCode::lx, FolderCode::ni};
const wchar_t* folderCodeText(FolderCode code);

struct CodedFolders {
  std::array<std::wstring, 5> paths;
  std::wstring& operator[](FolderCode c) { return paths[static_cast<std::size_t>(c)]; }
  const std::wstring& operator[](FolderCode c) const { return paths[static_cast<std::size_t>(c)]; }
};

// Puts code + path in place of the line with the same key (code + drive letter), or appends it.
// Returns true when the lines changed and the file must be saved.
bool recordFolder(Lines& lines, FolderCode code, const std::wstring& path);

// Every entry whose key is a folder code + the drive letter sets that folder, when its path is an
// absolute path of that drive ("X:\...").
void applyFolderEntries(const Lines& lines, wchar_t drive, CodedFolders& folders);

// A switch kept as a three-character code: the pattern boxes and the removal mode.
struct SwitchCode {
  const wchar_t* control;  // the box's name; the removal mode has none of its own
  const wchar_t* on;
  const wchar_t* off;
};
inline constexpr std::size_t kSwitchCount = 28;
extern const std::array<SwitchCode, kSwitchCount> kSwitchCodes;
// Index of the removal mode in kSwitchCodes ("r*1" sends to the recycle bin).
inline constexpr std::size_t kRemovalModeSwitch = 14;

using SwitchStates = std::array<bool, kSwitchCount>;
// Sets each switch that has a line; a switch without a line keeps its state.
void applySwitchCodes(const Lines& lines, SwitchStates& states);
// Replaces each switch's line by the bare code of its state; adds no lines.
void storeSwitchCodes(Lines& lines, const SwitchStates& states);

}  // namespace kestova
