#include "app/Tfsweep.h"

#include <algorithm>
#include <array>
#include <utility>
#include <cwctype>

#include "app/AboutBox.h"
#include "app/Tffolders.h"
#include "app/Tftips.h"
#include "app/app_windows.h"
#include "app/help.h"
#include "app/hub_texts.h"
#include "app/settings_files.h"
#include "app/update_check.h"
#include "app/web_addresses.h"
#include "dupes/Tfdups.h"
#include "junk/HubCleaners.h"
#include "junk/JunkCleaner.h"
#include "registry/TMainForm.h"
#include "shredder/TFwipe.h"
#include "spyware/Tfspy.h"
#include "stats/Tfstat.h"
#include "sysinfo/Tfinfo.h"
#include "traces/Tfsoftclean.h"
#include "ui/grid.h"
#include "ui/translation.h"
#include "ui/url_label.h"
#include "win/error.h"
#include "win/jpeg_image.h"
#include "win/program_folder.h"
#include "win/registry_key.h"
#include "win/shell.h"
#include "win/shell_folders.h"
#include "win/volume.h"

namespace kestova::app {
namespace {

using ui::Kind;

constexpr UINT_PTR kTimer3 = 3;
constexpr COLORREF kRunningColor = RGB(0, 0, 255);
constexpr COLORREF kDoneColor = RGB(0, 0, 0);
constexpr COLORREF kHeaderColor = 1973790;
constexpr const wchar_t* kBackgroundPicture = L"hub.jpg";
constexpr const wchar_t* kPersistentKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";

// Pattern boxes in the order of their switch codes; "D-link" has a hint of its own.
struct PatternBox {
  const wchar_t* name;
  const wchar_t* caption;
};
constexpr PatternBox kPatternBoxes[] = {
    {L"ChB1", L"*.Tmp"},        {L"ChB2", L"*.Gid"},       {L"ChB3", L"*.$$$"},      {L"ChB4", L"~*.*"},
    {L"ChB5", L"*.---"},        {L"ChB6", L"*.Chk"},       {L"ChB7", L"*.~*"},       {L"ChB8", L"*.Ftg"},
    {L"ChB9", L"*.Old"},        {L"ChB10", L"*.Fts"},      {L"CheckBox2", L"*.Log"}, {L"CheckBox5", L"*.Ac$"},
    {L"CheckBox6", L"*.Swr"},   {L"CheckBox7", L"*.Xlg"},  {L"CheckBox10", L"*.Dmp"}, {L"CheckBox12", L"*.^"},
    {L"CheckBox13", L"*.___"},  {L"CheckBox16", L"*.chw"}, {L"CheckBox17", L"*.Bk!"}, {L"CheckBox18", L"*.Err"},
    {L"CheckBox19", L"*.??$"},  {L"CheckBox20", L"*.$sa"}, {L"CheckBox21", L"*.Asd"}, {L"CheckBox22", L"*.Nch"},
    {L"CheckBox23", L"*.*~"},   {L"CheckBox24", L"Chklist.ms"}, {L"CheckBox26", L"D-link"},
};

const ui::ControlSpec kControls[] = {
    // The label row that opens the tools; the coloured buttons beside them are hidden.
    {L"Label3", Kind::LinkLabel, 10, 6, 44, 16, L"Graph", L"View DIsk Graphics and Stats"},
    {L"Label7", Kind::LinkLabel, 62, 6, 66, 16, L"Duplicate"},
    {L"Label12", Kind::LinkLabel, 136, 6, 62, 16, L"Shredder"},
    {L"Label11", Kind::LinkLabel, 206, 6, 64, 16, L"PC errors", L"Registry cleaner"},
    {L"Label9", Kind::LinkLabel, 278, 6, 92, 16, L"Block spyware"},
    {L"Label10", Kind::LinkLabel, 378, 6, 62, 16, L"Winclean", L"Clean items in popular sofatwares"},
    {L"Label8", Kind::LinkLabel, 448, 6, 40, 16, L"Tools", L"Disk Information and System info"},
    {L"Label4", Kind::LinkLabel, 496, 6, 50, 16, L"Legend"},
    {L"Label5", Kind::LinkLabel, 554, 6, 36, 16, L"Tips", L"", false},
    {L"Label13", Kind::LinkLabel, 598, 6, 48, 16, L"Update"},
    {L"UrlLabel1", Kind::URLLabel, 654, 6, 60, 16, L"Website"},
    {L"BitBtnWithColor6", Kind::ColorButton, 10, 24, 60, 22, L"&Graph", L"", false},
    {L"BitBtnWithColor4", Kind::ColorButton, 74, 24, 60, 22, L"D&uplicate", L"", false},
    {L"BitBtnWithColor18", Kind::ColorButton, 138, 24, 60, 22, L"Shre&dder", L"", false},
    {L"BitBtnWithColor17", Kind::ColorButton, 202, 24, 60, 22, L"Regclea&n", L"", false},
    {L"BitBtnWithColor16", Kind::ColorButton, 266, 24, 60, 22, L"Spy&ware", L"", false},
    {L"BitBtnWithColor2", Kind::ColorButton, 330, 24, 60, 22, L"So&ftclean", L"", false},
    {L"BitBtnWithColor3", Kind::ColorButton, 394, 24, 60, 22, L"&Info", L"", false},
    {L"BitBtnWithColor15", Kind::ColorButton, 458, 24, 60, 22, L"", L"Mark Extentions to search for", false},

    {L"DCB1", Kind::ComboBox, 10, 30, 120, 22},
    {L"Edit1", Kind::ReadOnlyEdit, 138, 30, 400, 20, L"",
     L"disk size/free size(note:free size may vary due to swap file allocation)"},
    {L"Edit2", Kind::ReadOnlyEdit, 138, 54, 400, 20},
    {L"Edit3", Kind::ReadOnlyEdit, 10, 78, 516, 20},
    {L"Label2", Kind::Label, 532, 82, 112, 16, L"View largest"},

    {L"asg1", Kind::Grid, 10, 104, 628, 270},

    // The cleaning buttons.
    {L"BitBtnWithColor5", Kind::ColorButton, 648, 30, 102, 26, L"&Search", L"", true, true, RGB(192, 220, 255)},
    {L"bwc10", Kind::ColorButton, 648, 60, 102, 26, L"De&lete", L"", true, true, RGB(255, 208, 208)},
    {L"BitBtnWithColor9", Kind::ColorButton, 648, 90, 102, 26, L"Tem&p Dir", L"Clean temporary folders of disk"},
    {L"BitBtnWithColor8", Kind::ColorButton, 648, 120, 102, 26, L"R&ecent", L"Clean Windows Recent Documents List"},
    {L"BitBtnWithColor11", Kind::ColorButton, 648, 150, 102, 26, L"&Cache",
     L"Deletes web browser cache for select drive(if exists)"},
    {L"BitBtnWithColor12", Kind::ColorButton, 648, 180, 102, 26, L"&History", L"Clears the history of url's  you see"},
    {L"BitBtnWithColor13", Kind::ColorButton, 648, 210, 102, 26, L"Co&okies", L"Clean cookies", false, false},
    {L"BitBtnWithColor7", Kind::ColorButton, 648, 210, 102, 26, L"Rec&ycle", L"Clean Recycle bin (Windows)"},
    {L"URLLabel2", Kind::LinkLabel, 652, 244, 98, 16, L"Click all", L"clicks in all buttons above"},
    {L"BitBtnWithColor1", Kind::ColorButton, 648, 266, 102, 26, L"C&lean All", L"", false},
    {L"BB4", Kind::Button, 648, 300, 102, 26, L"&Search"},
    {L"BB5", Kind::Button, 648, 330, 102, 26, L"&Delete", L"Delete files showed on grid"},
    {L"BitBtnWithColor10", Kind::ColorButton, 648, 382, 102, 24, L"Check All"},
    {L"BitBtnWithColor14", Kind::ColorButton, 648, 414, 102, 24, L"Uncheck"},
};

const ui::MenuSpec kMenu[] = {
    {L"options1", L"Optio&ns", 0},
    {L"Deletefiles1", L"Shred - &Delete files from disk", 1, true},
    {L"SenddeletedfilestoRecycledbin1", L"&Send deleted files to recycle bin", 1},
    {L"N1", L"-", 1},
    {L"ViewSetCleanFolders1", L"&View/Set folders path", 1},
    {L"N2", L"-", 1},
    {L"ac1", L"&Automatic clean IE cache(browser exit)", 1},
    {L"AutomaticcleanFirefoxcacheandhistorybrowserexit1", L"Automatic clean Firefox cache and history (browser exit) ", 1},
    {L"N3", L"-", 1},
    {L"Close1", L"&Close", 1},
    {L"Idiom1", L"&Idiom", 0},
    {L"Deutsch1", L"Deutsch", 1},
    {L"Dutch1", L"Dutch", 1},
    {L"English1", L"English", 1, true},
    {L"Espanol1", L"Espanol", 1},
    {L"Francais1", L"Francais", 1},
    {L"Italiano1", L"Italiano", 1},
    {L"Norwegian1", L"Norwegian", 1},
    {L"Portugues1", L"Portugues", 1},
    {L"HELP1", L"&Help", 0},
    {L"About2", L"Help&Topics", 1},
    {L"Support1", L"Suppo&rt", 1},
    {L"Website1", L"&Website", 1},
    {L"Update1", L"&Update", 1},
    {L"AutoUpdate1", L"&Check for updates", 2},
    {L"N4", L"-", 1},
    {L"About1", L"&About", 1},
};

// Language menu items by code.
constexpr const wchar_t* kLanguageItems[kLanguageCount] = {
    L"English1", L"Portugues1", L"Francais1", L"Espanol1", L"Italiano1", L"Dutch1", L"Deutsch1", L"Norwegian1"};

bool isDirectory(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Shows a window made on demand modally, then releases it.
template <typename Window, typename... Args>
void openOnDemand(std::unique_ptr<Window>& slot, HWND owner, Args&... args) {
  if (slot && slot->exists()) {
    slot->show();
    return;
  }
  slot = std::make_unique<Window>(args...);
  slot->showModal(owner);
  slot.reset();
}

}  // namespace

namespace {
ui::FormSpec hubSpec() {
  ui::FormSpec layout{L"Tfsweep", L"Kestova :  Free disk space", 760, 488};
  layout.bold = true;  // bold 8-point Arial
  return layout;
}
}  // namespace

Tfsweep::Tfsweep() : Form(hubSpec()) {}

void Tfsweep::build() {
  addMenu(kMenu);
  std::vector<ui::ControlSpec> controls(std::begin(kControls), std::end(kControls));
  for (std::size_t i = 0; i < std::size(kPatternBoxes); ++i) {
    int x = 10 + static_cast<int>(i % 7) * 90;
    int y = 380 + static_cast<int>(i / 7) * 19;
    const wchar_t* hint = std::wstring(kPatternBoxes[i].name) == L"CheckBox26" ? L"find dead links *.lnk" : L"";
    controls.push_back({kPatternBoxes[i].name, Kind::CheckBox, x, y, 88, 18, kPatternBoxes[i].caption, hint});
  }
  addControls(controls);
  for (const auto& box : kPatternBoxes) setChecked(box.name, true);

  ui::Grid& grid = this->grid(L"asg1");
  grid.setColumns({135, 363, 62, 61});
  grid.setRowHeight(15);
  grid.setHeaderColors(kHeaderColor, RGB(255, 255, 255));
  grid.cellColor = [&grid](int column, int row) {
    return grid.cell(column, row) == L"No" ? RGB(255, 255, 0) : RGB(255, 255, 255);
  };

  bindTools();
  bindJunkCleaner();
  on(L"DCB1", ui::Event::Change, [this] { DCB1Change(); });
  on(L"Close1", ui::Event::Click, [this] { close(); });
  on(L"BitBtnWithColor15", ui::Event::Click, [this] { BitBtnWithColor15Click(); });
  for (int code = 1; code <= kLanguageCount; ++code) {
    on(kLanguageItems[code - 1], ui::Event::Click, [this, code] { chooseLanguage(code); });
  }
}

void Tfsweep::bindTools() {
  Windows& w = windows();
  auto graph = [this, &w] { openOnDemand(w.statistics, hwnd()); };
  auto duplicates = [this, &w] {
    if (w.dups) w.dups->show();
    showCapacity();
    showRecovered();
    InvalidateRect(hwnd(), nullptr, TRUE);
  };
  auto shredder = [&w] {
    if (w.wipe) w.wipe->show();
  };
  auto registry = [this, &w] { openOnDemand(w.registryCleaner, hwnd()); };
  auto spyware = [this, &w] { openOnDemand(w.spyware, hwnd()); };
  auto traces = [this, &w] { openOnDemand(w.traces, hwnd()); };
  auto info = [this, &w] { openOnDemand(w.systemInfo, hwnd(), driveTable_); };
  const std::pair<const wchar_t*, std::function<void()>> tools[] = {
      {L"BitBtnWithColor6", graph},     {L"Label3", graph},     {L"BitBtnWithColor4", duplicates},
      {L"Label7", duplicates},          {L"BitBtnWithColor18", shredder}, {L"Label12", shredder},
      {L"BitBtnWithColor17", registry}, {L"Label11", registry}, {L"BitBtnWithColor16", spyware},
      {L"Label9", spyware},             {L"BitBtnWithColor2", traces},    {L"Label10", traces},
      {L"BitBtnWithColor3", info},      {L"Label8", info},
  };
  for (const auto& [name, handler] : tools) on(name, ui::Event::Click, handler);
  on(L"Label5", ui::Event::Click, [this, &w] { openOnDemand(w.tips, hwnd()); });
  on(L"Label4", ui::Event::Click, [this] { win::shellOpen(win::programFolder() + L"Legend.txt", L"open", hwnd()); });
  on(L"ViewSetCleanFolders1", ui::Event::Click, [this, &w] { openOnDemand(w.folders, hwnd(), *this); });
  on(L"About2", ui::Event::Click, [this] { openHelpFile(hwnd()); });
  on(L"About1", ui::Event::Click, [this, &w] { openOnDemand(w.about, hwnd()); });
  on(L"AutoUpdate1", ui::Event::Click, [this] { AutoUpdate1Click(*this); });
  on(L"Label13", ui::Event::Click, [this] { AutoUpdate1Click(*this); });
  on(L"Support1", ui::Event::Click, [] { Support1Click(); });
  on(L"Website1", ui::Event::Click, [] { Website1Click(); });
  ui::TURLLabel& website = urlLabel(L"UrlLabel1");
  website.SetHighlight(false);
  website.SetURL(homePageAddress());
}

void Tfsweep::place() {
  if (GetSystemMetrics(SM_CXSCREEN) < 800) {
    SetWindowPos(hwnd(), nullptr, -1, -1, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  } else {
    Form::place();
  }
}

void Tfsweep::FormCreate() {
  win::enterProgramFolder();
  driveList_ = win::logicalDrives();
  updateDriveLines(driveList_);
  driveTable_ = readDriveTable(driveList_);
  fillDriveList();
  applySettings();
  accounting_ = HubAccounting{};
  showCapacity();
  showRecovered();
  clearGrid();
  lookUpKnownFolders(true);
  readCacheSetting();
  languageLines_ = loadLanguageLines();
  language_ = readLanguage(languageLines_);
  translate();
  setChecked(L"English1", false);
  setChecked(kLanguageItems[language_ - 1], true);

  try {
    win::enterProgramFolder();
    setBackgroundPicture(win::loadJpeg(kBackgroundPicture));
  } catch (const std::exception&) {
    // Without its picture the hub stays plain white.
  }

  // The hub takes input a quarter of a second after it is shown.
  EnableWindow(hwnd(), FALSE);
  startTimer(kTimer3, 250, [this] {
    EnableWindow(hwnd(), TRUE);
    if (!IsWindowVisible(hwnd())) show();
    stopTimer(kTimer3);
  });
}

void Tfsweep::fillDriveList() {
  HWND combo = control(L"DCB1");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  wchar_t start = static_cast<wchar_t>(std::towupper(current[0]));
  int selected = 0;
  for (std::size_t i = 0; i < driveList_.size(); ++i) {
    std::wstring text = std::wstring(1, driveList_[i]) + L":";
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (driveList_[i] == start) selected = static_cast<int>(i);
  }
  SendMessageW(combo, CB_SETCURSEL, selected, 0);
  if (!driveList_.empty()) currentDrive_ = driveList_[static_cast<std::size_t>(selected)];
}

void Tfsweep::selectDrive(wchar_t letter) {
  auto it = std::find(driveList_.begin(), driveList_.end(), letter);
  if (it == driveList_.end()) return;
  SendMessageW(control(L"DCB1"), CB_SETCURSEL, static_cast<WPARAM>(it - driveList_.begin()), 0);
  DCB1Change();
}

void Tfsweep::DCB1Change() {
  setEnabled(L"BB5", false);
  setEnabled(L"bwc10", false);
  LRESULT index = SendMessageW(control(L"DCB1"), CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= driveList_.size()) return;
  wchar_t letter = driveList_[static_cast<std::size_t>(index)];
  accounting_.driveNumber = driveNumberFor(letter, accounting_.driveNumber);
  currentDrive_ = letter;
  clearGrid();
  showCapacity();
}

void Tfsweep::showCapacity() {
  std::uint64_t capacity = 0;
  std::uint64_t free = 0;
  if (const DriveSlot* slot = driveTable_.find(currentDrive_)) {
    capacity = static_cast<std::uint64_t>(megabytesOf(slot->capacityMB) * 1048576.0);
    free = static_cast<std::uint64_t>(megabytesOf(slot->freeMB) * 1048576.0);
  } else if (auto space = win::clusterSpace(currentDrive_)) {
    capacity = space->capacity;
    free = space->freeToUser;
  }
  setText(L"Edit1", accounting_.capacityLine(capacity, free));
}

void Tfsweep::showRecovered() {
  setText(L"Edit2", accounting_.recoveredLine());
  setStatus(L"", false);
}

void Tfsweep::setStatus(const std::wstring& text, bool running) {
  setTextColor(L"Edit3", running ? kRunningColor : kDoneColor);
  setText(L"Edit3", text);
}

void Tfsweep::clearGrid() {
  ui::Grid& grid = this->grid(L"asg1");
  ui::Grid::UpdateScope batch(grid);
  int last = std::min(grid.rowCount() - 1, grid.rowCount() + 5);
  for (int row = 1; row <= last; ++row) {
    for (int column = 0; column < 4; ++column) grid.setCell(column, row, L"");
  }
  grid.setRowCount(2);
  const wchar_t* headers[] = {L"name", L"path", L"size", L"delete?"};
  for (int column = 0; column < 4; ++column) grid.setCell(column, 0, headers[column]);
}

std::span<const wchar_t* const> Tfsweep::patternBoxNames() {
  static const auto names = [] {
    std::array<const wchar_t*, std::size(kPatternBoxes)> list{};
    for (std::size_t i = 0; i < list.size(); ++i) list[i] = kPatternBoxes[i].name;
    return list;
  }();
  return names;
}

void Tfsweep::checkAllPatterns(bool on) {
  for (const wchar_t* name : patternBoxNames()) setChecked(name, on);
}

void Tfsweep::setSwitchStates(const SwitchStates& states) {
  for (std::size_t i = 0; i < kSwitchCount; ++i) {
    if (i == kRemovalModeSwitch) {
      setChecked(L"SenddeletedfilestoRecycledbin1", states[i]);
      setChecked(L"Deletefiles1", !states[i]);
    } else {
      setChecked(kSwitchCodes[i].control, states[i]);
    }
  }
}

void Tfsweep::reapplyFolders() { applyFolderEntries(loadSettings(kConfigFile), currentDrive_, folders_); }

void Tfsweep::leaveAction(bool outermost) {
  --actionDepth_;
  if (!outermost || !exists()) return;
  if (deleteButtonsWish_) setDeleteButtons(*std::exchange(deleteButtonsWish_, std::nullopt));
  if (focusWish_) focus(std::exchange(focusWish_, nullptr));
}

void Tfsweep::setDeleteButtons(bool on) {
  if (actionRunning()) {
    deleteButtonsWish_ = on;
    return;
  }
  setEnabled(L"BB5", on);
  setEnabled(L"bwc10", on);
}

void Tfsweep::focusAfterAction(const wchar_t* name) {
  if (actionRunning()) {
    focusWish_ = name;
  } else {
    focus(name);
  }
}

SwitchStates Tfsweep::switchStates() const {
  SwitchStates states{};
  for (std::size_t i = 0; i < kSwitchCount; ++i) {
    states[i] = i == kRemovalModeSwitch ? checked(L"SenddeletedfilestoRecycledbin1") : checked(kSwitchCodes[i].control);
  }
  return states;
}

void Tfsweep::applySettings() {
  Lines lines = loadSettings(kConfigFile);
  SwitchStates states = switchStates();
  applySwitchCodes(lines, states);
  setSwitchStates(states);
  applyFolderEntries(lines, currentDrive_, folders_);
  storeSwitchCodes();
}

void Tfsweep::storeSwitchCodes() {
  Lines lines = loadSettings(kConfigFile);
  SwitchStates states = switchStates();
  kestova::storeSwitchCodes(lines, states);
  saveSettings(kConfigFile, lines);
}

void Tfsweep::setFolder(FolderCode code, const std::wstring& path) {
  folders_[code] = path;
  recordFolderEntry(code, path);
}

void Tfsweep::lookUpKnownFolders(bool recordEach) {
  win::ShellFolders shell;
  auto lookUp = [&shell](int csidl, std::wstring& target) {
    if (auto path = shell.path(csidl)) {
      target = *path;
      return true;
    }
    return false;
  };
  auto coded = [&](int csidl, FolderCode code) {
    if (lookUp(csidl, folders_[code]) && recordEach) recordFolderEntry(code, folders_[code]);
  };
  lookUp(win::kProgramFilesFolder, runFolders_.programFiles);
  lookUp(win::kCookiesFolder, runFolders_.cookies);
  coded(win::kHistoryFolder, FolderCode::hi);
  coded(win::kInternetCacheFolder, FolderCode::ie);
  lookUp(win::kRecentFolder, runFolders_.recent);
  lookUp(win::kSystemFolder, runFolders_.system);
  lookUp(win::kWindowsFolder, runFolders_.windows);
  coded(win::kRecycleBinFolder, FolderCode::lx);
  for (const wchar_t* candidate : {L"C:\\RECYCLED", L"C:\\RECYCLER", L"C:\\$Recycle.Bin"}) {
    if (!isDirectory(candidate)) continue;
    folders_[FolderCode::lx] = candidate;
    if (recordEach) recordFolderEntry(FolderCode::lx, candidate);
  }
  const std::wstring& lx = folders_[FolderCode::lx];
  for (const wchar_t* mark : {L"RECYCLE", L"Recycle", L"recycle"}) {
    if (lx.find(mark) != std::wstring::npos) recycleKnown_ = true;
  }
}

void Tfsweep::readCacheSetting() {
  bool on = false;
  if (auto key = win::RegistryKey::open(HKEY_CURRENT_USER, kPersistentKey)) {
    if (auto value = key->value(L"Persistent")) {
      if (value->type == REG_DWORD && value->data.size() >= 4) {
        on = *reinterpret_cast<const DWORD*>(value->data.data()) == 0;
      } else if (value->type == REG_BINARY && value->data.size() >= 4) {
        on = std::all_of(value->data.begin(), value->data.begin() + 4, [](BYTE b) { return b == 0; });
      }
    }
  }
  setChecked(L"ac1", on);
}

void Tfsweep::translate() {
  ui::setCurrentLanguage(language_);
  ui::applyTranslation(*this, kHubTexts, language_);
  layOutLabelRow();
  if (!writeLanguage(languageLines_, language_)) return;
  try {
    saveLanguageLines(languageLines_);
  } catch (const win::Error&) {
    // A box here would come back at every activation, and closing it activates the hub again:
    // the language holds for this run and the file stays as it was.
  }
}

void Tfsweep::layOutLabelRow() {
  // The texts of some languages are too long for fixed slots; the row as a whole fits them all.
  static constexpr const wchar_t* kRow[] = {L"Label3", L"Label7",  L"Label12", L"Label11", L"Label9",   L"Label10",
                                            L"Label8", L"Label4",  L"Label5",  L"Label13", L"UrlLabel1"};
  constexpr int kLeft = 10, kTop = 6, kHeight = 16, kGap = 8;
  HDC dc = GetDC(hwnd());
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, font());
  int x = kLeft;
  for (const wchar_t* name : kRow) {
    if (!visible(name)) continue;
    std::wstring caption = text(name);
    RECT need = {0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
    int width = need.right + 2;
    SetWindowPos(control(name), nullptr, x, kTop, width, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    x += width + kGap;
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  RECT row = {0, 0, 760, kTop + kHeight + 2};
  InvalidateRect(hwnd(), &row, TRUE);
}

void Tfsweep::chooseLanguage(int code) {
  language_ = code;
  translate();
  for (int c = 1; c <= kLanguageCount; ++c) setChecked(kLanguageItems[c - 1], c == code);
}

void Tfsweep::FormActivate() { translate(); }

void Tfsweep::FormClose() { storeSwitchCodes(); }

bool Tfsweep::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  openHelpFile(hwnd());
  return true;
}

void Tfsweep::BitBtnWithColor15Click() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  int width = r.right - r.left > 781 ? 672 : 782;
  SetWindowPos(hwnd(), nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

}  // namespace kestova::app
