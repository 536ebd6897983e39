#include <gtest/gtest.h>

#include "harness/driver.h"
#include "core/text_codec.h"
#include "harness/test_keys.h"
#include "harness/temp_folder.h"

namespace kestova::test {
namespace {

constexpr const wchar_t* kHubTitle = L"Kestova :  Free disk space";
constexpr const wchar_t* kCleanerTitle = L"Kestova : Fix PC errors";

// Starts Kestova with `arguments` and opens the registry cleaner from the hub's label.
HWND openCleaner(Driver& driver, std::size_t& process, const std::wstring& arguments = {}) {
  process = driver.start(arguments);
  HWND hub = driver.waitWindow(kHubTitle, driver.processId(process));
  if (!hub) return nullptr;
  waitUntil([&] { return IsWindowEnabled(hub) != FALSE; }, 5000);
  Driver::click(Driver::control(hub, L"Label11"));
  return driver.waitWindow(kCleanerTitle, driver.processId(process));
}

TEST(RegistryCleanerE2E, SearchAndRepairRemoveTheValueAfterItsBackup) {
  std::wstring name = uniqueKeyName(L"E2E");
  TestKey key(HKEY_CURRENT_USER, L"Software\\" + name);
  key.setString(L"gone", L"C:\\kestovae2egone\\tool.exe");
  Driver driver;
  std::size_t process = 0;
  HWND cleaner = openCleaner(driver, process);
  ASSERT_NE(cleaner, nullptr);
  // Without "Extra" the repair deletes instead of searching the drive for the file.
  Driver::click(Driver::control(cleaner, L"CheckBox1"));
  // Searched for its own folder name only: the repair must not reach the values of tests that
  // run beside it in the same prefix.
  SendMessageW(Driver::control(cleaner, L"ebNow"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"kestovae2egone"));
  Driver::click(Driver::control(cleaner, L"sbSearchE"));
  HWND label = Driver::control(cleaner, L"lblSearch");
  ASSERT_TRUE(waitUntil([&] { return Driver::text(label).rfind(L"Found ", 0) == 0; }, 120000));
  HWND repair = Driver::control(cleaner, L"Button3");
  ASSERT_TRUE(IsWindowVisible(repair));
  Driver::click(repair);
  ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(repair) == FALSE; }, 120000));
  EXPECT_FALSE(key.value(L"gone").has_value()) << "the value was not removed";
  std::string backup = fileBytes(driver.programFolder() + L"deletedkeys.reg");
  EXPECT_EQ(backup.rfind("REGEDIT4\r\n", 0), 0u);
  std::string keyName(name.begin(), name.end());
  EXPECT_NE(backup.find(keyName), std::string::npos);
  EXPECT_NE(backup.find("\"gone\"="), std::string::npos);
  std::wstring cleaned = Driver::text(Driver::control(cleaner, L"Label1"));
  EXPECT_NE(cleaned.find(L" Registry Items Cleaned"), std::wstring::npos) << toCp1252(cleaned);
}

std::string rdz(const std::string& signature, char version) {
  return std::string("\x06", 1) + static_cast<char>(signature.size()) + signature + "\x02" + version +
         std::string("\x02\x01\x02\x02\x02\x00\x02\x00\x02\x00", 10);
}

struct SavedSearchCase {
  const char* name;
  std::string bytes;
  const wchar_t* message;  // nullptr: none
};

TEST(RegistryCleanerE2E, TheSavedSearchFileIsReadOnceAndABadOneLeavesTheWindowUsable) {
  const SavedSearchCase cases[] = {
      {"valid", rdz("RDZ", 3), nullptr},
      {"signature", rdz("RDX", 3), L"RDZ file corrupted (1)"},
      {"version 32", rdz("RDZ", 32), L"RDZ file corrupted (1)"},
      {"truncated", rdz("RDZ", 3).substr(0, 9), L"Stream read error"},
      {"length beyond the file", std::string("\x06\x03RDZ\x02\x01\x02\x00\x02\x00\x02\x01\x02\x00\x0C\xFF\xFF\xFF\x7F", 20),
       L"Stream read error"},
  };
  for (const auto& c : cases) {
    Driver driver;
    TempFolder folder;
    std::wstring file = folder.writeFile(L"saved.rdz", c.bytes);
    std::size_t process = 0;
    HWND cleaner = openCleaner(driver, process, L"\"" + file + L"\"");
    ASSERT_NE(cleaner, nullptr) << c.name;
    auto box = driver.waitMessageBox(driver.processId(process), c.message ? 20000 : 2000);
    if (c.message) {
      ASSERT_TRUE(box.has_value()) << c.name;
      EXPECT_EQ(box->text, c.message) << c.name;
      Driver::answer(*box, IDOK);
    } else {
      EXPECT_FALSE(box.has_value()) << c.name;
    }
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(Driver::control(cleaner, L"sbSearchE")) != FALSE; }, 5000))
        << c.name;
  }
}

}  // namespace
}  // namespace kestova::test
