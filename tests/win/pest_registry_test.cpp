#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "harness/scripted_dialogs.h"
#include "harness/temp_folder.h"
#include "harness/test_keys.h"
#include "spyware/pest_passes.h"
#include "spyware/pest_registry.h"
#include "win/program_folder.h"
#include "win/system_bitness.h"

namespace kestova::test {
namespace {

using namespace spyware;

constexpr const wchar_t* kIdA = L"{0A0A0A0A-1111-2222-3333-444455556666}";
constexpr const wchar_t* kIdB = L"{0B0B0B0B-1111-2222-3333-444455556666}";

std::optional<DWORD> dword(HKEY hive, const std::wstring& path, const std::wstring& name, REGSAM view = 0) {
  auto key = win::RegistryKey::open(hive, path, KEY_READ | view);
  if (!key) return std::nullopt;
  auto value = key->value(name);
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  return *reinterpret_cast<const DWORD*>(value->data.data());
}

bool keyExists(HKEY hive, const std::wstring& path, REGSAM view = 0) {
  return win::RegistryKey::open(hive, path, KEY_READ | view).has_value();
}

std::vector<BYTE> dwordBytes(DWORD v) {
  return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 24)};
}

// Three roots below a test key of the current user; none exists until Block makes them.
class PestRegistry : public ::testing::Test {
 protected:
  PestRegistry()
      : base(HKEY_CURRENT_USER, L"Software\\" + uniqueKeyName(L"Pests")),
        roots{{HKEY_CURRENT_USER, base.path() + L"\\MachineP3P"},
              {HKEY_CURRENT_USER, base.path() + L"\\UserP3P"},
              {HKEY_CURRENT_USER, base.path() + L"\\ActiveX"}} {
    win::setProgramFolder(folder.path());
  }
  ~PestRegistry() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);
  }
  std::wstring item(const RegistryPlace& root, const std::wstring& key) const { return root.path + L"\\" + key; }
  void list(const wchar_t* name, const std::string& bytes) const { folder.writeFile(name, bytes); }

  TestKey base;
  BlockRoots roots;
  TempFolder folder;
  ScriptedDialogsScope dialogs;
};

TEST_F(PestRegistry, RootsMadeByBlockGetTheBlockedValuesOnlyWhenOneWasCreated) {
  PrepareBlockRoots(roots);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.machineP3P.path, L""), 5u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.userP3P.path, L""), 5u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.activeX.path, L"Compatibility Flags"), 1024u);

  win::RegistryKey::open(HKEY_CURRENT_USER, roots.activeX.path, KEY_WRITE)->setDword(L"Compatibility Flags", 7);
  PrepareBlockRoots(roots);  // all three found: nothing written
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.activeX.path, L"Compatibility Flags"), 7u);

  ResetBlockRoots(roots, true, true);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.machineP3P.path, L""), 1u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.userP3P.path, L""), 1u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.activeX.path, L"Compatibility Flags"), 0u);
}

TEST_F(PestRegistry, BlockWritesExactlyTheKillFlagAndCookiesInBothHives) {
  PrepareBlockRoots(roots);
  TestKey existing(HKEY_CURRENT_USER, item(roots.activeX, kIdA));
  existing.set(L"Compatibility Flags", REG_DWORD, dwordBytes(1025));
  EXPECT_FALSE(IsPestProtected(PestKind::ActiveX, kIdA, roots));

  EXPECT_TRUE(BlockPest(PestKind::ActiveX, kIdA, roots));
  EXPECT_TRUE(BlockPest(PestKind::ActiveX, kIdB, roots));
  EXPECT_TRUE(BlockPest(PestKind::Cookie, L"ads.example.com", roots));

  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdA), L"Compatibility Flags"), 1024u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdB), L"Compatibility Flags"), 1024u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.machineP3P, L"ads.example.com"), L""), 5u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.userP3P, L"ads.example.com"), L""), 5u);
  EXPECT_TRUE(IsPestProtected(PestKind::ActiveX, kIdA, roots));
  EXPECT_TRUE(IsPestProtected(PestKind::Cookie, L"ads.example.com", roots));
}

