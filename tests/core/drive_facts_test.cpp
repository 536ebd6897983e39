#include <gtest/gtest.h>

#include "core/drive_facts.h"

namespace kestova {
namespace {

VolumeFacts ntfsDrive() {
  VolumeFacts facts;
  facts.driveType = 3;
  facts.volumeName = L"DATA";
  facts.fileSystem = L"NTFS";
  facts.serialNumber = 0x1A2B3C4D;
  facts.flags = 0xA;
  facts.sectorsPerCluster = 8;
  facts.bytesPerSector = 512;
  facts.freeClusters = 1000000;   // 3906.25 MB
  facts.totalClusters = 3000000;  // 11718.75 MB: past 4 GB
  return facts;
}

TEST(DrivePanel, MeasuredDriveShowsItsTrueSizeAndClusterCounts) {
  LabelTexts texts = drivePanelTexts(ntfsDrive(), nullptr);
  EXPECT_EQ(texts[L"Label5"], L"Total Mbytes:            11718.75");
  EXPECT_EQ(texts[L"Label6"], L"Free Mbytes:             3906.25");
  EXPECT_EQ(texts[L"Label3"], L"Free Clusters:           1000000   ");
  EXPECT_EQ(texts[L"Label4"], L"Total Clusters:          3000000   ");
  EXPECT_EQ(texts[L"Label1"], L"Sectors/Cluster:        8");
  EXPECT_EQ(texts[L"Label2"], L"Bytes/Sector:            512  ");
  EXPECT_EQ(texts[L"Label11"], L"Fixed");
  EXPECT_EQ(texts[L"Label14"], L"DATA");
  EXPECT_EQ(texts[L"Label12"], L"NTFS");
  EXPECT_EQ(texts[L"Label25"], L"1A2B-3C4D");
  EXPECT_EQ(blankDrivePanel().size(), texts.size());  // every value label gets a text
}

TEST(DrivePanel, ListedDriveTakesSizesFromTheTableAndShowsOnlyNonZeroClusters) {
  DriveSlot slot{L'M', L"40000", L"12345", L"0", L"0070"};
  LabelTexts texts = drivePanelTexts(ntfsDrive(), &slot);
  EXPECT_EQ(texts[L"Label5"], L"Total Mbytes:            40000.00");
  EXPECT_EQ(texts[L"Label6"], L"Free Mbytes:             12345.00");
  EXPECT_EQ(texts[L"Label4"], L" ");
  EXPECT_EQ(texts[L"Label3"], L"Free Clusters:           70");
  EXPECT_EQ(texts[L"Label1"], L"Sectors/Cluster:        8");  // geometry is always the system's

  for (DriveSlot bad : {DriveSlot{L'M', L"4x", L"1", L"0", L"0"}, DriveSlot{L'M', L"10", L"nan", L"0", L"0"},
                      DriveSlot{L'M', L"1e9", L"1", L"0", L"0"}}) {
    EXPECT_EQ(drivePanelTexts(ntfsDrive(), &bad)[L"Label5"], L"Total Mbytes:            11718.75");
  }
}

TEST(DrivePanel, FailedQueriesShowZerosAndNoName) {
  LabelTexts texts = drivePanelTexts(VolumeFacts{}, nullptr);
  EXPECT_EQ(texts[L"Label14"], L"[None]");
  EXPECT_EQ(texts[L"Label12"], L"");
  EXPECT_EQ(texts[L"Label25"], L"0000-0000");
  EXPECT_EQ(texts[L"Label5"], L"Total Mbytes:            0.00");
  EXPECT_EQ(texts[L"Label11"], L"?");
  EXPECT_EQ(driveTypeName(7), L"Unknown");
}

TEST(DrivePanel, SerialKeepsLeadingZeros) {
  EXPECT_EQ(serialNumberText(0x000A00BC), L"000A-00BC");
  EXPECT_EQ(serialNumberText(0xFFFFFFFF), L"FFFF-FFFF");
}

TEST(DrivePanel, FlagsOnePerLabelAndVolumeCompressionWins) {
  VolumeFacts facts = ntfsDrive();
  facts.flags = 0x8010 | 0x1 | 0x4;
  LabelTexts texts = drivePanelTexts(facts, nullptr);
  EXPECT_EQ(texts[L"Label7"], L" ");
  EXPECT_EQ(texts[L"Label8"], L"FS_CASE_SENSITIVE");
  EXPECT_EQ(texts[L"Label9"], L"FS_UNICODE_STORED_ON_DISK");
  EXPECT_EQ(texts[L"Label10"], L" ");
  EXPECT_EQ(texts[L"Label29"], L"FS_VOL_IS_COMPRESSED");
  facts.flags = 0x10 | 0x2 | 0x8;
  texts = drivePanelTexts(facts, nullptr);
  EXPECT_EQ(texts[L"Label29"], L"FS_FILE_COMPRESSION");
  EXPECT_EQ(texts[L"Label7"], L"FS_CASE_IS_PRESERVED");
  EXPECT_EQ(texts[L"Label10"], L"FS_PERSISTENT_ACLS");
  facts.flags = 0;
  EXPECT_EQ(drivePanelTexts(facts, nullptr)[L"Label29"], L" ");
}

// The system's "page file" figures count physical memory too: 16 GB of memory and a 2 GB paging
// file are a commit limit of 18 GB. The panel shows the paging file alone.
TEST(MemoryFigures, ThePagingFileIsShownWithoutThePhysicalMemory) {
  const std::uint64_t gib = 1024ull * 1024 * 1024;
  // 6 GiB of memory, 1 GiB of it free; a 2 GiB paging file; 2.5 GiB of commit available.
  LabelTexts texts = memoryTexts({6 * gib + 1023, 8 * gib + 1023, 2 * gib + gib / 2, gib});
  EXPECT_EQ(texts[L"Label38"], L"6291456 KB");
  EXPECT_EQ(texts[L"Label32"], L"2097152 KB");
  EXPECT_EQ(texts[L"Label34"], L"524288 KB");
  EXPECT_EQ(texts[L"Label36"], L"25 %");

  EXPECT_EQ(memoryTexts({gib, gib, gib / 2, gib / 2})[L"Label32"], L"0 KB");  // no paging file
  EXPECT_EQ(memoryTexts({gib, gib, gib / 2, gib / 2})[L"Label36"], L"0 %");
  LabelTexts odd = memoryTexts({gib, 2 * gib, 3 * gib, 0});  // more available than the file: none in use
  EXPECT_EQ(odd[L"Label32"], L"1048576 KB");
  EXPECT_EQ(odd[L"Label34"], L"0 KB");
  EXPECT_EQ(odd[L"Label36"], L"0 %");
  EXPECT_EQ(swapUsagePercent(3, 1), 67u);
  EXPECT_EQ(swapUsagePercent(1ull << 63, 1ull << 61), 75u);
}

TEST(DriveTable, FindCompleteTakesTheLastSlotWithBothSizes) {
  Lines lines = {L"header", L"D:\\100|w0z0f", L"E:\\300|200w0z0f"};
  DriveTable table = DriveTable::read(lines, {L'C', L'D', L'E'});
  EXPECT_NE(table.find(L'D'), nullptr);
  EXPECT_EQ(table.findComplete(L'D'), nullptr);
  ASSERT_NE(table.findComplete(L'E'), nullptr);
  EXPECT_EQ(table.findComplete(L'E')->freeMB, L"200");
}

}  // namespace
}  // namespace kestova
