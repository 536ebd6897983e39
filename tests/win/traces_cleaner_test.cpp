#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "harness/host_link.h"
#include "harness/temp_folder.h"
#include "harness/test_keys.h"
#include "traces/traces_cleaner.h"
#include "win/handles.h"
#include "win/registry_key.h"

namespace kestova::test {
namespace {

using traces::Trace;
using traces::TraceSelection;
using traces::TracesCleaner;

TraceSelection only(std::initializer_list<Trace> traces) {
  TraceSelection selection{};
  for (Trace t : traces) selection[static_cast<std::size_t>(t)] = true;
  return selection;
}

const TraceSelection kFileTraces =
    only({Trace::ApplicationLog, Trace::OfflineWebPages, Trace::DisabledStartupItems, Trace::DownloadedProgramFiles});

bool folderExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The names in a folder, "." and ".." left out.
std::vector<std::wstring> namesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find.valid()) return names;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find.get(), &data));
  std::sort(names.begin(), names.end());
  return names;
}

struct Errors {
  std::vector<std::string> texts;
  traces::EmptyHooks hooks() {
    return {[] { return true; }, [this](const std::exception& e) { texts.push_back(e.what()); }};
  }
};

class TracesFolders : public ::testing::Test {
 protected:
  std::wstring item(Trace trace) const { return windows.path() + traces::traceFolder(trace); }
  TempFolder windows;
  TempFolder outside;
  Errors errors;
};

TEST_F(TracesFolders, TickedFoldersAreEmptiedDownToDotFoldersAndFilesInUse) {
  windows.writeFile(L"AppLog\\top.log", "t");
  windows.writeFile(L"AppLog\\\u65E5\u672C \u0416.log", "names outside the ANSI code page");
  windows.writeFile(L"AppLog\\one\\two\\three\\deep.log", "d");
  std::wstring hidden = item(Trace::OfflineWebPages) + L"\\cache";
  windows.writeFile(L"Offline Web Pages\\cache\\page.htm", "p");
  windows.writeFile(L"Offline Web Pages\\cache\\inner\\img.gif", "i");
  ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  std::wstring hiddenFile = windows.writeFile(L"Offline Web Pages\\sys.dat", "s");
  SetFileAttributesW(hiddenFile.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  std::wstring kept = windows.writeFile(L"Start Menu\\Programs\\Disabled Startup Items\\.x\\kept.lnk", "k");
  windows.writeFile(L"Start Menu\\Programs\\Disabled Startup Items\\gone.lnk", "g");
  std::wstring locked = windows.writeFile(L"Downloaded Program Files\\ocx\\busy\\locked.ocx", "l");
  windows.writeFile(L"Downloaded Program Files\\ocx\\busy\\free.inf", "f");
  win::FileHandle holder(CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder.valid());

  EXPECT_TRUE(TracesCleaner(windows.path(), errors.hooks()).clean(kFileTraces));
  holder.close();

  EXPECT_TRUE(namesIn(item(Trace::ApplicationLog)).empty());
  EXPECT_TRUE(namesIn(item(Trace::OfflineWebPages)).empty());
  EXPECT_EQ(namesIn(item(Trace::DisabledStartupItems)), std::vector<std::wstring>{L".x"});
  EXPECT_EQ(fileBytes(kept), "k");
  // The file in use keeps its folder, and that folder its parent; its sibling is gone.
  EXPECT_EQ(namesIn(item(Trace::DownloadedProgramFiles) + L"\\ocx\\busy"), std::vector<std::wstring>{L"locked.ocx"});
  EXPECT_TRUE(errors.texts.empty());
  for (Trace t : {Trace::ApplicationLog, Trace::OfflineWebPages, Trace::DisabledStartupItems}) {
    EXPECT_TRUE(folderExists(item(t))) << static_cast<int>(t);
  }
}

TEST_F(TracesFolders, LinksAreNeverFollowedOutOfTheFolders) {
  std::wstring precious = outside.writeFile(L"tree\\precious.doc", "precious");
  std::wstring single = outside.writeFile(L"single.doc", "single");
  std::wstring whole = outside.writeFile(L"whole\\mine.doc", "mine");
  windows.writeFile(L"AppLog\\plain.log", "p");
  ASSERT_TRUE(makeHostLink(outside.path() + L"tree", item(Trace::ApplicationLog) + L"\\tree"));
  ASSERT_TRUE(makeHostLink(single, item(Trace::ApplicationLog) + L"\\single.doc"));
  // An item folder that is itself a link is not emptied.
  ASSERT_TRUE(makeHostLink(outside.path() + L"whole", item(Trace::OfflineWebPages)));

  TracesCleaner(windows.path(), errors.hooks()).clean(kFileTraces);

  EXPECT_EQ(fileBytes(precious), "precious");
  EXPECT_EQ(fileBytes(single), "single");
  EXPECT_EQ(fileBytes(whole), "mine");
  EXPECT_FALSE(fileExists(item(Trace::ApplicationLog) + L"\\plain.log"));
  EXPECT_TRUE(folderExists(item(Trace::ApplicationLog)));
  EXPECT_TRUE(errors.texts.empty());
}

TEST_F(TracesFolders, UntickedAndMissingFoldersAreLeftAndNoWindowsFolderMeansNoFiles) {
  std::wstring untouched = windows.writeFile(L"Downloaded Program Files\\control.ocx", "c");
  windows.writeFile(L"AppLog\\a.log", "a");
  EXPECT_TRUE(TracesCleaner(windows.path(), errors.hooks()).clean(only({Trace::ApplicationLog, Trace::OfflineWebPages})));
  EXPECT_EQ(fileBytes(untouched), "c");
  EXPECT_TRUE(namesIn(item(Trace::ApplicationLog)).empty());
  EXPECT_FALSE(folderExists(item(Trace::OfflineWebPages))) << "a missing folder is not made";
  EXPECT_TRUE(errors.texts.empty());

  // Without a Windows folder nothing relative to the current drive or folder is touched.
  std::wstring kept = windows.writeFile(L"AppLog\\kept.log", "k");
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(windows.path().c_str()));
  TracesCleaner(std::nullopt, errors.hooks()).clean(kFileTraces);
  TracesCleaner(std::wstring(), errors.hooks()).clean(kFileTraces);
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(fileBytes(kept), "k");
}

