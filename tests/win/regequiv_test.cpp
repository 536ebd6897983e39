// Key equivalents proved on the registry of the test prefix.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness/temp_folder.h"
#include "core/reg_data_text.h"
#include "core/text_codec.h"
#include "registry/rdfuncs.h"
#include "registry/regequiv.h"
#include "harness/test_keys.h"
#include "win/handles.h"

namespace kestova::registry {
namespace {

using test::TestKey;
using test::uniqueKeyName;

bool holds(const TKeyEquivalents& list, const std::wstring& entry) {
  return std::find(list.begin(), list.end(), entry) != list.end();
}

std::vector<std::wstring> subkeys(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  auto key = win::RegistryKey::open(root, path);
  if (!key) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = 256;
    if (RegEnumKeyExW(key->get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  return names;
}

TEST(KeyEquivalents, ClassesAndCurrentUserAreFoundAndNoProbeRemains) {
  std::wstring sid;
  ASSERT_EQ(CurrentUserSID(sid), 0);
  EXPECT_EQ(sid.rfind(L"S-1-5-21-", 0), 0u) << sid;
  EXPECT_TRUE(win::RegistryKey::open(HKEY_USERS, sid));
  EXPECT_EQ(CurrentUserKeyName(), sid);

  const auto classesBefore = subkeys(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes");
  const auto userBefore = subkeys(HKEY_USERS, sid);
  TKeyEquivalents list;
  const unsigned missing = BuildKeyEquivalents(list);
  EXPECT_TRUE(holds(list, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES"));
  EXPECT_TRUE(holds(list, L"HKEY_USERS\\" + sid));
  EXPECT_EQ(missing & 3u, 0u);
  EXPECT_EQ(subkeys(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes"), classesBefore);
  EXPECT_EQ(subkeys(HKEY_USERS, sid), userBefore);
}

TEST(KeyEquivalents, ProbeTellsEachOutcome) {
  EXPECT_EQ(ProbeKeyEquivalent(HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, L"Software\\Classes"), 0);
  EXPECT_EQ(ProbeKeyEquivalent(HKEY_CURRENT_USER, HKEY_USERS, L".Default"), 1);
  EXPECT_EQ(ProbeKeyEquivalent(HKEY_CURRENT_USER, HKEY_USERS, uniqueKeyName(L"Missing")), 3);
}

// A volatile key takes no lasting subkey, so the probe cannot write there and the statistics of
// both views decide.
TEST(KeyEquivalents, WithoutWriteAccessTheStatisticsDecide) {
  const std::wstring path = L"Software\\" + uniqueKeyName(L"Volatile");
  TestKey real(HKEY_CURRENT_USER, path, REG_OPTION_VOLATILE);
  real.setString(L"one", L"1");
  std::wstring sid;
  ASSERT_EQ(CurrentUserSID(sid), 0);
  auto sameKey = win::RegistryKey::open(HKEY_USERS, sid + L"\\" + path, KEY_READ);
  ASSERT_TRUE(sameKey);
  ASSERT_EQ(ProbeKeyEquivalent(sameKey->get(), HKEY_CURRENT_USER, path), 2);

  TKeyEquivalents list;
  EXPECT_TRUE(TestKeyEquivalent(list, L"HKEY_CURRENT_USER", path, HKEY_CURRENT_USER, sameKey->get()));
  EXPECT_EQ(list, TKeyEquivalents{L"HKEY_CURRENT_USER\\" + regsearch::upperAscii(path)});

  TestKey other(HKEY_CURRENT_USER, path + L"Other", REG_OPTION_VOLATILE);
  other.setString(L"one", L"1");
  other.setString(L"two", L"2");
  EXPECT_FALSE(TestKeyEquivalent(list, L"HKEY_CURRENT_USER", path, HKEY_CURRENT_USER, other.get()));
  EXPECT_EQ(list.size(), 1u);
  EXPECT_TRUE(KeyStatisticsEqual(HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, L"Software\\Classes"));
}

TEST(KeyEquivalents, HardwareProfileFollowsTheCurrentConfigNumber) {
  const std::wstring idConfig = L"System\\CurrentControlSet\\Control\\IDConfigDB";
  ASSERT_FALSE(win::RegistryKey::open(HKEY_LOCAL_MACHINE, idConfig)) << "the prefix has its own IDConfigDB";
  {
    TKeyEquivalents list;
    EXPECT_EQ(BuildKeyEquivalents(list) & 4u, 4u);
    EXPECT_EQ(list.size(), 2u);
  }
  TestKey config(HKEY_LOCAL_MACHINE, idConfig);
  config.setString(L"CurrentConfig", L"1");  // of the wrong type: no candidates
  {
    TKeyEquivalents list;
    EXPECT_EQ(BuildKeyEquivalents(list) & 4u, 4u);
  }
  config.set(L"CurrentConfig", REG_DWORD, {1, 0, 0, 0});
  TKeyEquivalents list;
  EXPECT_EQ(BuildKeyEquivalents(list) & 4u, 0u);
  EXPECT_TRUE(holds(list, L"HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\HARDWARE PROFILES\\CURRENT"));
}

// Runs in a second process of this program that Wine starts as Windows 98 (see below).
TEST(KeyEquivalents, NinetyEightBranchReadsTheCurrentUserValue) {
  if (GetEnvironmentVariableW(L"KESTOVA_WIN98_CHILD", nullptr, 0) == 0) GTEST_SKIP() << "run by the test below";
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExW(&info));
  ASSERT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
  EXPECT_EQ(CurrentUserKeyName(), L"KestovaNobody");
  // That name is no alias; trying every subkey of HKEY_USERS finds the real one.
  TKeyEquivalents list;
  BuildKeyEquivalents(list);
  EXPECT_TRUE(holds(list, L"HKEY_USERS\\S-1-5-21-0-0-0-1000"));
  // Tells the parent that these checks ran here.
  win::RegistryKey::create(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\win_tests.exe").setDword(L"ChildRan", 1);
}

TEST(KeyEquivalents, NinetyEightBranchUnderWineWin98Mode) {
  const std::wstring appDefaults = L"Software\\Wine\\AppDefaults\\win_tests.exe";
  ASSERT_FALSE(win::RegistryKey::open(HKEY_CURRENT_USER, appDefaults));
  TestKey mode(HKEY_CURRENT_USER, appDefaults);
  mode.setString(L"Version", L"win98");
  auto control = win::RegistryKey::open(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control", KEY_ALL_ACCESS);
  ASSERT_TRUE(control);
  control->setValue(L"Current User", REG_SZ, test::utf16Bytes(L"KestovaNobody"));

  // A copy on drive C: (the build tree lies on no drive), under the same name.
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring exe = module;
  if (exe.rfind(L"unix\\", 0) == 0) exe = L"\\\\?\\" + exe;  // Wine leaves out the prefix of such paths
  test::TempFolder folder;
  const std::wstring copy = folder.path() + L"win_tests.exe";
  ASSERT_TRUE(CopyFileW(exe.c_str(), copy.c_str(), FALSE)) << toCp1252(exe);
  std::wstring command = L"\"" + copy + L"\" --gtest_filter=KeyEquivalents.NinetyEightBranchReads*";
  SetEnvironmentVariableW(L"KESTOVA_WIN98_CHILD", L"1");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                      &process);
  SetEnvironmentVariableW(L"KESTOVA_WIN98_CHILD", nullptr);
  DWORD exitCode = 1;
  if (started) {
    win::Handle processHandle(process.hProcess), threadHandle(process.hThread);
    WaitForSingleObject(processHandle.get(), 120000);
    GetExitCodeProcess(processHandle.get(), &exitCode);
  }
  control->deleteValue(L"Current User");
  ASSERT_TRUE(started);
  EXPECT_EQ(exitCode, 0u) << "the test in the Windows 98 process failed";
  EXPECT_TRUE(mode.value(L"ChildRan")) << "the Windows 98 process did not run its checks";
}

TEST(RegistryCleanerStart, BuildsTheListAndNamesTheSettingsFileAfterTheProgram) {
  InitializeRegistryCleaner();
  EXPECT_TRUE(holds(KeyEquivalents(), L"HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES"));
  const std::wstring& ini = SettingsFilePath();
  ASSERT_GT(ini.size(), 14u);
  EXPECT_EQ(ini.substr(ini.size() - 14), L"\\win_tests.INI");
}

}  // namespace
}  // namespace kestova::registry