TEST_F(PestRegistry, ProtectedTestReadsOnlyAnExactDwordOfTheMachineHive) {
  PrepareBlockRoots(roots);
  TestKey lower(HKEY_CURRENT_USER, item(roots.activeX, kIdA));
  lower.set(L"compatibility flags", REG_DWORD, dwordBytes(1024));  // the registry ignores case
  EXPECT_TRUE(IsPestProtected(PestKind::ActiveX, kIdA, roots));
  TestKey text(HKEY_CURRENT_USER, item(roots.activeX, kIdB));
  text.setString(L"Compatibility Flags", L"1024");
  EXPECT_FALSE(IsPestProtected(PestKind::ActiveX, kIdB, roots));
  TestKey userOnly(HKEY_CURRENT_USER, item(roots.userP3P, L"only.user.com"));
  userOnly.set(L"", REG_DWORD, dwordBytes(5));
  EXPECT_FALSE(IsPestProtected(PestKind::Cookie, L"only.user.com", roots));
  EXPECT_FALSE(IsPestProtected(PestKind::ActiveX, L"{missing}", roots));
}

TEST_F(PestRegistry, UnblockRemovesOnlyWhatBlockWrote) {
  PrepareBlockRoots(roots);
  ASSERT_TRUE(BlockPest(PestKind::ActiveX, kIdA, roots));
  ASSERT_TRUE(BlockPest(PestKind::ActiveX, kIdB, roots));
  ASSERT_TRUE(BlockPest(PestKind::Cookie, L"ads.example.com", roots));
  win::RegistryKey::open(HKEY_CURRENT_USER, item(roots.activeX, kIdB), KEY_WRITE)->setDword(L"Other", 3);

  EXPECT_TRUE(UnblockPest(PestKind::ActiveX, kIdA, roots));
  EXPECT_FALSE(UnblockPest(PestKind::ActiveX, kIdA, roots));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, item(roots.activeX, kIdA)));
  EXPECT_TRUE(UnblockPest(PestKind::ActiveX, kIdB, roots));
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdB), L"Other"), 3u);
  EXPECT_FALSE(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdB), L"Compatibility Flags"));

  EXPECT_TRUE(UnblockPest(PestKind::Cookie, L"ads.example.com", roots));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, item(roots.machineP3P, L"ads.example.com")));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, item(roots.userP3P, L"ads.example.com")));
  EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, roots.userP3P.path));
}

// The 32-bit and the 64-bit browser of 64-bit Windows read HKLM\Software from different views.
TEST_F(PestRegistry, On64BitWindowsTheMachineKeysAreKeptInBothRegistryViews) {
  if (!win::isWindows64() || sizeof(void*) != 8) {
    GTEST_SKIP() << "needs the 64-bit program on 64-bit Windows, which sees the 32-bit view as Wow6432Node";
  }
  const std::wstring name = uniqueKeyName(L"PestViews");
  TestKey view64(HKEY_LOCAL_MACHINE, L"Software\\" + name);
  TestKey view32(HKEY_LOCAL_MACHINE, L"Software\\Wow6432Node\\" + name);
  BlockRoots machine = roots;
  machine.machineP3P = {HKEY_LOCAL_MACHINE, view64.path() + L"\\P3P"};
  machine.activeX = {HKEY_LOCAL_MACHINE, view64.path() + L"\\ActiveX"};
  const std::wstring flag = L"Compatibility Flags";
  const REGSAM views[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

  PrepareBlockRoots(machine);
  ASSERT_TRUE(BlockPest(PestKind::ActiveX, kIdA, machine));
  ASSERT_TRUE(BlockPest(PestKind::Cookie, L"ads.example.com", machine));
  for (REGSAM view : views) {
    EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, machine.activeX.path, flag, view), 1024u) << view;
    EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, item(machine.activeX, kIdA), flag, view), 1024u) << view;
    EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, item(machine.machineP3P, L"ads.example.com"), L"", view), 5u) << view;
  }
  EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, L"Software\\Wow6432Node\\" + name + L"\\ActiveX\\" + kIdA, flag), 1024u);
  EXPECT_TRUE(IsPestProtected(PestKind::ActiveX, kIdA, machine));

  // Without the flag in one view, the browser of that view runs the control.
  win::RegistryKey::open(HKEY_LOCAL_MACHINE, item(machine.activeX, kIdA), KEY_WRITE | KEY_WOW64_32KEY)
      ->deleteValue(flag);
  EXPECT_FALSE(IsPestProtected(PestKind::ActiveX, kIdA, machine));
  ASSERT_TRUE(BlockPest(PestKind::ActiveX, kIdA, machine));
  EXPECT_TRUE(IsPestProtected(PestKind::ActiveX, kIdA, machine));

  EXPECT_TRUE(UnblockPest(PestKind::ActiveX, kIdA, machine));
  EXPECT_TRUE(UnblockPest(PestKind::Cookie, L"ads.example.com", machine));
  for (REGSAM view : views) {
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, item(machine.activeX, kIdA), view)) << view;
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, item(machine.machineP3P, L"ads.example.com"), view)) << view;
  }
}

