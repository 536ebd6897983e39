#include "core/drive_facts.h"

#include <algorithm>

#include <cwchar>
#include <limits>
#include <optional>

#include "core/number_format.h"

namespace kestova {
namespace {

constexpr const wchar_t* kTotalMbytes = L"Total Mbytes:            ";
constexpr const wchar_t* kFreeMbytes = L"Free Mbytes:             ";
constexpr const wchar_t* kFreeClusters = L"Free Clusters:           ";
constexpr const wchar_t* kTotalClusters = L"Total Clusters:          ";
constexpr const wchar_t* kBlank = L" ";

// The value labels of the drive panel.
const wchar_t* const kPanelLabels[] = {L"Label14", L"Label11", L"Label12", L"Label1",  L"Label2",
                                       L"Label5",  L"Label6",  L"Label3",  L"Label4",  L"Label25",
                                       L"Label7",  L"Label8",  L"Label9",  L"Label10", L"Label29"};

bool allDigits(const std::wstring& text) {
  if (text.empty()) return false;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

// A size field of the table: whole or decimal megabytes; anything else is no number.
std::optional<double> tableMegabytes(const std::wstring& field) {
  std::size_t dot = field.find(L'.');
  std::wstring whole = field.substr(0, dot);
  if (!allDigits(whole)) return std::nullopt;
  if (dot != std::wstring::npos && !allDigits(field.substr(dot + 1))) return std::nullopt;
  return megabytesOf(field);
}

// A cluster field of the table as a plain decimal; a single blank for 0 or for no number.
std::wstring tableClusters(const wchar_t* caption, const std::wstring& field) {
  if (!allDigits(field)) return kBlank;
  std::size_t first = field.find_first_not_of(L'0');
  if (first == std::wstring::npos) return kBlank;
  return caption + field.substr(first);
}

double megabytes(std::uint64_t clusters, std::uint64_t clusterBytes) {
  return static_cast<double>(clusters * clusterBytes) / 1024.0 / 1024.0;
}

std::wstring kilobytes(std::uint64_t bytes) { return std::to_wstring(bytes / 1024) + L" KB"; }

}  // namespace

std::wstring driveTypeName(unsigned driveType) {
  static const wchar_t* const kNames[] = {L"?",     L"Path does not exists", L"Removable", L"Fixed",
                                          L"Remote", L"CD-ROM",              L"RAMDISK"};
  return driveType < std::size(kNames) ? kNames[driveType] : L"Unknown";
}

std::wstring serialNumberText(std::uint32_t serial) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%04X-%04X", static_cast<unsigned>(serial >> 16),
                static_cast<unsigned>(serial & 0xFFFF));
  return text;
}

LabelTexts drivePanelTexts(const VolumeFacts& facts, const DriveSlot* listed) {
  LabelTexts texts;
  std::optional<double> listedTotal, listedFree;
  if (listed) {
    listedTotal = tableMegabytes(listed->capacityMB);
    listedFree = tableMegabytes(listed->freeMB);
  }
  if (listedTotal && listedFree) {
    texts[L"Label5"] = kTotalMbytes + formatFixed2(*listedTotal);
    texts[L"Label6"] = kFreeMbytes + formatFixed2(*listedFree);
    texts[L"Label3"] = tableClusters(kFreeClusters, listed->freeClusters);
    texts[L"Label4"] = tableClusters(kTotalClusters, listed->totalClusters);
  } else {
    std::uint64_t clusterBytes = std::uint64_t{facts.sectorsPerCluster} * facts.bytesPerSector;
    texts[L"Label5"] = kTotalMbytes + formatFixed2(megabytes(facts.totalClusters, clusterBytes));
    texts[L"Label6"] = kFreeMbytes + formatFixed2(megabytes(facts.freeClusters, clusterBytes));
    texts[L"Label3"] = kFreeClusters + std::to_wstring(facts.freeClusters) + L"   ";
    texts[L"Label4"] = kTotalClusters + std::to_wstring(facts.totalClusters) + L"   ";
  }
  texts[L"Label1"] = L"Sectors/Cluster:        " + std::to_wstring(facts.sectorsPerCluster);
  texts[L"Label2"] = L"Bytes/Sector:            " + std::to_wstring(facts.bytesPerSector) + L"  ";

  texts[L"Label11"] = driveTypeName(facts.driveType);
  texts[L"Label14"] = facts.volumeName.empty() ? L"[None]" : facts.volumeName;
  texts[L"Label25"] = serialNumberText(facts.serialNumber);
  texts[L"Label12"] = facts.fileSystem;

  auto flag = [&facts](std::uint32_t bit, const wchar_t* name) -> std::wstring {
    return (facts.flags & bit) ? name : kBlank;
  };
  texts[L"Label7"] = flag(0x2, L"FS_CASE_IS_PRESERVED");
  texts[L"Label8"] = flag(0x1, L"FS_CASE_SENSITIVE");
  texts[L"Label9"] = flag(0x4, L"FS_UNICODE_STORED_ON_DISK");
  texts[L"Label10"] = flag(0x8, L"FS_PERSISTENT_ACLS");
  texts[L"Label29"] = (facts.flags & 0x8000) ? L"FS_VOL_IS_COMPRESSED" : flag(0x10, L"FS_FILE_COMPRESSION");
  return texts;
}

LabelTexts blankDrivePanel() {
  LabelTexts texts;
  for (const wchar_t* label : kPanelLabels) texts[label] = kBlank;
  return texts;
}

unsigned swapUsagePercent(std::uint64_t total, std::uint64_t available) {
  if (total == 0 || available >= total) return 0;
  // Scale sizes no machine has, so that available x 100 cannot overflow.
  while (total > std::numeric_limits<std::uint64_t>::max() / 100) {
    total >>= 1;
    available >>= 1;
  }
  return 100 - static_cast<unsigned>(available * 100 / total);
}

std::uint64_t pagingFileSize(const MemoryFacts& facts) {
  return facts.totalPageFile > facts.totalPhysical ? facts.totalPageFile - facts.totalPhysical : 0;
}

std::uint64_t pagingFileFree(const MemoryFacts& facts) {
  std::uint64_t beyondMemory =
      facts.availablePageFile > facts.availablePhysical ? facts.availablePageFile - facts.availablePhysical : 0;
  return std::min(beyondMemory, pagingFileSize(facts));
}

LabelTexts memoryTexts(const MemoryFacts& facts) {
  const std::uint64_t size = pagingFileSize(facts);
  const std::uint64_t free = pagingFileFree(facts);
  return {
      {L"Label38", kilobytes(facts.totalPhysical)},
      {L"Label32", kilobytes(size)},
      {L"Label34", kilobytes(size - free)},
      {L"Label36", std::to_wstring(swapUsagePercent(size, free)) + L" %"},
  };
}

}  // namespace kestova
