#pragma once
// What a removal adds to the hub's figures: the recovered total in kilobytes and the free-space
// baseline of the current drive number, in that drive's display unit.
#include <cstdint>

#include "core/hub_accounting.h"

namespace kestova {

// The extra kilobytes each cleaner adds per removed item.
inline constexpr double kTempFolderExtraKB = 0.05;   // temporary folders, emptier E1, cache files
inline constexpr double kBrowserFolderExtraKB = 0.005;  // browser folders, recycle bin, E2, E3

// A listed row removed by Delete: the size cell's kilobytes, credited to the current drive number
// or to the baseline of `driveNumber` (1 to 22).
void countRemovedKilobytes(HubAccounting& accounting, double kilobytes);
void countRemovedKilobytes(HubAccounting& accounting, double kilobytes, int driveNumber);
// An item of `bytes` removed by a cleaner: bytes / 1024 + extra kilobytes, and the bytes.
void countRemovedBytes(HubAccounting& accounting, std::uint64_t bytes, double extraKB);
// Bytes freed that add to the baseline only (a whole folder sent to the recycle bin).
void countFreedBytes(HubAccounting& accounting, std::uint64_t bytes);

}  // namespace kestova