// Unblock marks a root "nothing blocked" only when it took something from below it: a press with
// nothing blocked leaves a root as the administrator set it.
TEST_F(PestRegistry, UnblockResetsOnlyTheRootsItRemovedSomethingBelow) {
  PrepareBlockRoots(roots);
  list(L"SPY.TXT", "{0A0A0A0A-1111-2222-3333-444455556666}  A\r\n");
  list(L"SPY2.TXT", "ads.example.com\r\n");
  ASSERT_TRUE(BlockPest(PestKind::Cookie, L"ads.example.com", roots));

  EXPECT_EQ(unblockAll(roots), 1);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.activeX.path, L"Compatibility Flags"), 1024u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.machineP3P.path, L""), 1u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.userP3P.path, L""), 1u);

  win::RegistryKey::open(HKEY_CURRENT_USER, roots.userP3P.path, KEY_WRITE)->setDword(L"", 5);
  EXPECT_EQ(unblockAll(roots), 0);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.userP3P.path, L""), 5u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.activeX.path, L"Compatibility Flags"), 1024u);
}

// A control Microsoft or an administrator killed stays killed, and a value with other flags gets
// them back: Unblock gives back exactly what Block found, even after a restart (the record is a
// file beside the program).
TEST_F(PestRegistry, UnblockGivesBackExactlyWhatBlockFoundAndLeavesEarlierKillFlags) {
  constexpr const wchar_t* kIdC = L"{0C0C0C0C-1111-2222-3333-444455556666}";
  PrepareBlockRoots(roots);
  list(L"SPY.TXT",
       "{0A0A0A0A-1111-2222-3333-444455556666}  Killed before\r\n"
       "{0B0B0B0B-1111-2222-3333-444455556666}  Other flags\r\n"
       "{0C0C0C0C-1111-2222-3333-444455556666}  New\r\n");
  list(L"SPY2.TXT", "");
  TestKey killed(HKEY_CURRENT_USER, item(roots.activeX, kIdA));
  killed.set(L"Compatibility Flags", REG_DWORD, dwordBytes(0x400));
  killed.setString(L"Note", L"set by the administrator");
  TestKey flagged(HKEY_CURRENT_USER, item(roots.activeX, kIdB));
  flagged.set(L"Compatibility Flags", REG_DWORD, dwordBytes(0x401));

  EXPECT_EQ(blockAll(nullptr, roots), 3);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdB), L"Compatibility Flags"), 0x400u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdC), L"Compatibility Flags"), 0x400u);
  EXPECT_TRUE(fileExists(folder.path() + L"spyblock.TXT"));

  EXPECT_EQ(unblockAll(roots), 2);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdA), L"Compatibility Flags"), 0x400u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdB), L"Compatibility Flags"), 0x401u);
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, item(roots.activeX, kIdC)));
  // Both pressed again: the same end, and nothing Block did not change is touched.
  EXPECT_EQ(blockAll(nullptr, roots), 3);
  EXPECT_EQ(unblockAll(roots), 2);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdA), L"Compatibility Flags"), 0x400u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdB), L"Compatibility Flags"), 0x401u);
  EXPECT_TRUE(killed.value(L"Note").has_value());
}

TEST_F(PestRegistry, KeysThatWouldLeaveTheirRootAreNeverTouched) {
  PrepareBlockRoots(roots);
  for (const wchar_t* key : {L"\\", L"..\\Run", L"a\tb"}) {
    EXPECT_FALSE(BlockPest(PestKind::Cookie, key, roots)) << key;
    EXPECT_FALSE(UnblockPest(PestKind::Cookie, key, roots)) << key;
    EXPECT_FALSE(IsPestProtected(PestKind::Cookie, key, roots)) << key;
  }
  EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, roots.userP3P.path));
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.userP3P.path, L""), 5u);

  // A list line "\" is skipped and not counted; the root keeps its value and its items.
  list(L"SPY.TXT", std::string("{0A0A0A0A-1111-2222-3333-444455556666}  A\r\n"));
  list(L"SPY2.TXT", "\\\r\nads.example.com\r\n");
  EXPECT_EQ(blockAll(nullptr, roots), 2);
  EXPECT_EQ(unblockAll(roots), 2);
  EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, roots.userP3P.path));
  EXPECT_EQ(dword(HKEY_CURRENT_USER, roots.userP3P.path, L""), 1u);
}

