#include "win/volume.h"

#include <windows.h>

namespace kestova::win {
namespace {

std::wstring root(wchar_t letter) { return std::wstring(1, letter) + L":\\"; }

}  // namespace

std::vector<wchar_t> logicalDrives() {
  std::vector<wchar_t> letters;
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (mask & (1u << i)) letters.push_back(static_cast<wchar_t>(L'A' + i));
  }
  return letters;
}

unsigned driveType(wchar_t letter) { return GetDriveTypeW(root(letter).c_str()); }

std::optional<DiskSpace> diskSpace(wchar_t letter) {
  ULARGE_INTEGER available, total, totalFree;
  if (!GetDiskFreeSpaceExW(root(letter).c_str(), &available, &total, &totalFree)) return std::nullopt;
  return DiskSpace{total.QuadPart, available.QuadPart};
}

std::optional<DiskSpace> clusterSpace(wchar_t letter) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceW(root(letter).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &totalClusters)) {
    return std::nullopt;
  }
  std::uint64_t cluster = std::uint64_t{sectorsPerCluster} * bytesPerSector;
  return DiskSpace{cluster * totalClusters, cluster * freeClusters};
}

}  // namespace kestova::win
