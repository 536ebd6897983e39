// "Click all" driven from outside: Kestova.exe on a prepared drive presses every cleaner in turn;
// the person answers the closing messages and finds the junk and the temporary files gone.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <vector>

#include "harness/driver.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "harness/temp_folder.h"
#include "win/registry_key.h"

namespace kestova::test {
namespace {

// The browser's version for one test, put back afterwards. Below 7 no clearing command starts:
// Wine's own rundll32 fails on it with a crash dialog.
class BrowserVersion {
 public:
  explicit BrowserVersion(const std::wstring& version) {
    if (auto key = win::RegistryKey::open(HKEY_LOCAL_MACHINE, kKey)) saved_ = key->value(L"Version");
    set(REG_SZ, bytes(version));
  }
  ~BrowserVersion() {
    if (saved_) {
      set(saved_->type, saved_->data);
    } else if (auto key = win::RegistryKey::open(HKEY_LOCAL_MACHINE, kKey, KEY_SET_VALUE)) {
      key->deleteValue(L"Version");
    }
  }

 private:
  static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Internet Explorer";
  static std::vector<BYTE> bytes(const std::wstring& text) {
    auto* first = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(first, first + (text.size() + 1) * sizeof(wchar_t));
  }
  static void set(DWORD type, const std::vector<BYTE>& data) {
    win::RegistryKey::create(HKEY_LOCAL_MACHINE, kKey).setValue(L"Version", type, data);
  }
  std::optional<win::RegistryValue> saved_;
};

TEST(ClickAllEndToEnd, EveryCleanerRunsInTurnAndTheHubTakesInputAgain) {
  BrowserVersion version(L"6.0.2900.5512");
  MappedDrive drive;
  std::wstring root = drive.root();
  writeSizedFile(root + L"a\\junk.tmp", 1048576);
  writeSizedFile(root + L"Temp\\sub\\inner.txt", 1048576);
  writeSizedFile(root + L"b\\plain.txt", 100);

  Driver driver;
  DWORD pid = driver.processId(driver.start());
  HWND hub = driver.waitWindow(L"Kestova :  Free disk space", pid);
  ASSERT_NE(hub, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(hub) != FALSE; }, 5000));
  Driver::selectComboItem(Driver::control(hub, L"DCB1"), std::wstring(1, drive.letter()) + L":");

  HWND clickAll = Driver::control(hub, L"URLLabel2");
  Driver::click(clickAll);
  // Search's closing message, then Cache finds no browser on this drive. History takes the
  // prefix's own cache folder ("INetCache", on C:) for its browser.
  std::vector<std::wstring> shown;
  for (int i = 0; i < 2; ++i) {
    auto box = driver.waitMessageBox(pid, 60000);
    ASSERT_TRUE(box) << "after " << shown.size() << " messages";
    shown.push_back(box->text);
    EXPECT_FALSE(IsWindowEnabled(clickAll)) << "Click all is one action";
    Driver::answer(*box, IDOK);
  }
  EXPECT_EQ(shown[0], L"Found 1.01  MB in  1 unnecessary, temporary and error files. (click delete button to remove it)");
  std::wstring noBrowser = std::wstring(L"Cannot find Web Browser on disk:  ") + drive.letter();
  EXPECT_EQ(shown[1], noBrowser);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(clickAll) != FALSE; }, 60000));

  EXPECT_FALSE(fileExists(root + L"a\\junk.tmp"));
  EXPECT_FALSE(fileExists(root + L"Temp\\sub"));
  EXPECT_TRUE(fileExists(root + L"Temp"));
  EXPECT_TRUE(fileExists(root + L"b\\plain.txt"));
  // 1025 KB by Delete, 1024 KB and a little by the temporary folder.
  EXPECT_EQ(Driver::text(Driver::control(hub, L"Edit2")), L"Disk Space Recovered:    2.00 Mb  ");
  EXPECT_TRUE(IsWindowEnabled(Driver::control(hub, L"DCB1")));

  PostMessageW(hub, WM_CLOSE, 0, 0);
  EXPECT_TRUE(driver.waitExit(0, 10000));
}

}  // namespace
}  // namespace kestova::test
