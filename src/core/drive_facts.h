#pragma once
// The texts of the system information window: drive facts as the volume and cluster queries
// report them (or as the drive-size table records them) and the memory and swap figures.
#include <cstdint>
#include <map>
#include <string>

#include "core/drive_table.h"

namespace kestova {

// What the system reports about one drive; a failed query leaves its fields at zero or empty.
struct VolumeFacts {
  unsigned driveType = 0;
  std::wstring volumeName;
  std::wstring fileSystem;
  std::uint32_t serialNumber = 0;
  std::uint32_t flags = 0;
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
  std::uint32_t totalClusters = 0;
};

// Label name -> text.
using LabelTexts = std::map<std::wstring, std::wstring>;

std::wstring driveTypeName(unsigned driveType);
// Eight upper-case hexadecimal digits with "-" after the fourth.
std::wstring serialNumberText(std::uint32_t serial);

// Every value label of the drive panel. `listed` is the drive's complete entry of the drive-size
// table, or nullptr; an entry whose sizes are no numbers counts as absent.
LabelTexts drivePanelTexts(const VolumeFacts& facts, const DriveSlot* listed);
// The value labels of the drive panel, each a single blank: the panel of a drive without a medium.
LabelTexts blankDrivePanel();

// As the system reports them: the "page file" figures are the commit limit (physical memory plus
// the paging files) and the commit still available.
struct MemoryFacts {
  std::uint64_t totalPhysical = 0;
  std::uint64_t totalPageFile = 0;
  std::uint64_t availablePageFile = 0;
  std::uint64_t availablePhysical = 0;
};
// The paging files alone: the commit limit beyond physical memory, and the part of it the
// available commit leaves free beyond the free memory.
std::uint64_t pagingFileSize(const MemoryFacts& facts);
std::uint64_t pagingFileFree(const MemoryFacts& facts);
// Percentage of the paging file in use, the fraction of the free part dropped; 0 without one.
unsigned swapUsagePercent(std::uint64_t total, std::uint64_t available);
LabelTexts memoryTexts(const MemoryFacts& facts);

}  // namespace kestova
