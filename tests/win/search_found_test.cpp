// The invalid-reference test with the real file system and the log "rrr.TXT".
#include <gtest/gtest.h>

#include "harness/temp_folder.h"
#include "registry/SearchFound.h"
#include "win/error.h"

namespace kestova::registry {
namespace {

using test::TempFolder;

TSearchHit hit(const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  TSearchHit h;
  h.RootKey = HKEY_CURRENT_USER;
  h.Key = key;
  h.KeyPath = L"Software\\Vendor";
  h.ValueName = name;
  h.Data = data;
  h.DataMatchPos = 2;
  h.DataMatchLen = 2;
  return h;
}

// Each test works in a folder of its own, which is the current directory meanwhile.
class InvalidReference : public ::testing::Test {
 protected:
  InvalidReference() {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    SetCurrentDirectoryW(folder.path().c_str());
  }
  ~InvalidReference() override { SetCurrentDirectoryW(previous_); }
  std::string log() const { return test::fileBytes(folder.path() + L"rrr.TXT"); }

  TempFolder folder;
  TRegistryErrors errors;
  const std::wstring key = L"HKEY_CURRENT_USER\\software\\vendor";

 private:
  wchar_t previous_[MAX_PATH] = {};
};

TEST_F(InvalidReference, MissingFileBecomesErrorOneWithItsLogLine) {
  int recorded = 0;
  errors.OnRecorded = [&](const TResult& r) {
    ++recorded;
    EXPECT_EQ(r.Data, L"\"C:\\old\\gone.txt\"");
  };
  errors.SearchFound(hit(key, L"v", L"\"C:\\old\\gone.txt\""));
  ASSERT_EQ(errors.ErrorCount, 1);
  EXPECT_EQ(recorded, 1);
  EXPECT_EQ(log(), "Memo2\r\nC:\\old\\gone.txt\r\n");
  EXPECT_EQ(errors.FoundKeys, std::vector<std::wstring>{key});
  EXPECT_EQ(errors.FoundNames, std::vector<std::wstring>{L"v"});
  EXPECT_EQ(errors.FoundData, std::vector<std::wstring>{L"\"C:\\old\\gone.txt\""});  // D, not P
  EXPECT_EQ(errors.FoundPaths, std::vector<std::wstring>{L"Software\\Vendor"});
  ASSERT_EQ(errors.Results.size(), 1u);
  EXPECT_EQ(errors.Results[0].Key, key);
  EXPECT_EQ(errors.Results[0].DataMatchPos, 2);
}

TEST_F(InvalidReference, RejectedOrExistingPathsAreNoErrors) {
  const std::wstring recent = L"HKEY_CURRENT_USER\\software\\recent";  // lifts "Local" and "-" of the temp path
  const std::wstring file = folder.writeFile(L"here.txt", "x");
  CreateDirectoryW((folder.path() + L"sub").c_str(), nullptr);
  errors.SearchFound(hit(recent, L"f", file));
  errors.SearchFound(hit(recent, L"d", folder.path() + L"sub"));
  errors.SearchFound(hit(recent, L"t", folder.path() + L"sub\\"));
  errors.SearchFound(hit(key, L"r", L"D:\\old\\gone.txt"));
  errors.SearchFound(hit(key, L"n", L"\u2014\u2014"));
  EXPECT_EQ(errors.ErrorCount, 0);
  EXPECT_FALSE(test::fileExists(folder.path() + L"rrr.TXT"));
  errors.SearchFound(hit(recent, L"m", folder.path() + L"missing.txt"));
  EXPECT_EQ(errors.ErrorCount, 1);
}

TEST_F(InvalidReference, ExistenceTestKnowsFilesFoldersAndTheTrailingCharacter) {
  const std::wstring file = folder.writeFile(L"Mixed.Txt", "x");
  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(PathExists(folder.path()));  // a folder with its trailing backslash
  EXPECT_TRUE(PathExists(folder.path().substr(0, folder.path().size() - 1)));
  EXPECT_TRUE(PathExists(folder.path() + L"x"));  // the folder once the last character is gone
  EXPECT_FALSE(PathExists(folder.path() + L"Mixed.Tx"));
  EXPECT_FALSE(PathExists(folder.path() + L"bad?|name"));
}

TEST_F(InvalidReference, LogGrowsWithEachErrorAndIsRewrittenWhenChangedOutside) {
  errors.SearchFound(hit(key, L"1", L"C:\\old\\one.txt"));
  errors.SearchFound(hit(key, L"2", L"C:\\old\\two.txt"));
  EXPECT_EQ(log(), "Memo2\r\nC:\\old\\one.txt\r\nC:\\old\\two.txt\r\n");
  DeleteFileW((folder.path() + L"rrr.TXT").c_str());
  errors.Reset();  // a new search: the log lives on
  errors.SearchFound(hit(key, L"3", L"C:\\old\\three.txt"));
  EXPECT_EQ(log(), "Memo2\r\nC:\\old\\one.txt\r\nC:\\old\\two.txt\r\nC:\\old\\three.txt\r\n");
  EXPECT_EQ(errors.ErrorCount, 1);
  EXPECT_EQ(errors.FoundKeys.size(), 1u);
}

TEST_F(InvalidReference, UnwritableLogRecordsNothing) {
  ASSERT_TRUE(CreateDirectoryW((folder.path() + L"rrr.TXT").c_str(), nullptr));
  EXPECT_THROW(errors.SearchFound(hit(key, L"v", L"C:\\old\\gone.txt")), win::Error);
  EXPECT_EQ(errors.ErrorCount, 0);
  EXPECT_TRUE(errors.Results.empty());
  EXPECT_EQ(errors.InvalidPathLog, Lines{L"Memo2"});
}

}  // namespace
}  // namespace kestova::registry
