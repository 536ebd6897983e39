#pragma once
// What the hub counts while the program runs: the drive number, the free-space baseline per
// drive number, the size unit flag and the recovered total; and the two lines that show them.
#include <array>
#include <cstdint>
#include <string>

namespace kestova {

// The drive number of a letter; R, S, W and Y have none and leave `previous` in force.
int driveNumberFor(wchar_t letter, int previous);

struct HubAccounting {
  static constexpr int kStartDriveNumber = 3;
  int driveNumber = kStartDriveNumber;
  std::array<double, 26> baseline{};  // indexed by drive number, in that drive's display unit
  bool unitGiga = false;              // the size unit flag "G"
  double recoveredKB = 0;

  // The capacity line of Edit1; fixes the baseline of the drive number on first display.
  std::wstring capacityLine(std::uint64_t capacityBytes, std::uint64_t freeBytes);
  // The recovered line of Edit2.
  std::wstring recoveredLine() const;
};

}  // namespace kestova
