// Temp Dir, Cache, History, Cookies, Recycle, Recent, Clean All and the cache item of "Optio&ns"
// on the hub, against a mapped drive, the real URL cache, recycle bin and registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <wininet.h>

#include <algorithm>

#include "app/JunkCleaner.h"
#include "app/Tffolders.h"
#include "app/Tfsweep.h"
#include "harness/cache_server.h"
#include "harness/driver.h"
#include "harness/hub_fixture.h"
#include "harness/junk_results.h"
#include "harness/mapped_drive.h"
#include "ui/grid.h"
#include "win/handles.h"
#include "win/program_folder.h"
#include "win/registry_key.h"
#include "win/removal.h"
#include "win/text_file.h"
#include "win/url_cache.h"

namespace kestova::test {
namespace {

constexpr const wchar_t* kBrowserKey = L"Software\\Microsoft\\Internet Explorer";
constexpr const wchar_t* kCacheKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";

// A registry value set for one test and put back as it was.
class SavedValue {
 public:
  SavedValue(HKEY root, std::wstring path, std::wstring name) : root_(root), path_(std::move(path)), name_(std::move(name)) {
    if (auto key = win::RegistryKey::open(root_, path_)) saved_ = key->value(name_);
  }
  ~SavedValue() {
    auto key = win::RegistryKey::create(root_, path_);
    if (saved_) {
      key.setValue(name_, saved_->type, saved_->data);
    } else {
      RegDeleteValueW(key.get(), name_.c_str());
    }
  }
  void set(DWORD type, std::vector<BYTE> data) const { win::RegistryKey::create(root_, path_).setValue(name_, type, data); }
  void setText(const std::wstring& text) const {
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(text.c_str()),
                            reinterpret_cast<const BYTE*>(text.c_str() + text.size() + 1));
    set(REG_SZ, bytes);
  }
  void remove() const {
    if (auto key = win::RegistryKey::open(root_, path_, KEY_SET_VALUE)) RegDeleteValueW(key->get(), name_.c_str());
  }
  std::optional<win::RegistryValue> value() const {
    auto key = win::RegistryKey::open(root_, path_);
    return key ? key->value(name_) : std::nullopt;
  }

 private:
  HKEY root_;
  std::wstring path_, name_;
  std::optional<win::RegistryValue> saved_;
};

// The recorder stands in for "rundll32.exe" in a system folder of the test's own.
class RecorderFolder {
 public:
  RecorderFolder() {
    if (!CopyFileW(windowsPath(KESTOVA_RECORDER).c_str(), (folder_.path() + L"rundll32.exe").c_str(), FALSE)) {
      throw std::runtime_error("cannot copy the recorder");
    }
  }
  std::wstring path() const { return folder_.path(); }
  // The command lines recorded so far.
  std::wstring log() const {
    std::string bytes = fileBytes(folder_.path() + L"rundll32.exe.log");
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  }
  bool waitFor(const std::wstring& part) const {
    return waitUntil([&] { return fileExists(folder_.path() + L"rundll32.exe.log") && log().find(part) != std::wstring::npos; },
                     20000);
  }

 private:
  TempFolder folder_;
};

void clearUrlCache() {
  for (const auto& entry : win::urlCacheEntries()) win::deleteUrlCacheEntry(entry.url);
}

bool hasUrl(const std::wstring& url) {
  auto entries = win::urlCacheEntries();
  return std::any_of(entries.begin(), entries.end(), [&](const auto& e) { return e.url == url; });
}

bool inUrlCache(const std::wstring& part) {
  auto entries = win::urlCacheEntries();
  return std::any_of(entries.begin(), entries.end(), [&](const auto& e) { return e.url.find(part) != std::wstring::npos; });
}

// An entry committed to the URL cache with a file of `bytes` bytes.
bool commitUrl(const std::wstring& url, DWORD type, std::size_t bytes) {
  wchar_t file[MAX_PATH] = {};
  if (!CreateUrlCacheEntryW(url.c_str(), 0, L"htm", file, 0)) return false;
  writeSizedFile(file, bytes);
  FILETIME none = {};
  return CommitUrlCacheEntryW(url.c_str(), file, none, none, type, nullptr, 0, nullptr, nullptr) != FALSE;
}

// A file with its own bytes, so that what must stay can be compared byte for byte.
void writeText(const std::wstring& path, const std::string& bytes) {
  writeSizedFile(path, 0);
  win::writeBytes(path, bytes);
}

std::wstring shortPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no short name");
  return buffer;
}

std::string ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The program runs from `folder` (as Explorer would start it from there) for the scope.
class StartedFrom {
 public:
  StartedFrom(const std::wstring& folder, std::wstring usual) : usual_(std::move(usual)) {
    win::setProgramFolder(folder);
  }
  ~StartedFrom() { win::setProgramFolder(usual_); }

 private:
  std::wstring usual_;
};

class HubCleaners : public HubFixture {
 protected:
  HubCleaners() {
    ship(L"config.TXT");
    hub = &startHub();
    hub->selectDrive(drive.letter());
    waitUntil([this] { return IsWindowEnabled(hub->hwnd()) != FALSE; }, 3000);
    hub->runFolders().system = recorder.path();
  }
  std::wstring at(const std::wstring& relative) const { return std::wstring(1, drive.letter()) + L":\\" + relative; }
  ui::Grid& grid() const { return hub->grid(L"asg1"); }
  int rows() const { return hub->junkCleaner().rowCount(); }
  int rowOf(const std::wstring& path) const {
    for (int row = 1; row < grid().rowCount(); ++row) {
      if (grid().cell(1, row) + grid().cell(0, row) == path) return row;
    }
    return -1;
  }
  std::wstring mark(const std::wstring& path) const {
    int row = rowOf(path);
    return row < 0 ? L"(no row)" : grid().cell(3, row);
  }
  std::vector<std::wstring> texts() {
    std::vector<std::wstring> list;
    for (const auto& shown : dialogs->messages) list.push_back(shown.text);
    return list;
  }
  void press(const wchar_t* name) {
    hub->fire(name);
    pump(50);
  }

