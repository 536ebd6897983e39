#include <gtest/gtest.h>

#include "core/control_id.h"
#include "core/hub_accounting.h"
#include "core/number_format.h"

namespace kestova {
namespace {

constexpr std::uint64_t kMB = 1048576;

TEST(CapacityLine, MegabytesBelowOneGigabyte) {
  HubAccounting hub;
  EXPECT_EQ(hub.capacityLine(500 * kMB, 200 * kMB), L"500.00 Mb Capacity. /     200.00 Mb Free.");
  EXPECT_FALSE(hub.unitGiga);
}

TEST(CapacityLine, GigabytesAboveAndTheUnitFlagStays) {
  HubAccounting hub;
  EXPECT_EQ(hub.capacityLine(40000 * kMB, 12345 * kMB), L"39.06 GB Capacity. /     12.06 GB Free.");
  EXPECT_TRUE(hub.unitGiga);
  hub.driveNumber = 4;
  hub.capacityLine(500 * kMB, 200 * kMB);
  EXPECT_TRUE(hub.unitGiga);
}

TEST(CapacityLine, ExactlyOneGigabyteIsStillMegabytes) {
  HubAccounting hub;
  EXPECT_EQ(hub.capacityLine(1024 * kMB, 1024 * kMB), L"1024.00 Mb Capacity. /     1024.00 Mb Free.");
}

TEST(CapacityLine, ZeroCapacityIsDiskNotFound) {
  HubAccounting hub;
  EXPECT_EQ(hub.capacityLine(0, 0), L"Disk not found    ");
  EXPECT_EQ(hub.baseline[3], 0);
}

TEST(CapacityLine, FirstDisplayFixesTheBaselineWhichOnlyGrows) {
  HubAccounting hub;
  hub.capacityLine(500 * kMB, 200 * kMB);
  EXPECT_EQ(hub.baseline[3], 200);
  hub.baseline[3] += 1.5;  // what a cleaner removed
  EXPECT_EQ(hub.capacityLine(500 * kMB, 100 * kMB), L"500.00 Mb Capacity. /     201.50 Mb Free.");
}

TEST(DriveNumbers, FollowTheTableAndRSWYKeepThePrevious) {
  EXPECT_EQ(driveNumberFor(L'A', 3), 1);
  EXPECT_EQ(driveNumberFor(L'c', 9), 3);
  EXPECT_EQ(driveNumberFor(L'Q', 3), 17);
  EXPECT_EQ(driveNumberFor(L'T', 3), 18);
  EXPECT_EQ(driveNumberFor(L'V', 3), 20);
  EXPECT_EQ(driveNumberFor(L'X', 3), 21);
  EXPECT_EQ(driveNumberFor(L'Z', 3), 22);
  for (wchar_t none : {L'R', L'S', L'W', L'Y'}) EXPECT_EQ(driveNumberFor(none, 14), 14);
}

TEST(RecoveredLine, ShowsMegabytesOfTheKilobyteTotal) {
  HubAccounting hub;
  EXPECT_EQ(hub.recoveredLine(), L"Disk Space Recovered:    0.00 Mb  ");
  hub.recoveredKB = 10;
  EXPECT_EQ(hub.recoveredLine(), L"Disk Space Recovered:    0.01 Mb  ");
  EXPECT_EQ(hub.recoveredLine(), hub.recoveredLine());
}

TEST(NumberFormats, FixedAndThousands) {
  EXPECT_EQ(formatFixed2(0), L"0.00");
  EXPECT_EQ(formatFixed2(2.005e3), L"2005.00");
  EXPECT_EQ(formatThousands2(5242880), L"5,242,880.00");
  EXPECT_EQ(formatThousands2(999.999), L"1,000.00");
  EXPECT_EQ(formatThousands2(12), L"12.00");
}

TEST(ControlIds, StableAndInTheCommandRange) {
  EXPECT_EQ(controlId(L"BB4"), controlId(L"BB4"));
  EXPECT_NE(controlId(L"BB4"), controlId(L"BB5"));
  EXPECT_GE(controlId(L"asg1"), 1000u);
  EXPECT_LT(controlId(L"asg1"), 61000u);
}

}  // namespace
}  // namespace kestova
