#pragma once
// "Data.TXT": one line per fixed or network drive, "C:\40000|12345w0z0f", and the drive table
// of 20 slots read from it (slot n belongs to entry n + 1 of the drive list).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/text_lines.h"

namespace kestova {

struct DriveSlot {
  wchar_t letter = 0;
  std::wstring capacityMB;
  std::wstring freeMB;
  std::wstring totalClusters;
  std::wstring freeClusters;
};

std::wstring driveLine(wchar_t letter, std::uint64_t capacityBytes, std::uint64_t freeBytes);

// Replaces every line from line 2 on that begins with the line's drive letter; appends the line
// when none does. Returns true when it appended.
bool putDriveLine(Lines& lines, const std::wstring& line);

class DriveTable {
 public:
  static constexpr std::size_t kSlots = 20;
  // driveList: the letters of the drive list in its order; the first entry gets no slot.
  static DriveTable read(const Lines& lines, const std::vector<wchar_t>& driveList);
  const DriveSlot* find(wchar_t letter) const;
  // The last slot of the letter whose capacity and free texts are both numbers; nothing when
  // there is none.
  const DriveSlot* findComplete(wchar_t letter) const;

 private:
  std::array<std::optional<DriveSlot>, kSlots> slots_;
};

// A table field in megabytes as the hub multiplies it out; text that is no number counts as 0.
double megabytesOf(const std::wstring& field);
// True when the whole field reads as a number.
bool isMegabytes(const std::wstring& field);

}  // namespace kestova