  MappedDrive drive;
  RecorderFolder recorder;
  app::Tfsweep* hub = nullptr;
};

TEST_F(HubCleaners, TempDirEmptiesTheFoldersListsTheirTopFilesOnceAndKeepsHeldFiles) {
  hub->setFolder(FolderCode::ie, L"C:\\Documents and Settings\\Ann\\Local Settings\\Temporary Internet Files");
  writeSizedFile(at(L"Windows\\Temp\\a.tmp"), 1000);
  writeSizedFile(at(L"Temp\\sub\\deep\\b.txt"), 500);
  writeSizedFile(at(L"Documents and Settings\\Ann\\Local Settings\\Temp\\c.log"), 3000);
  writeSizedFile(at(L"Temp\\held.tmp"), 7000);
  writeSizedFile(at(L"Elsewhere\\d.tmp"), 10);
  // The program's own folder inside a temporary folder stays whole.
  std::wstring own = at(L"Temp\\Kestova\\");
  writeSizedFile(own + L"config.TXT", 0);
  CopyFileW((programFolder.path() + L"config.TXT").c_str(), (own + L"config.TXT").c_str(), FALSE);
  win::setProgramFolder(own);
  {
    win::FileHandle held(CreateFileW(at(L"Temp\\held.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    press(L"BitBtnWithColor9");
  }
  win::setProgramFolder(programFolder.path());
  EXPECT_FALSE(fileExists(at(L"Windows\\Temp\\a.tmp")));
  EXPECT_FALSE(fileExists(at(L"Temp\\sub")));
  EXPECT_FALSE(fileExists(at(L"Documents and Settings\\Ann\\Local Settings\\Temp\\c.log")));
  EXPECT_TRUE(fileExists(at(L"Temp\\held.tmp")));
  EXPECT_TRUE(fileExists(at(L"Elsewhere\\d.tmp")));
  EXPECT_TRUE(fileExists(own + L"config.TXT"));

  // Two rows, then the note three rows on; the held file has neither row nor count.
  EXPECT_EQ(mark(at(L"Windows\\Temp\\a.tmp")), L"Deleted");
  EXPECT_EQ(grid().cell(2, rowOf(at(L"Windows\\Temp\\a.tmp"))), L"1 KB");
  EXPECT_EQ(mark(at(L"Documents and Settings\\Ann\\Local Settings\\Temp\\c.log")), L"Deleted");
  EXPECT_EQ(rowOf(at(L"Temp\\held.tmp")), -1);
  ASSERT_EQ(rows(), 5);
  EXPECT_EQ(grid().rowCount(), 8);
  EXPECT_EQ(grid().cell(0, 5), L"");
  EXPECT_EQ(grid().cell(1, 5), L"Root Temp dir files displayed, subdirs are cleaned also");
  // a, c and b by their sizes; b, deep and sub by E1's 0.05 each, the top files by theirs.
  EXPECT_NEAR(hub->accounting().recoveredKB, 4500.0 / 1024 + 5 * 0.05, 1e-9);
  EXPECT_EQ(hub->text(L"Edit2"), L"Disk Space Recovered:    0.00 Mb  ");
  EXPECT_EQ(hub->text(L"Edit3"), L"Temp folder cleaned");
  EXPECT_TRUE(dialogs->messages.empty());

  // A second press in the run only clears the grid.
  writeSizedFile(at(L"Temp\\later.tmp"), 10);
  press(L"BitBtnWithColor9");
  EXPECT_TRUE(fileExists(at(L"Temp\\later.tmp")));
  EXPECT_EQ(grid().rowCount(), 2);
}

TEST_F(HubCleaners, TempDirInRecycleModeSendsTheTopFilesToTheRecycleBin) {
  hub->setFolder(FolderCode::ie, L"C:\\Users\\Bob\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files");
  hub->fire(L"Deletefiles1");
  ASSERT_TRUE(hub->checked(L"SenddeletedfilestoRecycledbin1"));
  writeSizedFile(at(L"Users\\Bob\\AppData\\Local\\Temp\\top.tmp"), 100);
  writeSizedFile(at(L"Users\\Bob\\AppData\\Local\\Temp\\sub\\inner.tmp"), 100);
  press(L"BitBtnWithColor9");
  EXPECT_FALSE(fileExists(at(L"Users\\Bob\\AppData\\Local\\Temp\\top.tmp")));
  EXPECT_FALSE(fileExists(at(L"Users\\Bob\\AppData\\Local\\Temp\\sub")));
  EXPECT_TRUE(inRecycleBin(at(L"Users\\Bob\\AppData\\Local\\Temp\\top.tmp")));
  EXPECT_FALSE(inRecycleBin(at(L"Users\\Bob\\AppData\\Local\\Temp\\sub\\inner.tmp")));  // deleted outright
  EXPECT_EQ(mark(at(L"Users\\Bob\\AppData\\Local\\Temp\\top.tmp")), L"Deleted");
}

// The program's folder inside a temporary folder, in a folder of its own as a zip opened from the
// shell leaves it, started by another spelling than the one Temp Dir walks.
class ProgramInTempFolder : public HubCleaners, public ::testing::WithParamInterface<bool> {};

TEST_P(ProgramInTempFolder, TempDirEmptiesAroundTheProgramsFolderAndLeavesItWhole) {
  std::wstring unzipped = at(L"Temp\\Unzipped Tools\\");
  std::wstring own = unzipped + L"Kestova Program\\";
  writeText(own + L"config.TXT", setting(L"config.TXT"));
  writeText(own + L"deletedkeys.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kept]\r\n\"a\"=\"b\"\r\n");
  writeText(own + L"SPY.TXT", "list\r\n{00000000-0000-0000-0000-000000000001}\r\n");
  writeText(unzipped + L"readme.tmp", "temporary");
  writeText(at(L"Temp\\top.tmp"), "temporary");
  std::unique_ptr<MappedDrive> second;
  std::wstring started;
  if (GetParam()) {
    started = shortPath(own);
    ASSERT_NE(_wcsicmp(started.c_str(), own.c_str()), 0) << "a spelling of its own";
  } else {
    second = MappedDrive::secondLetterFor(drive);
    started = second->root() + L"Temp\\Unzipped Tools\\Kestova Program\\";
  }
  auto before = treeBytes(own);
  {
    StartedFrom from(started, programFolder.path());
    press(L"BitBtnWithColor9");
  }
  EXPECT_EQ(treeBytes(own), before);
  EXPECT_FALSE(fileExists(unzipped + L"readme.tmp")) << "the folder that holds the program's folder is still emptied";
  EXPECT_FALSE(fileExists(at(L"Temp\\top.tmp")));
  EXPECT_TRUE(dialogs->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Spellings, ProgramInTempFolder, ::testing::Bool(),
                         [](const auto& spelling) { return spelling.param ? "ShortNames" : "SecondDriveLetter"; });

TEST_F(HubCleaners, TempDirGoesOnPastAFolderItCannotReadAndSaysSoOnce) {
  std::wstring outer = at(L"Temp\\outer\\");
  writeText(outer + L"locked\\inner.txt", "left as it was");
  for (const wchar_t* name : {L"a", L"m", L"z"}) writeText(outer + name + L"\\deep\\x.tmp", "temporary");
  writeText(outer + L"b.tmp", "temporary");
  auto before = treeBytes(outer + L"locked");
  {
    // Held open without sharing, the folder cannot be listed.
    win::FileHandle held(CreateFileW((outer + L"locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(held);
    press(L"BitBtnWithColor9");
  }
  EXPECT_EQ(treeBytes(outer + L"locked"), before);
  for (const wchar_t* name : {L"a", L"m", L"z"}) EXPECT_FALSE(fileExists(outer + name)) << name;
  EXPECT_FALSE(fileExists(outer + L"b.tmp"));
  EXPECT_EQ(texts(), std::vector<std::wstring>{L"1 folder could not be read and was left as it is."});
  EXPECT_EQ(hub->text(L"Edit3"), L"Temp folder cleaned");
}

TEST_F(HubCleaners, BrowserFoldersOfTheNetscapeFamilyFoundByTheScanAreCleanedToTheRecycleBin) {
  std::wstring profile = at(L"Mozilla\\Profiles\\p\\");
  writeSizedFile(profile + L"prefs.js", 10);
  writeSizedFile(profile + L"Cache\\c1.bin", 3000);
  writeSizedFile(profile + L"Cache\\sub\\c2.bin", 100);
  writeSizedFile(profile + L"history.dat", 1500);
  writeSizedFile(profile + L"places.sqlite", 2000);
  // A history folder on C: stays while another drive is cleaned.
  TempFolder elsewhere;
  std::wstring otherHistory = elsewhere.writeFile(L"History\\visit.dat", "x");
  hub->setFolder(FolderCode::hi, elsewhere.path() + L"History");
  hub->setChecked(L"CheckBox2", false);

  press(L"BitBtnWithColor11");
  EXPECT_EQ(hub->folders()[FolderCode::nc], at(L"Mozilla\\Profiles\\p\\Cache"));
  EXPECT_EQ(hub->folders()[FolderCode::ni], at(L"Mozilla\\Profiles\\p"));
  EXPECT_TRUE(dialogs->messages.empty()) << "the folder scan has no closing message";
  EXPECT_FALSE(hub->checked(L"CheckBox2"));
  EXPECT_TRUE(hub->checked(L"ChB1"));
  EXPECT_FALSE(fileExists(profile + L"Cache\\c1.bin"));
  EXPECT_FALSE(fileExists(profile + L"Cache\\sub"));
  EXPECT_EQ(mark(profile + L"Cache\\c1.bin"), L"Shredded");
  EXPECT_EQ(mark(profile + L"Cache\\sub\\c2.bin"), L"Deleted");
  EXPECT_EQ(grid().cell(0, 4), L"Total space :");
  EXPECT_EQ(grid().cell(2, 4), L"4.03   KB");
  EXPECT_EQ(hub->text(L"Edit3"), L"Browser Cache Cleaned");
  // The whole-folder figure is not added on top: each file counts once.
  EXPECT_NEAR(hub->accounting().recoveredKB, 3100.0 / 1024 + 2 * 0.005, 1e-9);

  press(L"BitBtnWithColor12");
  EXPECT_FALSE(fileExists(profile + L"history.dat"));
  EXPECT_FALSE(fileExists(profile + L"places.sqlite"));
  EXPECT_TRUE(inRecycleBin(profile + L"places.sqlite")) << "the bookmarks file goes to the recycle bin";
  EXPECT_FALSE(inRecycleBin(profile + L"history.dat"));
  EXPECT_TRUE(fileExists(otherHistory));
  EXPECT_EQ(mark(profile + L"history.dat"), L"Shredded");
  EXPECT_EQ(mark(profile + L"places.sqlite"), L"Shredded");
  EXPECT_EQ(grid().cell(0, 4), L"Total deleted space :");
  EXPECT_EQ(grid().cell(0, 6), L"History");
  EXPECT_EQ(grid().cell(1, 6), L"cleaned");
  EXPECT_EQ(hub->text(L"Edit3"), L"Browser History Cleaned");
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_FALSE(hub->checked(L"CheckBox2"));

  // Second presses only clear the grid.
  writeSizedFile(profile + L"Cache\\again.bin", 1);
  press(L"BitBtnWithColor11");
  EXPECT_TRUE(fileExists(profile + L"Cache\\again.bin"));
  EXPECT_EQ(grid().rowCount(), 2);
}

// From Windows 8.1 on the browser's cache is "INetCache", with "History" beside it. (The cache
// press also walks the URL cache.)
TEST_F(HubCleaners, CacheAndHistoryCleanTheFoldersOfCurrentWindowsUrlCache) {
  const std::wstring windows = at(L"Users\\Bob\\AppData\\Local\\Microsoft\\Windows\\");
  writeSizedFile(windows + L"INetCache\\IE\\AB12CD34\\page[1].htm", 2000);
  writeSizedFile(windows + L"History\\visit.dat", 100);
  hub->setFolder(FolderCode::ie, windows + L"INetCache");
  hub->setFolder(FolderCode::hi, windows + L"History");
  press(L"BitBtnWithColor11");
  EXPECT_FALSE(fileExists(windows + L"INetCache\\IE\\AB12CD34\\page[1].htm"));
  EXPECT_EQ(hub->text(L"Edit3"), L"Browser Cache Cleaned");
  press(L"BitBtnWithColor12");
  EXPECT_FALSE(fileExists(windows + L"History\\visit.dat"));
  EXPECT_EQ(hub->text(L"Edit3"), L"Browser History Cleaned");
  EXPECT_TRUE(dialogs->messages.empty()) << texts().front();
}

// Without a browser History says so and reports no cleaning it did not do.
TEST_F(HubCleaners, HistoryWithoutABrowserClearsNothingAndReportsNoCleaning) {
  hub->setFolder(FolderCode::ie, L"");  // the prefix's own cache folder is a browser's
  press(L"BitBtnWithColor12");
  EXPECT_EQ(texts(), std::vector<std::wstring>{std::wstring(L"Cannot find Web Browser on disk:  ") + drive.letter()});
  EXPECT_EQ(hub->text(L"Edit3"), L"");
  EXPECT_FALSE(fileExists(recorder.path() + L"rundll32.exe.log")) << "the browser's clearing command ran";
}

TEST_F(HubCleaners, WithoutABrowserOnTheDriveNothingIsRemoved) {
  hub->setFolder(FolderCode::nc, L"C:\\Mozilla\\Cache");
  press(L"BitBtnWithColor11");
  EXPECT_EQ(texts(), std::vector<std::wstring>{std::wstring(L"Cannot find Web Browser on disk:  ") + drive.letter()});
}

TEST_F(HubCleaners, ADriveRootIsRefusedByTheFoldersWindowAndByHistory) {
  hub->setFolder(FolderCode::ie, L"C:\\Documents and Settings\\Ann\\Local Settings\\Temporary Internet Files");
  writeText(at(L"notes.txt"), "notes");
  writeText(at(L"Letters\\ann.txt"), "letter");
  auto before = treeBytes(drive.root());
  std::string config = setting(L"config.TXT");
  std::wstring history = hub->folders()[FolderCode::hi];
  {
    app::Tffolders window(*hub);
    window.create(hub->hwnd());
    dialogs->folderChoices.push_back(drive.root());
    window.fire(L"Button2");
    EXPECT_EQ(window.text(L"Edit2"), history);
  }
  EXPECT_EQ(hub->folders()[FolderCode::hi], history);
  EXPECT_EQ(setting(L"config.TXT"), config);
  ASSERT_EQ(texts().size(), 2u);  // the browse warning, then the refusal
  EXPECT_EQ(texts()[1], drive.root() +
                            L" is a drive root, system, profile or program folder, or a folder above one, and cannot be "
                            L"the folder of code \"hi\".");
  dialogs->messages.clear();

  // Written into "config.TXT" by hand, the root is refused by History before anything goes.
  writeSetting(L"config.TXT", config + "hi" + ascii(drive.root()) + "\r\n");
  press(L"BitBtnWithColor12");
  EXPECT_EQ(texts(), std::vector<std::wstring>{L"Folder code \"hi\" is set to " + drive.root() +
                                               L", a drive root, system, profile or program folder, or a folder "
                                               L"above one. Nothing was removed."});
  EXPECT_EQ(treeBytes(drive.root()), before);
}

TEST_F(HubCleaners, HistoryRefusesTheProgramsFolderByAnyNameAndIgnoresARelativeEntry) {
  std::wstring own = at(L"Kestova Program");
  writeText(own + L"\\config.TXT", setting(L"config.TXT"));
  writeText(own + L"\\deletedkeys.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kept]\r\n");
  // A relative entry is read against the program's folder, where this folder lies.
  std::wstring relative = std::wstring(1, drive.letter()) + L" History";
  writeText(own + L"\\" + relative + L"\\visit.txt", "kept");
  StartedFrom from(shortPath(own), programFolder.path());
  hub->setFolder(FolderCode::ie, L"C:\\Documents and Settings\\Ann\\Local Settings\\Temporary Internet Files");
  std::string config = fileBytes(own + L"\\config.TXT");
  writeText(own + L"\\config.TXT", config + "hi" + ascii(own) + "\r\nhi" + ascii(relative) + "\r\n");
  auto before = treeBytes(own);

  press(L"BitBtnWithColor12");
  EXPECT_EQ(texts(), std::vector<std::wstring>{L"Folder code \"hi\" is set to " + own +
                                               L", a drive root, system, profile or program folder, or a folder "
                                               L"above one. Nothing was removed."});
  EXPECT_EQ(treeBytes(own), before);
}

TEST_F(HubCleaners, CacheAndHistoryTakeOnlyARealProfileAndACacheOfItsOwn) {
  std::wstring profile = at(L"Users\\Ann\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\abc.default\\");
  std::wstring local = at(L"Users\\Ann\\AppData\\Local\\Mozilla\\Firefox\\Profiles\\abc.default\\");
  writeText(profile + L"prefs.js", "user_pref(\"a\", 1);");
  writeText(profile + L"places.sqlite", "history");
  writeText(local + L"cache2\\entries\\E1", "cached page");
  // A website's offline data below the profile, and a copy of a profile's history: neither is the
  // browser's cache or profile.
  std::wstring offline = profile + L"storage\\default\\https+++site.example\\cache";
  writeText(offline + L"\\morgue\\1.bin", "offline data");
  writeText(offline + L"\\caches.sqlite", "offline index");
  std::wstring backup = at(L"Users\\Ann\\Documents\\Firefox backup");
  writeText(backup + L"\\places.sqlite", "bookmarks kept");
  writeText(backup + L"\\history.dat", "history kept");
  auto offlineBefore = treeBytes(offline);
  auto backupBefore = treeBytes(backup);

  press(L"BitBtnWithColor11");
  EXPECT_EQ(hub->folders()[FolderCode::nc], local + L"cache2");
  EXPECT_FALSE(fileExists(local + L"cache2\\entries"));
  press(L"BitBtnWithColor12");
  EXPECT_EQ(hub->folders()[FolderCode::ni], profile.substr(0, profile.size() - 1));
  EXPECT_TRUE(inRecycleBin(profile + L"places.sqlite"));
  EXPECT_EQ(treeBytes(offline), offlineBefore);
  EXPECT_EQ(treeBytes(backup), backupBefore);
  EXPECT_TRUE(dialogs->messages.empty());
}

// The system browser's cache: pages fetched through WinINet from a loopback server, a cookie and
// a visited page beside them.
class UrlCache : public HubCleaners {
 protected:
  UrlCache() {
    clearUrlCache();
    cache = at(L"Local Settings\\Temporary Internet Files");
    hub->setFolder(FolderCode::ie, cache);
    writeSizedFile(cache + L"\\Content.IE5\\AB12CD34\\page[1].htm", 600);
    writeSizedFile(cache + L"\\Content.IE5\\index.dat", 100);
  }
  ~UrlCache() override { clearUrlCache(); }
  std::vector<std::wstring> listedUrls() const {
    std::vector<std::wstring> urls;
    for (int row = 1; row < grid().rowCount(); ++row) {
      if (grid().cell(0, row) == L"IE Cache item  ") urls.push_back(grid().cell(1, row));
    }
    return urls;
  }

  SavedValue version{HKEY_LOCAL_MACHINE, kBrowserKey, L"Version"};
  std::wstring cache;
};

TEST_F(UrlCache, CacheKeepsCookiesAndVisitedPagesAndCookiesRemovesTheCookie) {
  version.setText(L"6.0.2900.5512");
  LoopbackHttpServer server;
  for (const wchar_t* page : {L"/one", L"/two", L"/cookie"}) ASSERT_TRUE(fetchThroughWinInet(server.url(page)));
  std::wstring visited = L"Visited: kestova@" + server.url(L"/one");
  ASSERT_TRUE(commitUrl(visited, NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY, 10));
  ASSERT_TRUE(inUrlCache(L"ookie:")) << "WinINet kept no cookie";

  press(L"BitBtnWithColor11");
  std::vector<std::wstring> listed = listedUrls();
  std::sort(listed.begin(), listed.end());
  std::vector<std::wstring> pages = {server.url(L"/cookie"), server.url(L"/one"), server.url(L"/two")};
  EXPECT_EQ(listed, pages);
  for (const auto& page : pages) EXPECT_FALSE(hasUrl(page)) << page;
  EXPECT_TRUE(inUrlCache(L"Visited: kestova@"));
  EXPECT_TRUE(inUrlCache(L"ookie:"));
  // The content folder: pages deleted (not listed below version 7), the index kept.
  EXPECT_FALSE(fileExists(cache + L"\\Content.IE5\\AB12CD34\\page[1].htm"));
  EXPECT_TRUE(fileExists(cache + L"\\Content.IE5\\index.dat"));
  EXPECT_EQ(rowOf(cache + L"\\Content.IE5\\AB12CD34\\page[1].htm"), -1);
  EXPECT_EQ(hub->text(L"Edit3"), L"Browser Cache Cleaned");
  EXPECT_FALSE(fileExists(recorder.path() + L"rundll32.exe.log")) << "no clearing command below version 7";

  // Cookies, answered No: the cookie entry goes, the visited page stays.
  press(L"BitBtnWithColor13");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"Click YES to manage cookies - click NO to delete all cookies");
  ASSERT_TRUE(dialogs->messages[0].at);
  EXPECT_EQ(dialogs->messages[0].at->x, 200);
  EXPECT_EQ(dialogs->messages[0].at->y, 200);
  EXPECT_FALSE(inUrlCache(L"ookie:"));
  EXPECT_TRUE(inUrlCache(L"Visited: kestova@"));
  EXPECT_EQ(hub->text(L"Edit3"), L"Cookies Cleaned");
}

TEST_F(UrlCache, FourHundredRowsThenTheNoteAndTheClearingCommandsAboveVersionSix) {
  version.setText(L"9.11.9600.18376");
  for (int i = 0; i < 405; ++i) {
    ASSERT_TRUE(commitUrl(L"http://127.0.0.1:9/kestova/" + std::to_wstring(i), NORMAL_CACHE_ENTRY, 10)) << i;
  }
  press(L"BitBtnWithColor11");
  EXPECT_FALSE(inUrlCache(L"/kestova/"));
  // One blank row, 399 entries up to row 400, "Cache folders", a blank row, and the note.
  EXPECT_EQ(listedUrls().size(), 399u);
  EXPECT_EQ(grid().cell(0, 400), L"IE Cache item  ");
  EXPECT_EQ(grid().cell(0, 401), L"Cache folders");
  EXPECT_EQ(grid().cell(1, 401), L"emptied");
  EXPECT_EQ(grid().cell(0, 403), L"first 400");
  EXPECT_EQ(grid().cell(1, 403), L"cache items displayed");
  EXPECT_TRUE(recorder.waitFor(L"InetCpl.cpl,ClearMyTracksByProcess 8"));

  press(L"BitBtnWithColor12");
  EXPECT_TRUE(recorder.waitFor(L"InetCpl.cpl,ClearMyTracksByProcess 1"));
  std::wstring log = recorder.log();
  EXPECT_NE(log.find(L"rundll32.exe\" InetCpl.cpl,ClearMyTracksByProcess 8"), std::wstring::npos) << log;
}

TEST_F(HubCleaners, RecycleEmptiesTheBinAndItsFolderButNprotectOnFirstAndSecondPressRecycleBin) {
  std::wstring bin = at(L"RECYCLER");
  hub->setFolder(FolderCode::lx, bin);
  writeSizedFile(bin + L"\\S-1-5-21\\Dc1.txt", 100);
  writeSizedFile(bin + L"\\S-1-5-21\\Dc2.txt", 2000);
  writeSizedFile(bin + L"\\NPROTECT\\keep.dat", 10);
  writeSizedFile(bin + L"\\INFO2", 20);
  TempFolder scratch;
  std::wstring binned = scratch.writeFile(L"binned.txt", "x");
  ASSERT_TRUE(win::recycle(binned));
  ASSERT_TRUE(inRecycleBin(binned));
  hub->fire(L"Deletefiles1");  // the recycle mode: Recycle still deletes from disk

  press(L"BitBtnWithColor7");
  EXPECT_FALSE(inRecycleBin(binned)) << "the bin was emptied";
  EXPECT_FALSE(fileExists(bin + L"\\S-1-5-21"));
  EXPECT_FALSE(fileExists(bin + L"\\INFO2"));
  EXPECT_TRUE(fileExists(bin + L"\\NPROTECT\\keep.dat"));
  EXPECT_EQ(mark(bin + L"\\S-1-5-21\\Dc1.txt"), L"Deleted");
  EXPECT_EQ(mark(bin + L"\\S-1-5-21\\Dc2.txt"), L"Deleted");
  EXPECT_EQ(mark(bin + L"\\S-1-5-21"), L"Deleted");
  EXPECT_EQ(mark(bin + L"\\INFO2"), L"Deleted");
  EXPECT_EQ(rowOf(bin + L"\\NPROTECT"), -1);
  EXPECT_EQ(hub->text(L"Edit3"), L"Recycle Bin Cleaned");

  // Later presses remove empty subfolders only.
  writeSizedFile(bin + L"\\S-2\\kept.txt", 10);
  CreateDirectoryW((bin + L"\\S-3").c_str(), nullptr);
  press(L"BitBtnWithColor7");
  EXPECT_TRUE(fileExists(bin + L"\\S-2\\kept.txt"));
  EXPECT_EQ(rowOf(bin + L"\\S-2"), -1);
  EXPECT_EQ(mark(bin + L"\\S-3"), L"Deleted");
}

// In recycle mode the bin holds the undo of everything Click all removed; its last step empties
// the bin only after a Yes.
TEST_F(HubCleaners, ClickAllInRecycleModeEmptiesTheRecycleBinOnlyAfterAYes) {
  hub->setFolder(FolderCode::lx, at(L"RECYCLER"));
  hub->fire(L"Deletefiles1");
  const std::wstring junkFile = at(L"a\\junk.tmp");
  const std::wstring question = L"Empty the recycle bin too? What this cleaning sent there would be lost for good.";
  for (int answer : {IDNO, IDYES}) {
    drive.folder().writeFile(L"a\\junk.tmp", "junk");
    dialogs->messages.clear();
    dialogs->answers.assign(40, answer);  // every box of the chain; only the question reads it
    press(L"URLLabel2");
    const std::vector<std::wstring> shown = texts();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), question), 1) << answer;
    EXPECT_FALSE(fileExists(junkFile));
    EXPECT_EQ(inRecycleBin(junkFile), answer == IDNO) << answer;
  }
}

TEST_F(HubCleaners, RecycleLeavesAGuessedFolderAndStopsWithoutOneRecycleBin) {
  ASSERT_TRUE(hub->folders()[FolderCode::lx].empty()) << "this prefix has a recycle folder";
  TempFolder scratch;
  std::wstring binned = scratch.writeFile(L"binned.txt", "x");
  ASSERT_TRUE(win::recycle(binned));
  press(L"BitBtnWithColor7");
  EXPECT_TRUE(inRecycleBin(binned)) << "without a recycle folder the bin is not emptied";
  EXPECT_EQ(hub->text(L"Edit3"), L"");
  EXPECT_EQ(rows(), 0);

  std::wstring guessed = at(L"Guessed");
  writeSizedFile(guessed + L"\\file.txt", 10);
  hub->setFolder(FolderCode::lx, guessed);
  press(L"BitBtnWithColor7");
  EXPECT_TRUE(fileExists(guessed + L"\\file.txt"));
  EXPECT_FALSE(inRecycleBin(binned));
  EXPECT_EQ(hub->text(L"Edit3"), L"Recycle Bin Cleaned");
}

TEST_F(HubCleaners, RecentEmptiesItsFolderEachPressAndWarnsWithoutOne) {
  std::wstring recent = at(L"Recent");
  hub->runFolders().recent = recent;
  writeSizedFile(recent + L"\\a.lnk", 300);
  writeSizedFile(recent + L"\\b.txt", 10);
  press(L"BitBtnWithColor8");
  EXPECT_FALSE(fileExists(recent + L"\\a.lnk"));
  EXPECT_EQ(mark(recent + L"\\a.lnk"), L"Deleted");
  EXPECT_EQ(mark(recent + L"\\b.txt"), L"Deleted");
  EXPECT_NEAR(hub->accounting().recoveredKB, 310.0 / 1024 + 2 * 0.05, 1e-9);
  writeSizedFile(recent + L"\\c.lnk", 1);
  press(L"BitBtnWithColor8");
  EXPECT_FALSE(fileExists(recent + L"\\c.lnk"));
  EXPECT_EQ(hub->text(L"Edit3"), L"Recent list cleaned");
  EXPECT_TRUE(dialogs->messages.empty());

  hub->runFolders().recent = at(L"NoSuchFolder");
  press(L"BitBtnWithColor8");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"This computer dont have a recent opened documents list (start menu)");
  EXPECT_EQ(dialogs->messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

TEST_F(HubCleaners, CleanAllWithNoToEveryQuestionRunsSearchDeleteRecentCacheAndHistoryOnly) {
  writeSizedFile(at(L"junk.tmp"), 10);
  writeSizedFile(at(L"Temp\\stays.txt"), 10);
  hub->runFolders().recent = at(L"Recent");
  writeSizedFile(at(L"Recent\\doc.lnk"), 10);
  hub->fire(L"BitBtnWithColor1");
  EXPECT_FALSE(fileExists(at(L"junk.tmp")));
  EXPECT_TRUE(fileExists(at(L"Temp\\stays.txt")));
  EXPECT_FALSE(fileExists(at(L"Recent\\doc.lnk")));
  // Cache finds no browser on this drive; History takes the prefix's own cache folder (on C:, as
  // the system names it, "INetCache") for its browser, as it takes any drive's.
  std::wstring noBrowser = std::wstring(L"Cannot find Web Browser on disk:  ") + drive.letter();
  std::vector<std::wstring> expected = {L"Found 1.01   KB in  1 unnecessary, temporary and error files. (click delete button to remove it)",
                                        L"Clean Windows Temp Folder now ?", L"Clean Recycle Bin now ?", noBrowser,
                                        L"Clean all Browser Cookies now ?"};
  EXPECT_EQ(texts(), expected);
  for (const auto& shown : dialogs->messages) {
    if (shown.text.ends_with(L"?")) {
      ASSERT_TRUE(shown.at);
      EXPECT_EQ(shown.at->x, 200);
      EXPECT_EQ(shown.at->y, 200);
      EXPECT_EQ(shown.flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    }
  }
  EXPECT_TRUE(hub->enabled(L"BitBtnWithColor9"));
  EXPECT_FALSE(hub->enabled(L"BitBtnWithColor13")) << "the hidden Cookies button stays disabled";
}

TEST_F(HubCleaners, CookiesKeepTheBoxesAsTheyWereAfterItsFolderScan) {
  hub->setFolder(FolderCode::ni, L"C:\\Mozilla\\Profiles\\x");  // on another drive: the scan runs
  hub->setChecked(L"CheckBox2", false);
  hub->setChecked(L"ChB3", false);
  press(L"BitBtnWithColor13");
  EXPECT_FALSE(hub->checked(L"CheckBox2"));
  EXPECT_FALSE(hub->checked(L"ChB3"));
  EXPECT_TRUE(hub->checked(L"ChB1"));
  EXPECT_EQ(hub->text(L"Edit3"), L"Cookies Cleaned");
  EXPECT_TRUE(recorder.waitFor(L"InetCpl.cpl,ClearMyTracksByProcess 2"));
}

TEST_F(HubCleaners, CheckAllAndUncheckLeaveTheRemovalModeAlone) {
  hub->fire(L"BitBtnWithColor14");
  for (const wchar_t* box : app::Tfsweep::patternBoxNames()) EXPECT_FALSE(hub->checked(box)) << box;
  EXPECT_TRUE(hub->checked(L"Deletefiles1"));
  hub->fire(L"BitBtnWithColor10");
  for (const wchar_t* box : app::Tfsweep::patternBoxNames()) EXPECT_TRUE(hub->checked(box)) << box;
  EXPECT_TRUE(hub->checked(L"Deletefiles1"));
}

// What a timer sees while a cleaner lets the message queue run.
struct Seen {
  app::Tfsweep* hub = nullptr;
  int looks = 0;
  bool anyEnabled = false;
};
Seen* seen = nullptr;

void CALLBACK lookDuringAction(HWND, UINT, UINT_PTR, DWORD) {
  ++seen->looks;
  for (const wchar_t* name : {L"BitBtnWithColor5", L"bwc10", L"BitBtnWithColor9", L"BitBtnWithColor7", L"URLLabel2",
                              L"BitBtnWithColor10", L"BitBtnWithColor14", L"DCB1", L"Deletefiles1", L"ChB1",
                              L"CheckBox26"}) {
    seen->anyEnabled = seen->anyEnabled || seen->hub->enabled(name);
  }
}

TEST_F(HubCleaners, WhileACleanerRunsNoOtherActionCanStart) {
  std::wstring recent = at(L"Recent");
  hub->runFolders().recent = recent;
  for (int i = 0; i < 40; ++i) writeSizedFile(recent + L"\\f" + std::to_wstring(i) + L".lnk", 1);
  Seen look;
  look.hub = hub;
  seen = &look;
  UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, lookDuringAction);
  hub->fire(L"BitBtnWithColor8");
  KillTimer(nullptr, timer);
  seen = nullptr;
  ASSERT_GT(look.looks, 0) << "the cleaner never let the queue run";
  EXPECT_FALSE(look.anyEnabled);
  EXPECT_TRUE(hub->enabled(L"BitBtnWithColor9"));
  EXPECT_TRUE(hub->enabled(L"ChB1"));
  EXPECT_TRUE(hub->enabled(L"Deletefiles1"));
}

TEST_F(HubCleaners, ClosingTheHubDuringACleanerWaitsForItsEnd) {
  std::wstring recent = at(L"Recent");
  hub->runFolders().recent = recent;
  for (int i = 0; i < 20; ++i) writeSizedFile(recent + L"\\f" + std::to_wstring(i) + L".lnk", 1);
  HWND window = hub->hwnd();
  PostMessageW(window, WM_CLOSE, 0, 0);  // taken while the cleaner lets the queue run
  hub->fire(L"BitBtnWithColor8");
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(fileExists(recent + L"\\f" + std::to_wstring(i) + L".lnk")) << i;
  EXPECT_EQ(hub->text(L"Edit3"), L"Recent list cleaned");
  pump(200);
  EXPECT_FALSE(IsWindow(window)) << "the close was carried out once the cleaner ended";
}

TEST_F(HubCleaners, ClosingTheHubDuringCleanAllsSearchRemovesNothing) {
  writeSizedFile(at(L"a\\junk.tmp"), 10);
  writeSizedFile(at(L"Temp\\stays.txt"), 10);
  HWND window = hub->hwnd();
  PostMessageW(window, WM_CLOSE, 0, 0);  // taken while the search lets the queue run
  hub->fire(L"BitBtnWithColor1");
  EXPECT_TRUE(fileExists(at(L"a\\junk.tmp"))) << "Delete did not run after the close";
  EXPECT_TRUE(fileExists(at(L"Temp\\stays.txt")));
  EXPECT_TRUE(dialogs->messages.empty()) << "no question after the close";
  pump(200);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(HubCleaners, ClosingTheHubDuringClickAllEndsTheChainAfterThePressThatRuns) {
  writeSizedFile(at(L"a\\junk.tmp"), 10);
  writeSizedFile(at(L"Temp\\stays.txt"), 10);
  HWND window = hub->hwnd();
  PostMessageW(window, WM_CLOSE, 0, 0);
  hub->fire(L"URLLabel2");
  EXPECT_TRUE(fileExists(at(L"a\\junk.tmp"))) << "Delete did not run after the close";
  EXPECT_TRUE(fileExists(at(L"Temp\\stays.txt")));
  EXPECT_TRUE(dialogs->messages.empty());
  pump(200);
  EXPECT_FALSE(IsWindow(window));
}

class AutomaticCacheCleanUp : public HubCleaners {
 protected:
  SavedValue persistent{HKEY_CURRENT_USER, kCacheKey, L"Persistent"};
};

TEST_F(AutomaticCacheCleanUp, IntegersFlipBetweenZeroAndOne) {
  persistent.set(REG_DWORD, {1, 0, 0, 0});
  hub->fire(L"ac1");
  EXPECT_EQ(persistent.value()->data, (std::vector<BYTE>{0, 0, 0, 0}));
  EXPECT_TRUE(hub->checked(L"ac1"));
  persistent.set(REG_DWORD, {5, 0, 0, 0});
  hub->fire(L"ac1");
  EXPECT_EQ(persistent.value()->data, (std::vector<BYTE>{1, 0, 0, 0}));
  EXPECT_FALSE(hub->checked(L"ac1"));
  EXPECT_EQ(texts(), (std::vector<std::wstring>{L"Automatic clean-up enabled", L"Automatic clean-up disabled"}));
}

TEST_F(AutomaticCacheCleanUp, BinaryValuesKeepTheirTypeAndFourBytes) {
  persistent.set(REG_BINARY, {1, 0, 0, 0});
  hub->fire(L"ac1");
  EXPECT_EQ(persistent.value()->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(persistent.value()->data, (std::vector<BYTE>{0, 0, 0, 0}));
  EXPECT_TRUE(hub->checked(L"ac1"));
  persistent.set(REG_BINARY, {1, 0});  // shorter than four bytes: not 1
  hub->fire(L"ac1");
  EXPECT_EQ(persistent.value()->data, (std::vector<BYTE>{1, 0, 0, 0}));
  EXPECT_FALSE(hub->checked(L"ac1"));
  EXPECT_EQ(texts(), (std::vector<std::wstring>{L"Automatic clean-up enabled", L"Automatic IE cache clean-up disabled"}));
}

TEST_F(AutomaticCacheCleanUp, WithoutTheValueZeroIsWrittenSilently) {
  persistent.remove();
  hub->fire(L"ac1");
  ASSERT_TRUE(persistent.value());
  EXPECT_EQ(persistent.value()->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(persistent.value()->data, (std::vector<BYTE>{0, 0, 0, 0}));
  EXPECT_TRUE(hub->checked(L"ac1"));
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_FALSE(win::RegistryKey::open(HKEY_CURRENT_USER, std::wstring(kCacheKey) + L"\\Persistent"));
}

}  // namespace
}  // namespace kestova::test
