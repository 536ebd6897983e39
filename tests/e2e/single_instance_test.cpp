#include <gtest/gtest.h>

#include "harness/driver.h"

namespace kestova::test {
namespace {

constexpr const wchar_t* kHubTitle = L"Kestova :  Free disk space";

TEST(SingleInstance, ASecondStartBringsTheRunningHubForwardAndEnds) {
  Driver driver;
  std::size_t first = driver.start();
  HWND hub = driver.waitWindow(kHubTitle, driver.processId(first));
  ASSERT_NE(hub, nullptr) << "the hub did not appear";
  ShowWindow(hub, SW_MINIMIZE);
  ASSERT_TRUE(waitUntil([&] { return IsIconic(hub) != FALSE; }, 5000));
  // Under Wine a restore that came right after the minimise was now and then not seen; a person
  // never starts the second copy that fast.
  Sleep(1000);

  std::size_t second = driver.start();
  auto code = driver.waitExit(second, 20000);
  ASSERT_TRUE(code.has_value()) << "the second start did not end";
  EXPECT_EQ(*code, 0u);
  EXPECT_FALSE(driver.waitExit(first, 0).has_value()) << "the running hub ended";
  EXPECT_EQ(Driver::topLevelWindows(L"Tfsweep", driver.processId(first)).size(), 1u);
  EXPECT_TRUE(Driver::topLevelWindows(L"Tfsweep", driver.processId(second)).empty());
  EXPECT_TRUE(waitUntil([&] { return IsIconic(hub) == FALSE; }, 10000)) << "the running hub was not restored";
}

TEST(SingleInstance, TheHubShowsItsControlsAndClosesOnItsCloseItem) {
  Driver driver;
  std::size_t run = driver.start();
  HWND hub = driver.waitWindow(kHubTitle, driver.processId(run));
  ASSERT_NE(hub, nullptr);
  auto controls = Driver::controls(hub);
  EXPECT_GT(controls.size(), 60u);
  EXPECT_EQ(Driver::text(Driver::control(hub, L"BitBtnWithColor5")), L"&Search");
  EXPECT_EQ(Driver::text(Driver::control(hub, L"Edit2")), L"Disk Space Recovered:    0.00 Mb  ");
  std::wstring capacity = Driver::text(Driver::control(hub, L"Edit1"));
  EXPECT_NE(capacity.find(L"Capacity. /"), std::wstring::npos);
  // Files beside the program, not in the folder it was started from.
  EXPECT_TRUE(fileExists(driver.programFolder() + L"Data.TXT"));
  Driver::chooseMenu(hub, L"Close1");
  EXPECT_TRUE(driver.waitExit(run, 20000).has_value());
}

}  // namespace
}  // namespace kestova::test
