// Repair and restore against the real registry, files and drives of the test prefix. Only the
// hits below the test's own key are handed to the invalid-reference test, so nothing else of the
// prefix is repaired.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/reg_data_text.h"
#include "core/text_codec.h"
#include "harness/mapped_drive.h"
#include "harness/scripted_dialogs.h"
#include "harness/temp_folder.h"
#include "registry/repair.h"
#include "registry/reg_import.h"
#include "registry/restore.h"
#include "harness/test_keys.h"
#include "win/error.h"
#include "win/handles.h"
#include "win/system_bitness.h"

namespace kestova::registry {
namespace {

using test::TempFolder;
using test::TestKey;
using test::utf16Bytes;

using Snapshot = std::map<std::wstring, win::RegistryValue>;

Snapshot snapshot(HKEY key) {
  Snapshot values;
  wchar_t name[512];
  for (DWORD i = 0;; ++i) {
    DWORD len = 512;
    if (RegEnumValueW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::wstring n(name, len);
    values[n] = *win::RegistryKey::open(key, L"")->value(n);
  }
  return values;
}

void expectSame(const Snapshot& expected, const Snapshot& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (const auto& [name, value] : expected) {
    auto found = actual.find(name);
    ASSERT_NE(found, actual.end()) << "missing value";
    EXPECT_EQ(found->second.type, value.type);
    EXPECT_EQ(found->second.data, value.data);
  }
}

std::vector<BYTE> ansiBytes(const char* text, bool terminated) {
  std::vector<BYTE> bytes(text, text + strlen(text));
  if (terminated) bytes.push_back(0);
  return bytes;
}

class Repair : public ::testing::Test {
 protected:
  Repair() {
    if (KeyEquivalents().empty()) InitializeKeyEquivalents();
    GetCurrentDirectoryW(MAX_PATH, previous_);
    SetCurrentDirectoryW(folder.path().c_str());  // where "rrr.TXT" goes
  }
  ~Repair() override { SetCurrentDirectoryW(previous_); }

  // Searches the whole registry for ":\" and tests the hits below the test key.
  void search() {
    const std::wstring prefix = L"HKEY_CURRENT_USER\\" + regsearch::lowerAscii(key.path());
    TSearchThread thread(L":\\", {}, [&](const TSearchHit& hit) {
      if (hit.Key.compare(0, prefix.size(), prefix) == 0) errors.SearchFound(hit);
    }, 0, false);
    thread.Start();
    thread.WaitFor();
    ASSERT_EQ(thread.Status(), TSearchThread::Finished);
  }
  std::string backup() const { return test::fileBytes(backupPath); }

  TempFolder folder;
  TestKey key{HKEY_CURRENT_USER, L"Software\\" + test::uniqueKeyName(L"Repair")};
  TRegistryErrors errors;
  const std::wstring backupPath = folder.path() + L"deletedkeys.reg";
  test::ScriptedDialogsScope dialogs;

 private:
  wchar_t previous_[MAX_PATH] = {};
};

bool runRegedit(const std::wstring& file) {
  std::wstring command = L"regedit.exe /s \"" + file + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  win::Handle processHandle(process.hProcess), threadHandle(process.hThread);
  DWORD code = 1;
  return WaitForSingleObject(processHandle.get(), 60000) == WAIT_OBJECT_0 &&
         GetExitCodeProcess(processHandle.get(), &code) && code == 0;
}

TEST_F(Repair, EveryValueTypeComesBackWithTheRegistryEditorAndWithTheOwnImport) {
  key.setString(L"", L"C:\\kestovagone\\default.txt");
  key.setString(L"quo\"te\\name \u00e9", L"\"C:\\kestovagone\\caf\u00e9.txt\"");
  key.setString(L"high", L"C:\\kestovagone\\\u00ff\u20ac\u00fc.txt");
  key.setString(L"expand", L"C:\\kestovagone\\expand.txt", REG_EXPAND_SZ);
  key.set(L"multi", REG_MULTI_SZ, utf16Bytes(std::wstring(L"C:\\kestovagone\\multi.txt\0second\0", 32)));
  key.set(L"binary", REG_BINARY, ansiBytes("C:\\kestovagone\\binary.bin", false));
  key.set(L"long dword", REG_DWORD, ansiBytes("C:\\kestovagone\\dword.txt", true));
  key.set(L"qword", REG_QWORD, ansiBytes("C:\\kestovagone\\qword.txt", true));
  key.set(L"number", REG_DWORD, {1, 2, 3, 4});
  const Snapshot before = snapshot(key.get());

  search();
  ASSERT_EQ(errors.ErrorCount, 8) << testing::PrintToString(errors.FoundNames);
  RepairResult first = RepairErrors(errors, false, backupPath, {});
  EXPECT_EQ(first.cleaned, 8);
  EXPECT_EQ(first.cleanedText, L"8 Registry Items Cleaned");
  EXPECT_TRUE(first.fixedText.empty());
  const Snapshot repaired = snapshot(key.get());
  ASSERT_EQ(repaired.size(), 1u);
  EXPECT_EQ(repaired.begin()->first, L"number");

  const std::string file = backup();
  EXPECT_EQ(file.substr(0, 13), "REGEDIT4\r\n \r\n");
  EXPECT_EQ(file.substr(file.size() - 3), " \r\n");
  const std::string keyLine = "[HKEY_CURRENT_USER\\" + toCp1252(key.path()) + "]\r\n";
  std::size_t keyLines = 0;
  for (std::size_t at = file.find(keyLine); at != std::string::npos; at = file.find(keyLine, at + 1)) ++keyLines;
  EXPECT_EQ(keyLines, 8u);  // one per error, even under one key
  EXPECT_NE(file.find("\"quo\\\"te\\\\name \xE9\"=\"\\\"C:\\\\kestovagone\\\\caf\xE9.txt\\\"\""), std::string::npos);
  EXPECT_NE(file.find("\"\"=\"C:\\\\kestovagone\\\\default.txt\""), std::string::npos);

  ASSERT_TRUE(runRegedit(backupPath));
  expectSame(before, snapshot(key.get()));

  RepairResult second = RepairErrors(errors, false, backupPath, {});
  EXPECT_EQ(second.cleaned, 8);
  ASSERT_EQ(snapshot(key.get()).size(), 1u);
  ASSERT_FALSE(ShellOpensRegFiles()) << "this prefix has a program for .reg files: the own import is not reached";
  dialogs->answers.push_back(IDYES);
  RestoreBackup(nullptr, backupPath);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"This will restore all keys deleted to Windows Registry, are you sure?");
  EXPECT_EQ(dialogs->messages[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  expectSame(before, snapshot(key.get()));
}

std::set<std::wstring> valueNames(const std::wstring& path, REGSAM view) {
  std::set<std::wstring> names;
  auto key = win::RegistryKey::open(HKEY_LOCAL_MACHINE, path, KEY_READ | view);
  if (!key) return names;
  for (const auto& [name, value] : snapshot(key->get())) names.insert(name);
  return names;
}

// The 64-bit view shows the keys of 32-bit programs as Wow6432Node: a dead path there is found,
// backed up under that name and given back into the 32-bit view, by the registry editor and by
// the own import alike, and a value of the 64-bit view stays in its own.
TEST_F(Repair, On64BitWindowsEachValueComesBackIntoTheRegistryViewItCameFrom) {
  if (!win::isWindows64() || sizeof(void*) != 8) {
    GTEST_SKIP() << "needs the 64-bit program on 64-bit Windows, which sees the 32-bit view as Wow6432Node";
  }
  const std::wstring name = test::uniqueKeyName(L"Views");
  TestKey view64(HKEY_LOCAL_MACHINE, L"Software\\" + name);
  TestKey view32(HKEY_LOCAL_MACHINE, L"Software\\Wow6432Node\\" + name);
  view64.setString(L"app64", L"C:\\kestovagone\\app64.exe");
  view32.setString(L"app32", L"C:\\kestovagone\\app32.exe");
  const std::wstring path = L"Software\\" + name;
  const std::set<std::wstring> only64 = {L"app64"}, only32 = {L"app32"};
  ASSERT_EQ(valueNames(path, KEY_WOW64_32KEY), only32);

  const std::wstring prefix = L"HKEY_LOCAL_MACHINE\\software\\";
  const std::wstring mine = regsearch::lowerAscii(name);
  TSearchThread thread(L":\\", {}, [&](const TSearchHit& hit) {
    if (hit.Key == prefix + mine || hit.Key == prefix + L"wow6432node\\" + mine) errors.SearchFound(hit);
  }, 0, false);
  thread.Start();
  thread.WaitFor();
  ASSERT_EQ(errors.ErrorCount, 2) << testing::PrintToString(errors.FoundKeys);

  auto repairAll = [&] {
    ASSERT_EQ(RepairErrors(errors, false, backupPath, {}).cleaned, 2);
    EXPECT_TRUE(valueNames(path, KEY_WOW64_64KEY).empty());
    EXPECT_TRUE(valueNames(path, KEY_WOW64_32KEY).empty());
  };
  repairAll();
  std::string file = backup();
  std::transform(file.begin(), file.end(), file.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  EXPECT_NE(file.find("[hkey_local_machine\\software\\wow6432node\\" + toCp1252(mine) + "]\r\n\"app32\""),
            std::string::npos);
  ASSERT_TRUE(runRegedit(backupPath));
  EXPECT_EQ(valueNames(path, KEY_WOW64_64KEY), only64);
  EXPECT_EQ(valueNames(path, KEY_WOW64_32KEY), only32);

  repairAll();
  ImportRegFile(backupPath);
  EXPECT_EQ(valueNames(path, KEY_WOW64_64KEY), only64);
  EXPECT_EQ(valueNames(path, KEY_WOW64_32KEY), only32);
}

// With a program for ".reg" files (here the registry editor, registered for the test) the
// restore hands the backup to the shell.
TEST_F(Repair, RestoreGoesThroughTheShellWhereItHasAProgramForRegFiles) {
  key.setString(L"gone", L"C:\\kestovagone\\shell.txt");
  key.set(L"bytes", REG_BINARY, ansiBytes("C:\\kestovagone\\shell.bin", false));
  const Snapshot before = snapshot(key.get());
  search();
  ASSERT_EQ(errors.ErrorCount, 2);
  RepairErrors(errors, false, backupPath, {});
  ASSERT_TRUE(snapshot(key.get()).empty());

  ASSERT_FALSE(win::RegistryKey::open(HKEY_CLASSES_ROOT, L".reg")) << "the prefix has its own .reg type";
  const std::wstring type = test::uniqueKeyName(L"RegFile");
  TestKey extension(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.reg");
  extension.setString(L"", type);
  TestKey typeKey(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + type);  // removed with its subkeys
  TestKey command(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + type + L"\\shell\\open\\command");
  command.setString(L"", L"regedit.exe /s \"%1\"");
  ASSERT_TRUE(ShellOpensRegFiles());

  // A line the registry editor takes and the program's own import refuses: only the shell's
  // program can restore this file.
  std::string file = backup();
  file += "[-HKEY_CURRENT_USER\\Software\\" + toCp1252(test::uniqueKeyName(L"NoSuchKey")) + "]\r\n";
  folder.writeFile(L"deletedkeys.reg", file);
  dialogs->answers.push_back(IDYES);
  RestoreBackup(nullptr, backupPath);
  EXPECT_EQ(dialogs->messages.size(), 1u);  // the question only
  for (int i = 0; i < 200 && snapshot(key.get()).size() < before.size(); ++i) Sleep(100);  // the editor runs apart
  expectSame(before, snapshot(key.get()));
}

TEST_F(Repair, ExtraRewritesTheValueToTheFileFoundOnItsDrive) {
  test::MappedDrive drive(DRIVE_FIXED, L'W');
  ASSERT_EQ(drive.letter(), L'W') << "drive W is taken in this prefix";
  drive.folder().writeFile(L"New\\tool.exe", "x");
  drive.folder().writeFile(L"Other\\Deeper\\tool.exe", "x");  // a later copy in listing order wins
  key.setString(L"moved", L"W:\\Old\\tool.exe");
  key.setString(L"kept", L"W:\\msme\\tool.exe");
  key.setString(L"nodot", L"W:\\Old\\nodotname");
  key.setString(L"dotfirst", L"C.:\\kestovagone");  // its first dot precedes every backslash
  key.setString(L"argument", L"W:\\Old\\tool.exe x");
  search();
  ASSERT_EQ(errors.ErrorCount, 5) << testing::PrintToString(errors.FoundNames);

  std::vector<std::wstring> items, searches;
  RepairProgress progress{[&](const std::wstring& text, int, int) { items.push_back(text); },
                          [&](const std::wstring& text) { searches.push_back(text); }};
  const RepairResult result = RepairErrors(errors, true, backupPath, progress);
  EXPECT_EQ(result.fixed, 2);
  EXPECT_EQ(errors.FixedCount, 2);
  EXPECT_EQ(result.cleaned, 3);
  EXPECT_EQ(result.fixedText, L"2 Registry Items Fixed");
  EXPECT_EQ(result.cleanedText, L"3 Registry Items Cleaned");
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0], L"Fixing item 1 of 5");
  ASSERT_FALSE(searches.empty());
  EXPECT_EQ(searches[0].rfind(L"Searching for ", 0), 0u);

  const Snapshot after = snapshot(key.get());
  ASSERT_EQ(after.size(), 2u);
  const std::wstring found = std::wstring(reinterpret_cast<const wchar_t*>(after.at(L"moved").data.data()));
  EXPECT_EQ(found, L"W:\\Other\\Deeper\\tool.exe");
  EXPECT_EQ(after.at(L"moved").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(after.at(L"kept").data, utf16Bytes(L"W:\\msme\\tool.exe"));  // "msme": left as it was
  const std::string file = backup();
  EXPECT_NE(file.find("\"moved\"=\"W:\\\\Old\\\\tool.exe\""), std::string::npos);
  EXPECT_NE(file.find("\"dotfirst\"=\"C.:\\\\kestovagone\""), std::string::npos);
}

// A value whose key path or name the backup cannot give back exactly stays, is told as left,
// and everything else still goes and comes back exactly.
TEST_F(Repair, ValuesTheBackupCannotHoldAreLeftCountedAndTheRestRoundTrips) {
  TestKey cyrillic(HKEY_CURRENT_USER, key.path() + L"\\\u041a\u043b\u044e\u0447");
  cyrillic.setString(L"plain", L"C:\\kestovagone\\cyrillic.txt");
  key.setString(L"line\nbreak", L"C:\\kestovagone\\lf.txt");
  key.setString(L"ordinary", L"C:\\kestovagone\\ordinary.txt");
  key.setString(L"expand", L"C:\\kestovagone\\expand.txt", REG_EXPAND_SZ);
  const Snapshot before = snapshot(key.get());
  search();
  ASSERT_EQ(errors.ErrorCount, 4) << testing::PrintToString(errors.FoundNames);

  const RepairResult result = RepairErrors(errors, false, backupPath, {});
  EXPECT_EQ(result.cleaned, 2);
  EXPECT_EQ(result.left, 2);
  EXPECT_EQ(result.cleaned + result.fixed + result.left, errors.ErrorCount);
  EXPECT_EQ(result.leftText, L"2 Registry Items left unchanged: they cannot be backed up exactly");
  EXPECT_TRUE(cyrillic.value(L"plain"));
  EXPECT_TRUE(key.value(L"line\nbreak"));
  EXPECT_FALSE(key.value(L"ordinary"));
  const std::string file = backup();
  EXPECT_EQ(file.find('?'), std::string::npos) << file;
  EXPECT_EQ(file.find("line"), std::string::npos) << file;

  ASSERT_TRUE(runRegedit(backupPath));
  expectSame(before, snapshot(key.get()));
  RepairErrors(errors, false, backupPath, {});
  dialogs->answers.push_back(IDYES);
  RestoreBackup(nullptr, backupPath);
  expectSame(before, snapshot(key.get()));
}

// "Extra" writes a found path back in the value's own string type, and never searches for a
// name that the rule's length cut short, since a cut name can match another file.
TEST_F(Repair, ExtraKeepsTheStringTypeAndIgnoresCutNames) {
  test::MappedDrive drive(DRIVE_FIXED, L'W');
  ASSERT_EQ(drive.letter(), L'W') << "drive W is taken in this prefix";
  drive.folder().writeFile(L"New\\tool.exe", "x");
  drive.folder().writeFile(L"New\\tool.e", "an unrelated file the cut name would find");
  key.setString(L"expand", L"W:\\Old\\tool.exe", REG_EXPAND_SZ);
  key.set(L"multi", REG_MULTI_SZ, utf16Bytes(std::wstring(L"W:\\Old\\tool.exe\0second\0", 23)));
  key.setString(L"cut", L"W:\\tool.exe xy");
  search();
  ASSERT_EQ(errors.ErrorCount, 3) << testing::PrintToString(errors.FoundNames);

  const RepairResult result = RepairErrors(errors, true, backupPath, {});
  EXPECT_EQ(result.fixed, 1);
  EXPECT_EQ(result.cleaned, 2);
  auto expand = key.value(L"expand");
  ASSERT_TRUE(expand);
  EXPECT_EQ(expand->type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(expand->data, utf16Bytes(L"W:\\New\\tool.exe"));
  EXPECT_FALSE(key.value(L"multi"));
  EXPECT_FALSE(key.value(L"cut"));
}

TEST_F(Repair, FileSearchLooksOnlyIntoFoldersWithoutDots) {
  folder.writeFile(L"a.b\\tool.exe", "x");
  EXPECT_EQ(FindFileOnDrive(folder.path(), L"tool.exe", true, {}), L"");
  folder.writeFile(L"ab\\tool.exe", "x");
  EXPECT_EQ(FindFileOnDrive(folder.path(), L"tool.exe", true, {}), folder.path() + L"ab\\tool.exe");
  EXPECT_EQ(FindFileOnDrive(folder.path(), L"tool.exe", false, {}), L"");
  folder.writeFile(L"tool.exe", "x");
  EXPECT_EQ(FindFileOnDrive(folder.path(), L"tool.exe", true, {}), folder.path() + L"tool.exe");
}

TEST_F(Repair, NothingChangesWhenTheBackupCannotBeWritten) {
  key.setString(L"gone", L"C:\\kestovagone\\gone.txt");
  search();
  ASSERT_EQ(errors.ErrorCount, 1);
  EXPECT_THROW(RepairErrors(errors, false, folder.path() + L"missing\\deletedkeys.reg", {}), win::Error);
  EXPECT_TRUE(key.value(L"gone"));
}

TEST_F(Repair, KeyThatCannotBeOpenedIsNeitherChangedNorCounted) {
  TSearchHit hit;
  hit.RootKey = HKEY_CURRENT_USER;
  hit.Key = L"HKEY_CURRENT_USER\\software\\kestovanosuchkey";
  hit.KeyPath = L"Software\\KestovaNoSuchKey";
  hit.ValueName = L"v";
  hit.Data = L"C:\\kestovagone\\x.txt";
  errors.SearchFound(hit);
  ASSERT_EQ(errors.ErrorCount, 1);
  const RepairResult result = RepairErrors(errors, false, backupPath, {});
  EXPECT_EQ(result.cleaned, 0);
  EXPECT_EQ(result.cleanedText, L"0 Registry Items Cleaned");
  EXPECT_EQ(backup(), "REGEDIT4\r\n \r\n \r\n");
}

TEST_F(Repair, RestoreAsksFirstAndReportsAMissingBackup) {
  RestoreBackup(nullptr, backupPath);  // answered No
  ASSERT_EQ(dialogs->messages.size(), 1u);
  dialogs->answers.push_back(IDYES);
  RestoreBackup(nullptr, backupPath);
  ASSERT_EQ(dialogs->messages.size(), 3u);
  EXPECT_EQ(dialogs->messages[2].text, L" RESTORE FILE NOT FOUND - NO REPAIR DONE TILL NOW");
}

TEST_F(Repair, OwnImportRefusesAFileItCannotRead) {
  folder.writeFile(L"bad.reg", "REGEDIT4\r\n[HKEY_NOWHERE\\x]\r\n\"a\"=\"b\"\r\n");
  EXPECT_THROW(ImportRegFile(folder.path() + L"bad.reg"), win::Error);
  folder.writeFile(L"worse.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=what\r\n");
  EXPECT_THROW(ImportRegFile(folder.path() + L"worse.reg"), win::Error);
}

}  // namespace
}  // namespace kestova::registry