// A subfolder that something else removes after the listing is simply gone: no error, and the
// rest of the folder is still emptied.
TEST_F(TracesFolders, AFolderGoneBeforeTheWalkReachesItDoesNotStopTheRest) {
  for (const wchar_t* name : {L"a", L"b", L"c"}) windows.writeFile(std::wstring(L"AppLog\\") + name + L"\\x.log", "x");
  windows.writeFile(L"AppLog\\z.log", "z");
  windows.writeFile(L"Offline Web Pages\\next.htm", "n");
  std::wstring taken;
  traces::EmptyHooks hooks = errors.hooks();
  hooks.pump = [&] {
    for (const wchar_t* name : {L"a", L"b", L"c"}) {  // one the walk has not reached yet
      std::wstring folder = item(Trace::ApplicationLog) + L"\\" + name;
      if (taken.empty() && folderExists(folder)) {
        taken = folder;
        removeTree(folder);
      }
    }
    return true;
  };
  EXPECT_TRUE(TracesCleaner(windows.path(), hooks).clean(kFileTraces));
  ASSERT_FALSE(taken.empty());
  EXPECT_TRUE(errors.texts.empty());
  EXPECT_TRUE(namesIn(item(Trace::ApplicationLog)).empty());
  EXPECT_TRUE(namesIn(item(Trace::OfflineWebPages)).empty());
}

// The real lists of the prefix's current user; each test key is removed afterwards.
constexpr const wchar_t* kRunMru = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const wchar_t* kFindMru = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU";
constexpr const wchar_t* kTypedUrls = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const wchar_t* kBars = L"Software\\Microsoft\\Internet Explorer\\Explorer Bars";

// The value names of a key, sorted.
std::vector<std::wstring> valueNames(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  auto key = win::RegistryKey::open(root, path, KEY_QUERY_VALUE);
  if (!key) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumValueW(key->get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool keyExists(const std::wstring& path) { return win::RegistryKey::open(HKEY_CURRENT_USER, path).has_value(); }

void clean(TraceSelection selection) {
  Errors errors;
  TracesCleaner(std::nullopt, errors.hooks()).clean(selection);
}

// The run list loses every letter and its order value names only what is left; the find list
// keeps its "w", which is not one of its letters.
TEST(TracesRegistry, LetterListsGoAndTheirOrderValueNamesOnlyWhatIsLeft) {
  TestKey run(HKEY_CURRENT_USER, kRunMru);
  TestKey find(HKEY_CURRENT_USER, kFindMru);
  for (const TestKey* key : {&run, &find}) {
    for (wchar_t c = L'a'; c <= L'z'; ++c) key->setString(std::wstring(1, c), L"notepad\\1");
    key->setString(L"MRUList", L"abcdefghijklmnopqrstuvwxyz");
    key->setString(L"aa", L"two letters");
  }
  clean(only({Trace::RunHistory, Trace::FindHistory}));
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, kRunMru), (std::vector<std::wstring>{L"MRUList", L"aa"}));
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, kFindMru), (std::vector<std::wstring>{L"MRUList", L"aa", L"w"}));
  auto text = [](const TestKey& key) {
    auto value = key.value(L"MRUList");
    return value ? std::wstring(reinterpret_cast<const wchar_t*>(value->data.data())) : L"<none>";
  };
  EXPECT_EQ(text(run), L"");
  EXPECT_EQ(text(find), L"w");
}

