// Settings files are replaced whole or not at all: a write that fails leaves the old file byte for
// byte, one that succeeds leaves no temporary file behind.
#include <gtest/gtest.h>

#include <windows.h>

#include "harness/temp_folder.h"
#include "registry/cleaner_settings.h"
#include "win/error.h"
#include "win/text_file.h"

namespace kestova::test {
namespace {

// The temporary beside `path` cannot be written: a folder holds its name.
class BlockedReplacement {
 public:
  explicit BlockedReplacement(const std::wstring& path) : folder_(path + L".new") {
    EXPECT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  ~BlockedReplacement() { RemoveDirectoryW(folder_.c_str()); }

 private:
  std::wstring folder_;
};

TEST(SettingsWrite, AFailedLineFileWriteLeavesTheOldFileAndASuccessfulOneLeavesNoTemporary) {
  TempFolder folder;
  const std::string old = "line one\r\nc11\r\nl*0\r\n";
  const std::wstring path = folder.writeFile(L"config.TXT", old);
  {
    BlockedReplacement blocked(path);
    EXPECT_THROW(win::writeLines(path, {L"line one", L"c10"}), win::Error);
    EXPECT_EQ(fileBytes(path), old);
  }
  win::writeLines(path, {L"line one", L"c10", L"caf\u00E9"});
  EXPECT_EQ(fileBytes(path), "line one\r\nc10\r\ncaf\xE9\r\n");
  EXPECT_FALSE(fileExists(path + L".new"));

  // A leftover temporary of an earlier crash is written over, not read.
  folder.writeFile(L"config.TXT.new", "left over");
  win::writeLines(path, {L"x"});
  EXPECT_EQ(fileBytes(path), "x\r\n");
  EXPECT_FALSE(fileExists(path + L".new"));
}

TEST(SettingsWrite, TheCleanerSettingsFileIsReplacedWholeOrNotAtAll) {
  TempFolder folder;
  const std::string old = "[Other]\r\nkept=yes\r\n[Settings]\r\nPerPage=3\r\n";
  const std::wstring path = folder.writeFile(L"Kestova.INI", old);
  registry::CleanerSettings settings;
  settings.perPage = 1;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  placement.rcNormalPosition = {1, 2, 3, 4};
  {
    BlockedReplacement blocked(path);
    EXPECT_THROW(registry::writeCleanerSettings(path, settings, placement), win::Error);
    EXPECT_EQ(fileBytes(path), old);
  }
  registry::writeCleanerSettings(path, settings, placement);
  EXPECT_FALSE(fileExists(path + L".new"));
  EXPECT_EQ(registry::readCleanerSettings(path).perPage, 1);
  const std::string text = fileBytes(path);
  EXPECT_NE(text.find("kept=yes"), std::string::npos) << "other sections survive";
  EXPECT_NE(text.find("Right=3"), std::string::npos);
}

}  // namespace
}  // namespace kestova::test
