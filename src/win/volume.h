#pragma once
// Drives and their sizes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestova::win {

// The drive letters in upper case, A to Z, as the drive list shows them.
std::vector<wchar_t> logicalDrives();
// GetDriveType of letter + ":\".
unsigned driveType(wchar_t letter);

struct DiskSpace {
  std::uint64_t capacity = 0;
  std::uint64_t freeToUser = 0;
};
// The extended free-space query; nothing when the drive cannot be measured.
std::optional<DiskSpace> diskSpace(wchar_t letter);
// Sectors per cluster x bytes per sector x (free / total) clusters, in 64-bit arithmetic.
std::optional<DiskSpace> clusterSpace(wchar_t letter);

}  // namespace kestova::win