TEST_F(PestRegistry, WithoutTheMachineCookieRootEachCookieFileIsAnnouncedAndSkipped) {
  // Wine refuses a lasting key below a volatile one: the machine P3P root can never exist.
  TestKey volatileKey(HKEY_CURRENT_USER, base.path() + L"\\Volatile", REG_OPTION_VOLATILE);
  roots.machineP3P.path = volatileKey.path() + L"\\P3P";
  list(L"SPY.TXT", "{0A0A0A0A-1111-2222-3333-444455556666}  A\r\n");
  list(L"SPY2.TXT", "ads.example.com\r\n");
  list(L"SPY3.TXT", "{0B0B0B0B-1111-2222-3333-444455556666}  B\r\n");
  list(L"SPY4.TXT", "track.example.com\r\n");

  EXPECT_EQ(blockAll(nullptr, roots), 2);

  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[0].text, kIe6Message);
  EXPECT_EQ(dialogs->messages[1].text, kIe6Message);
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, roots.machineP3P.path));
  EXPECT_TRUE(IsPestProtected(PestKind::ActiveX, kIdA, roots));
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(roots.activeX, kIdB), L"Compatibility Flags"), 1024u);
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, item(roots.userP3P, L"ads.example.com")));
}

// The prefix's own roots, saved and given back whole.
class RealRoots : public PestRegistry {
 protected:
  RealRoots() {
    const BlockRoots& real = defaultBlockRoots();
    const RegistryPlace* places[] = {&real.machineP3P, &real.userP3P, &real.activeX};
    for (int i = 0; i < 3; ++i) {
      saved[i] = {places[i]->hive, places[i]->path, keyExists(places[i]->hive, places[i]->path)};
      std::wstring copy = base.path() + L"\\Saved" + std::to_wstring(i);
      if (saved[i].existed) {
        auto source = win::RegistryKey::open(places[i]->hive, places[i]->path);
        auto target = win::RegistryKey::create(HKEY_CURRENT_USER, copy, KEY_ALL_ACCESS);
        SHCopyKeyW(source->get(), nullptr, target.get(), 0);
      }
    }
  }
  ~RealRoots() override {
    for (int i = 0; i < 3; ++i) {
      SHDeleteKeyW(saved[i].hive, saved[i].path.c_str());
      if (!saved[i].existed) continue;
      auto source = win::RegistryKey::open(HKEY_CURRENT_USER, base.path() + L"\\Saved" + std::to_wstring(i));
      auto target = win::RegistryKey::create(saved[i].hive, saved[i].path, KEY_ALL_ACCESS);
      SHCopyKeyW(source->get(), nullptr, target.get(), 0);
    }
  }
  struct Saved {
    HKEY hive;
    std::wstring path;
    bool existed;
  } saved[3];
};

TEST_F(RealRoots, BlockAndUnblockOnThePrefixRegistry) {
  const BlockRoots& real = defaultBlockRoots();
  list(L"SPY.TXT", "{0A0A0A0A-1111-2222-3333-444455556666}  A\r\n");
  list(L"SPY2.TXT", "ads.kestova-test.example\r\n");

  EXPECT_EQ(blockAll(nullptr), 2);
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, item(real.activeX, kIdA), L"Compatibility Flags"), 1024u);
  EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, item(real.machineP3P, L"ads.kestova-test.example"), L""), 5u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, item(real.userP3P, L"ads.kestova-test.example"), L""), 5u);
  EXPECT_TRUE(IsPestProtected(PestKind::Cookie, L"ads.kestova-test.example"));

  EXPECT_EQ(unblockAll(), 2);
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, item(real.activeX, kIdA)));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, item(real.userP3P, L"ads.kestova-test.example")));
  EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, real.activeX.path, L"Compatibility Flags"), 0u);
  EXPECT_EQ(dword(HKEY_LOCAL_MACHINE, real.machineP3P.path, L""), 1u);
  EXPECT_EQ(dword(HKEY_CURRENT_USER, real.userP3P.path, L""), 1u);
}

}  // namespace
}  // namespace kestova::test
