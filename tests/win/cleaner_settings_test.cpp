#include <gtest/gtest.h>

#include "harness/temp_folder.h"
#include "registry/cleaner_settings.h"

namespace kestova::test {
namespace {

using registry::CleanerSettings;

TEST(CleanerSettings, AFreshFileGivesTheDefaultsAndWritesThemBack) {
  TempFolder folder;
  std::wstring path = folder.path() + L"Kestova.INI";
  CleanerSettings settings = registry::readCleanerSettings(path);
  EXPECT_EQ(settings.activePage, 0);
  EXPECT_EQ(settings.perPage, 0);
  EXPECT_EQ(settings.maxRslt, 2);
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  placement.showCmd = SW_SHOWNORMAL;
  placement.rcNormalPosition = {10, 20, 770, 540};
  registry::writeCleanerSettings(path, settings, placement);
  std::string text = fileBytes(path);
  for (const char* line : {"[MainForm Settings]", "Left=10", "Top=20", "Right=770", "Bottom=540", "MinX=", "MaxY=",
                           "ShowCmd=1", "flags=0", "[Settings]", "ActivePage=0", "PerPage=0", "MaxRslt=2"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
}

TEST(CleanerSettings, ValuesOutOfRangeAreClamped) {
  TempFolder folder;
  std::wstring path =
      folder.writeFile(L"Kestova.INI", "[Settings]\r\nActivePage=5\r\nPerPage=9\r\nMaxRslt=-3\r\nButtons=1\r\n");
  CleanerSettings settings = registry::readCleanerSettings(path);
  EXPECT_EQ(settings.activePage, 1);
  EXPECT_EQ(settings.perPage, 4);
  EXPECT_EQ(settings.maxRslt, 0);
  EXPECT_EQ(settings.buttons, 1);
  folder.writeFile(L"Kestova.INI", "[Settings]\r\nActivePage=-2\r\nMaxRslt=7\r\n");
  settings = registry::readCleanerSettings(path);
  EXPECT_EQ(settings.activePage, 0);
  EXPECT_EQ(settings.maxRslt, 3);
}

}  // namespace
}  // namespace kestova::test