TEST(TracesRegistry, TypedUrlsLoseOneToThirtyInAnyCase) {
  TestKey urls(HKEY_CURRENT_USER, kTypedUrls);
  for (const wchar_t* name : {L"url0", L"url1", L"URL2", L"url05", L"url29", L"url30", L"url31", L"url100"}) {
    urls.setString(name, L"http://example.test/");
  }
  TestKey run(HKEY_CURRENT_USER, kRunMru);
  run.setString(L"a", L"unticked");
  TestKey times(HKEY_CURRENT_USER, std::wstring(kTypedUrls) + L"Time");
  for (const wchar_t* name : {L"url1", L"url30", L"url31"}) times.set(name, REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8});
  clean(only({Trace::TypedUrls}));
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, kTypedUrls),
            (std::vector<std::wstring>{L"url0", L"url05", L"url100", L"url31"}));
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, times.path()), std::vector<std::wstring>{L"url31"}) << "the times go too";
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, kRunMru), std::vector<std::wstring>{L"a"});
}

TEST(TracesRegistry, MissingKeysAreNotCreated) {
  SHDeleteKeyW(HKEY_CURRENT_USER, kTypedUrls);
  SHDeleteKeyW(HKEY_CURRENT_USER, kRunMru);
  SHDeleteKeyW(HKEY_CURRENT_USER, kFindMru);
  TraceSelection all{};
  all.fill(true);
  clean(all);
  EXPECT_FALSE(keyExists(kTypedUrls));
  EXPECT_FALSE(keyExists(kRunMru));
  EXPECT_FALSE(keyExists(kFindMru));
}

TEST(TracesRegistry, ExplorerBarsWithSubkeysLoseTheirSearchHistories) {
  struct DropBarsKey {  // after the test keys are gone, unless the prefix had it
    bool existed;
    ~DropBarsKey() {
      if (!existed) RegDeleteKeyW(HKEY_CURRENT_USER, kBars);
    }
  } dropBars{keyExists(kBars)};
  const std::wstring base = std::wstring(kBars) + L"\\" + uniqueKeyName(L"");
  TestKey plain(HKEY_CURRENT_USER, base + L"Plain");
  TestKey both(HKEY_CURRENT_USER, base + L"Both");
  TestKey containing(HKEY_CURRENT_USER, base + L"Both\\ContainingTextMRU");
  TestKey named(HKEY_CURRENT_USER, base + L"Both\\FilesNamedMRU");
  TestKey filesOnlyBar(HKEY_CURRENT_USER, base + L"FilesOnly");
  TestKey filesOnly(HKEY_CURRENT_USER, base + L"FilesOnly\\FilesNamedMRU");
  TestKey otherBar(HKEY_CURRENT_USER, base + L"Other");
  TestKey other(HKEY_CURRENT_USER, base + L"Other\\Settings");
  for (const TestKey* key : {&plain, &both, &containing, &named, &filesOnly, &other}) {
    for (const wchar_t* name : {L"000", L"017", L"050", L"051", L"50", L"MRUList"}) key->setString(name, L"*.txt");
  }
  const std::vector<std::wstring> all = {L"000", L"017", L"050", L"051", L"50", L"MRUList"};
  const std::vector<std::wstring> cleaned = {L"051", L"50", L"MRUList"};

  clean(only({Trace::FindHistory}));

  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, plain.path()), all);
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, both.path()), all);
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, containing.path()), cleaned);
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, named.path()), cleaned);
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, filesOnly.path()), cleaned);
  EXPECT_EQ(valueNames(HKEY_CURRENT_USER, other.path()), all);
  EXPECT_FALSE(keyExists(base + L"FilesOnly\\ContainingTextMRU"));
}

}  // namespace
}  // namespace kestova::test
