#include "app/HubCleaners.h"

#include <functional>
#include <initializer_list>

#include "app/JunkCleaner.h"
#include "app/Tfsweep.h"
#include "app/hub_action.h"
#include "core/cleaner_rules.h"
#include "junk/bin_cleaner.h"
#include "junk/browser_cleaner.h"
#include "junk/cleaner_context.h"
#include "junk/folder_guard.h"
#include "junk/temp_cleaner.h"
#include "ui/application.h"
#include "ui/grid.h"
#include "win/app_title.h"
#include "win/dialogs.h"
#include "win/process.h"
#include "win/program_folder.h"
#include "win/registry_key.h"
#include "win/shell.h"
#include "win/url_history.h"

namespace kestova::app {

using junk::BrowserCleaner;
using junk::CleanerContext;
using junk::CodedPath;
using junk::emptyRecycleBins;
using junk::isRecycleFolderName;

namespace {

using Counter = Tfsweep::Counter;

constexpr const wchar_t* kBusyText = L"Deleting junk files - please wait";
constexpr POINT kQuestionPosition = {200, 200};
constexpr const wchar_t* kPersistentKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
constexpr const wchar_t* kBrowserKey = L"Software\\Microsoft\\Internet Explorer";

bool isDirectory(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CleanerContext HubCleaners::context() {
  return CleanerContext{hub_.accounting(), junk_, hub_.hwnd(), !hub_.checked(L"Deletefiles1"), junk_.recycler()};
}

std::wstring HubCleaners::drive() const { return std::wstring(1, hub_.currentDrive()); }

int HubCleaners::browserVersion() const {
  auto key = win::RegistryKey::open(HKEY_LOCAL_MACHINE, kBrowserKey);
  if (!key) return 0;
  auto value = key->value(L"Version");
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ) || value->data.size() < sizeof(wchar_t)) {
    return 0;
  }
  return kestova::browserVersion(std::wstring_view(reinterpret_cast<const wchar_t*>(value->data.data()), 1));
}

void HubCleaners::clearTracks(int what, int show) {
  std::wstring system = hub_.runFolders().system;
  if (system.empty()) {
    wchar_t buffer[MAX_PATH] = {};
    if (GetSystemDirectoryW(buffer, MAX_PATH)) system = buffer;
  }
  win::startProgram(withTrailingSlash(system) + L"rundll32.exe",
                    L"InetCpl.cpl,ClearMyTracksByProcess " + std::to_wstring(what), static_cast<WORD>(show));
}

void HubCleaners::discoverIf(bool needed) {
  SwitchStates states = hub_.switchStates();
  hub_.storeSwitchCodes();
  hub_.checkAllPatterns(false);
  hub_.clearGrid();
  if (needed) junk_.discoverFolders();
  hub_.setSwitchStates(states);
  hub_.reapplyFolders();
}

bool HubCleaners::refused(std::initializer_list<CodedPath> folders) {
  std::optional<std::wstring> text = refusalToClean(folders);
  if (!text) return false;
  say(*text);
  hub_.setStatus(L"", false);
  return true;
}

void HubCleaners::finish(const wchar_t* status) {
  hub_.showCapacity();
  hub_.showRecovered();
  hub_.setStatus(status, false);
}

// Temp Dir ---------------------------------------------------------------------------------------

void HubCleaners::BitBtn10Click() {
  HubAction action(hub_);
  tempDir();
}

void HubCleaners::tempDir() {
  if (!hub_.countPress(Counter::kTempCounter)) {
    hub_.clearGrid();
    return;
  }
  hub_.setStatus(L"Emptying temporary folders - please wait (can take several minutes).", true);
  junk_.resetListing();
  hub_.clearGrid();
  std::vector<std::wstring> candidates = tempFolderCandidates(hub_.currentDrive(), hub_.folders()[FolderCode::ie]);
  std::size_t unreadable = cleanTempFolders(candidates, context(), win::programFolder());
  finish(L"Temp folder cleaned");
  junk_.skipRows(3);
  ui::Grid& grid = hub_.grid(L"asg1");
  grid.setRowCount(junk_.rowCount() + 3);
  grid.setCell(1, junk_.rowCount(), L"Root Temp dir files displayed, subdirs are cleaned also");
  if (unreadable > 0) say(unreadableFoldersText(unreadable));
}

// Cache, History, Cookies ------------------------------------------------------------------------

void HubCleaners::BitBtn5Click() {
  HubAction action(hub_);
  cache();
}

void HubCleaners::cache() {
  if (!hub_.countPress(Counter::kCacheCounter)) {
    hub_.clearGrid();
    return;
  }
  hub_.setStatus(kBusyText, true);
  wchar_t letter = hub_.currentDrive();
  const std::wstring& nc = hub_.folders()[FolderCode::nc];
  const std::wstring& ie = hub_.folders()[FolderCode::ie];
  discoverIf((nc.empty() && ie.empty()) || (!nc.empty() && !liesOnDrive(nc, letter)) ||
             (!ie.empty() && !liesOnDrive(ie, letter)));
  junk_.resetListing();
  hub_.clearGrid();

  bool netscape = netscapePresent(nc, letter) && liesOnDrive(nc, letter);
  bool system = isSystemBrowserCachePath(ie) && liesOnDrive(ie, letter);
  BrowserCleaner cleaner(context());
  bool urlCache = false;
  if (!netscape && !system) {
    say(L"Cannot find Web Browser on disk:  " + drive());
  } else {
    if (refused({{FolderCode::nc, netscape ? nc : L""}, {FolderCode::ie, system ? ie : L""}})) return;
    if (netscape) urlCache = !cleaner.emptyCacheFolder(nc) || urlCache;
    if (system) urlCache = !cleaner.emptyCacheFolder(ie) || urlCache;
    if (junk_.rowCount() > 0) {
      junk_.writeSummary();
      junk_.skipRows(3);
    }
  }
  hub_.setDeleteButtons(false);
  junk_.skipRows(1);
  hub_.setStatus(kBusyText, true);
  if (urlCache) {
    int version = browserVersion();
    if (version > 6) clearTracks(8, SW_HIDE);
    int unlisted = cleaner.cleanUrlCache(400);
    std::wstring content = withTrailingSlash(ie) + L"Content.IE5";
    if (isDirectory(content)) cleaner.emptyContentFolder(content, version > 6);
    if (version > 6) junk_.addRow({L"Cache folders", L"emptied", L"1 KB", L""});
    junk_.skipRows(1);
    if (unlisted > 0) junk_.addRow({L"first 400", L"cache items displayed", L"", L""});
  }
  finish(L"Browser Cache Cleaned");
  junk_.pump();
}

void HubCleaners::BitBtn3Click() {
  HubAction action(hub_);
  history();
}

void HubCleaners::history() {
  if (!hub_.countPress(Counter::kHistoryCounter)) {
    hub_.clearGrid();
    return;
  }
  hub_.setStatus(kBusyText, true);
  wchar_t letter = hub_.currentDrive();
  const std::wstring& ni = hub_.folders()[FolderCode::ni];
  const std::wstring& hi = hub_.folders()[FolderCode::hi];
  discoverIf((ni.empty() && hi.empty()) || (!ni.empty() && !liesOnDrive(ni, letter)) ||
             (!hi.empty() && !liesOnDrive(hi, letter)));
  junk_.resetListing();
  hub_.clearGrid();
  junk_.pump();

  bool netscape = netscapePresent(ni, letter) && liesOnDrive(ni, letter);
  bool system = isSystemBrowserCachePath(hub_.folders()[FolderCode::ie]);
  if (!netscape && !system) {
    // Nothing was found, so nothing is cleared and nothing reported cleaned.
    say(L"Cannot find Web Browser on disk:  " + drive());
    hub_.setStatus(L"", false);
    return;
  }
  bool history = !hi.empty() && liesOnDrive(hi, letter);
  if (refused({{FolderCode::ni, netscape ? ni : L""}, {FolderCode::hi, history ? hi : L""}})) return;
  BrowserCleaner cleaner(context());
  if (netscape) cleaner.cleanProfileHistory(ni);
  if (history) cleaner.cleanHistoryFolder(hi);
  if (junk_.rowCount() > 0) {
    junk_.writeSummary(L"Total deleted space :");
    junk_.skipRows(3);
  }
  junk_.addRow({L"History", L"cleaned", L"", L""});
  hub_.setDeleteButtons(false);
  if (browserVersion() < 7) {
    win::clearUrlHistory();  // a browser without the object keeps its history
  } else {
    clearTracks(1, SW_SHOW);
  }
  finish(L"Browser History Cleaned");
}

void HubCleaners::BitBtn4Click() {
  HubAction action(hub_);
  cookies();
}

void HubCleaners::cookies() {
  if (!hub_.countPress(Counter::kCookiesCounter)) {
    hub_.clearGrid();
    return;
  }
  const std::wstring& folder = hub_.runFolders().cookies;
  if (win::confirmAt(hub_.hwnd(), L"Click YES to manage cookies - click NO to delete all cookies", kQuestionPosition)) {
    if (!folder.empty()) win::shellOpen(folder, L"open", hub_.hwnd());
    return;
  }
  hub_.setStatus(kBusyText, true);
  wchar_t letter = hub_.currentDrive();
  const std::wstring& ni = hub_.folders()[FolderCode::ni];
  junk_.resetListing();
  hub_.clearGrid();
  discoverIf((folder.empty() && ni.empty()) || (!ni.empty() && !liesOnDrive(ni, letter)));

  bool inFolder = !folder.empty() && liesOnDrive(folder, letter);
  bool inProfile = netscapePresent(ni, letter) && liesOnDrive(ni, letter);
  if (refused({{std::nullopt, inFolder ? folder : L""}, {FolderCode::ni, inProfile ? ni : L""}})) return;
  BrowserCleaner cleaner(context());
  if (inFolder) cleaner.cleanCookiesFolder(folder);
  if (inProfile) cleaner.cleanProfileCookies(ni);
  hub_.setDeleteButtons(false);
  if (browserVersion() < 7) {
    cleaner.deleteCookieEntries();
  } else {
    clearTracks(2, SW_SHOW);
  }
  finish(L"Cookies Cleaned");
}

// Recycle, Recent --------------------------------------------------------------------------------

void HubCleaners::BitBtn1Click() {
  HubAction action(hub_);
  recycle();
}

void HubCleaners::recycle() {
  bool firstPress = hub_.countPress(Counter::kRecycleCounter);
  hub_.setStatus(kBusyText, true);
  junk_.resetListing();
  const std::wstring& folder = hub_.folders()[FolderCode::lx];
  discoverIf(folder.empty());
  hub_.clearGrid();
  if (folder.empty()) {
    hub_.setStatus(L"", false);
    return;
  }
  // Only a folder named as a recycle bin is emptied item by item; a guessed one is left alone.
  if (isRecycleFolderName(folder)) cleanRecycleFolder(folder, firstPress, context());
  emptyRecycleBins(hub_.hwnd());
  finish(L"Recycle Bin Cleaned");
}

void HubCleaners::BitBtn2Click() {
  HubAction action(hub_);
  recent();
}

void HubCleaners::recent() {
  hub_.setStatus(kBusyText, true);
  junk_.resetListing();
  hub_.clearGrid();
  const std::wstring& folder = hub_.runFolders().recent;
  if (folder.empty() || !isDirectory(folder)) {
    win::dialogs().message(hub_.hwnd(), L"This computer dont have a recent opened documents list (start menu)",
                           win::kAppTitle, MB_OK | MB_ICONWARNING);
  } else {
    cleanRecentFolder(folder, context());
  }
  finish(L"Recent list cleaned");
}

// Click all, Clean All ---------------------------------------------------------------------------

void HubCleaners::search() {
  std::wstring message = junk_.search();
  if (!hub_.closeWaiting()) say(message);
}

void HubCleaners::say(const std::wstring& text) {
  hub_.grid(L"asg1").sync();  // the box does not hide rows the grid has not shown yet
  win::showMessage(hub_.hwnd(), text);
}

void HubCleaners::URLLabel2Click() {
  HubAction action(hub_);
  // Each press lets the queue run; a close asked for meanwhile ends the chain after that press.
  const std::initializer_list<void (HubCleaners::*)()> presses = {
      &HubCleaners::search, &HubCleaners::removeListed, &HubCleaners::tempDir, &HubCleaners::recent,
      &HubCleaners::cache,  &HubCleaners::history};
  for (auto press : presses) {
    (this->*press)();
    ui::Application::processMessages();
    if (action.closeRequested()) return;
  }
  ui::Application::processMessages();
  // In recycle mode the bin holds the only undo of everything this cleaning removed.
  if (!hub_.checked(L"Deletefiles1") &&
      !win::confirm(hub_.hwnd(), L"Empty the recycle bin too? What this cleaning sent there would be lost for good.")) {
    return;
  }
  recycle();
  ui::Application::processMessages();
}

void HubCleaners::BitBtnWithColor1Click() {
  HubAction action(hub_);
  auto ask = [this](const wchar_t* question) {
    return win::confirmAt(hub_.hwnd(), question, kQuestionPosition);
  };
  // A close asked for during a press ends the chain after that press.
  const std::function<void()> presses[] = {
      [this] { search(); },
      [this] { removeListed(); },
      [&] {
        if (ask(L"Clean Windows Temp Folder now ?")) tempDir();
      },
      [this] { recent(); },
      [&] {
        if (ask(L"Clean Recycle Bin now ?")) recycle();
      },
      [this] { cache(); },
      [this] { history(); },
      [&] {
        if (ask(L"Clean all Browser Cookies now ?")) cookies();
      },
  };
  for (const auto& press : presses) {
    if (action.closeRequested()) return;
    press();
  }
}

void HubCleaners::removeListed() { junk_.removeListed(); }

// The browser items of "Optio&ns" ----------------------------------------------------------------

void HubCleaners::ac1Click() {
  std::optional<win::RegistryKey> key =
      win::RegistryKey::open(HKEY_CURRENT_USER, kPersistentKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
  std::optional<win::RegistryValue> value;
  if (key) value = key->value(L"Persistent");
  if (!value) {
    win::RegistryKey::create(HKEY_CURRENT_USER, kPersistentKey).setDword(L"Persistent", 0);
    hub_.setChecked(L"ac1", true);
    return;
  }
  if (value->type == REG_DWORD && value->data.size() >= 4) {
    DWORD old = *reinterpret_cast<const DWORD*>(value->data.data());
    DWORD written = old == 1 ? 0 : 1;
    key->setDword(L"Persistent", written);
    hub_.setChecked(L"ac1", written == 0);
    win::showMessage(hub_.hwnd(), written == 0 ? L"Automatic clean-up enabled" : L"Automatic clean-up disabled");
  } else if (value->type == REG_BINARY) {
    // Fewer than four bytes count as neither 0 nor 1.
    bool wasOne = value->data.size() >= 4 && value->data[0] == 1 && value->data[1] == 0 && value->data[2] == 0 &&
                  value->data[3] == 0;
    BYTE written = wasOne ? 0 : 1;
    key->setValue(L"Persistent", REG_BINARY, {written, 0, 0, 0});
    hub_.setChecked(L"ac1", written == 0);
    win::showMessage(hub_.hwnd(),
                     written == 0 ? L"Automatic clean-up enabled" : L"Automatic IE cache clean-up disabled");
  }
}

void HubCleaners::firefoxItemClick() {
  win::showMessage(hub_.hwnd(), L"Open Firefox, hit menu TOOLS -> OPTIONS and MARK - always clear my private data");
}

}  // namespace kestova::app
