#include "sysinfo/Tfinfo.h"

#include <cwctype>
#include <vector>

#include "shell/help.h"
#include "ui/action.h"
#include "win/dialogs.h"
#include "win/shell_icon.h"
#include "win/system_bitness.h"
#include "win/volume.h"
#include "win/volume_info.h"
#include "win/window_print.h"

namespace kestova::sysinfo {
namespace {

using ui::ControlSpec;
using ui::Event;
using ui::Kind;

constexpr const wchar_t* kCaption = L"System Utilities";
constexpr const wchar_t* kPanel = L"Panel1";
constexpr COLORREF kButtonFace = RGB(214, 226, 247);

// The browser repair's arguments to rundll32: the paths are fixed and the last quotation mark is
// never closed.
constexpr const wchar_t* kRepairIe =
    L"setupwbv.dll,IE5Maintenance \"C:\\Program Files\\Internet Explorer\\Setup\\SETUP.EXE\" /g "
    L"\"C:\\WINDOWS\\IE Uninstall Log.Txt";
constexpr const wchar_t* kRepairIeNote =
    L"Mark Repair IE in the next window *** NOTE: Some IE versions dont allow repair, no setupwbv.dll file";

// A tool of the system by its full path in the system's own folder: a bare name would be looked
// for in the program's folder first, and a 32-bit program on 64-bit Windows would reach
// SysWOW64, which lacks several of these tools.
std::wstring systemTool(const wchar_t* name) { return win::nativeSystemFolder() + L"\\" + name; }
std::wstring commandOf(const wchar_t* name) { return L"\"" + systemTool(name) + L"\""; }

// From Vista on, the disk and repair tools work only elevated.
bool toolsNeedElevation() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
}

const ControlSpec kControls[] = {
    {L"Label13", Kind::Label, 16, 16, 40, 16, L"Disk : "},
    {L"DriveComboBox1", Kind::ComboBox, 60, 12, 90, 22},
    {L"Label23", Kind::Label, 420, 8, 124, 26, L"Kestova"},

    {kPanel, Kind::Panel, 16, 44, 528, 232},
    {L"Label15", Kind::Label, 8, 8, 200, 16, L"DISK INFORMATION:", L"", true, true, CLR_INVALID, kPanel},
    {L"DriveImageBitmap", Kind::Label, 472, 6, 40, 40, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label16", Kind::Label, 8, 32, 110, 16, L"Volume Name:", L"", true, true, CLR_INVALID, kPanel},
    {L"Label14", Kind::Label, 120, 32, 160, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label17", Kind::Label, 8, 50, 110, 16, L"Drive Type:", L"", true, true, CLR_INVALID, kPanel},
    {L"Label11", Kind::Label, 120, 50, 160, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label20", Kind::Label, 8, 68, 110, 16, L"File System:", L"", true, true, CLR_INVALID, kPanel},
    {L"Label12", Kind::Label, 120, 68, 160, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label21", Kind::Label, 8, 86, 110, 16, L"Serial Number:", L"", true, true, CLR_INVALID, kPanel},
    {L"Label25", Kind::Label, 120, 86, 160, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label1", Kind::Label, 8, 114, 270, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label2", Kind::Label, 8, 132, 270, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label5", Kind::Label, 8, 150, 270, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label6", Kind::Label, 8, 168, 270, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label3", Kind::Label, 8, 186, 270, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label4", Kind::Label, 8, 204, 270, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label22", Kind::Label, 296, 56, 200, 16, L"File System Flags:", L"", true, true, CLR_INVALID, kPanel},
    {L"Label7", Kind::Label, 296, 76, 224, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label8", Kind::Label, 296, 94, 224, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label9", Kind::Label, 296, 112, 224, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label10", Kind::Label, 296, 130, 224, 16, L"", L"", true, true, CLR_INVALID, kPanel},
    {L"Label29", Kind::Label, 296, 148, 224, 16, L"", L"", true, true, CLR_INVALID, kPanel},

    {L"Label37", Kind::Label, 16, 290, 120, 16, L"Mem. Total:"},
    {L"Label38", Kind::Label, 140, 290, 150, 16},
    {L"Label31", Kind::Label, 16, 310, 120, 16, L"Swap file setting :"},
    {L"Label32", Kind::Label, 140, 310, 150, 16},
    {L"Label33", Kind::Label, 16, 330, 120, 16, L"Swap file size:"},
    {L"Label34", Kind::Label, 140, 330, 150, 16},
    {L"Label35", Kind::Label, 16, 350, 120, 16, L"Swap file usage:"},
    {L"Label36", Kind::Label, 140, 350, 150, 16},
    {L"Label18", Kind::LinkLabel, 344, 292, 140, 16, L"Repair Windows", L"Windows repair tool"},
    {L"Label19", Kind::LinkLabel, 344, 316, 140, 16, L"Remove Programs", L"remove programs"},

    {L"BitBtnWithColor3", Kind::ColorButton, 16, 384, 96, 32, L"&Scandisk", L"Run Scandisk", true, true, kButtonFace},
    {L"BitBtnWithColor4", Kind::ColorButton, 120, 384, 96, 32, L"&Defrag", L"Run Defrag", true, true, kButtonFace},
    {L"BitBtnWithColor5", Kind::ColorButton, 224, 384, 96, 32, L"&Repair IE", L"Repair Internet Explorer", true, true,
     kButtonFace},
    {L"BitBtnWithColor2", Kind::ColorButton, 344, 384, 96, 32, L"&Print", L"Print Screen", true, true, kButtonFace},
    {L"BitBtnWithColor1", Kind::ColorButton, 448, 384, 96, 32, L"&Close", L"Close", true, true, kButtonFace},
};

ui::FormSpec windowSpec() {
  return {L"Tfinfo", kCaption, 560, 430, WS_POPUP | WS_CAPTION | WS_SYSMENU};
}

}  // namespace

Tfinfo::Tfinfo(const DriveTable& driveTable)
    : Form(windowSpec()), driveTable_(driveTable), starter_(systemToolStarter()) {}

Tfinfo::~Tfinfo() = default;

void Tfinfo::build() {
  addControls(kControls);
  setFont(L"Label23", 14, true);
  setFont(L"Label15", 8, true);
  // The picture shows an icon: a static of the icon type.
  HWND picture = control(L"DriveImageBitmap");
  LONG_PTR style = GetWindowLongPtrW(picture, GWL_STYLE);
  SetWindowLongPtrW(picture, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_ICON | SS_CENTERIMAGE);

  on(L"DriveComboBox1", Event::Change, [this] { DriveComboBox1Change(); });
  on(L"BitBtnWithColor3", Event::Click, [this] { BitBtnWithColor3Click(); });
  on(L"BitBtnWithColor4", Event::Click, [this] { BitBtnWithColor4Click(); });
  on(L"BitBtnWithColor5", Event::Click, [this] { BitBtnWithColor5Click(); });
  on(L"Label18", Event::Click, [this] { Label18Click(); });
  on(L"Label19", Event::Click, [this] { Label19Click(); });
  on(L"BitBtnWithColor2", Event::Click, [this] { BitBtnWithColor2Click(); });
  on(L"BitBtnWithColor1", Event::Click, [this] { close(); });
}

void Tfinfo::FormCreate() {
  showTexts(memoryTexts(win::memoryFacts()));
  fillDriveList();
  LRESULT index = SendMessageW(control(L"DriveComboBox1"), CB_GETCURSEL, 0, 0);
  if (index >= 0) {
    wchar_t item[8] = {};
    SendMessageW(control(L"DriveComboBox1"), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
    fillDrivePanel(item[0], false);
  }
}

// "C:" items; the drive of the current folder is selected.
void Tfinfo::fillDriveList() {
  HWND combo = control(L"DriveComboBox1");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  wchar_t start = static_cast<wchar_t>(std::towupper(current[0]));
  int selected = 0;
  std::vector<wchar_t> drives = win::logicalDrives();
  for (std::size_t i = 0; i < drives.size(); ++i) {
    std::wstring item = std::wstring(1, drives[i]) + L":";
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (drives[i] == start) selected = static_cast<int>(i);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void Tfinfo::DriveComboBox1Change() {
  HWND combo = control(L"DriveComboBox1");
  LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0 || SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) != 2) return;
  wchar_t item[8] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
  fillDrivePanel(item[0], true);
}

// A diskette in A: and anything at all on D:. On the NT family "A:\nul" may name the null device
// whatever the drive holds, so the root of A: is asked as well.
bool Tfinfo::hasMedium(wchar_t letter) {
  win::ErrorModeScope quiet;
  if (letter == L'A') return win::pathExists(L"A:\\nul") && win::pathExists(L"A:\\");
  if (letter == L'D') return win::rootHasEntries(L'D');
  return true;
}

void Tfinfo::fillDrivePanel(wchar_t letter, bool probe) {
  if (probe && !hasMedium(letter)) {
    showTexts(blankDrivePanel());
    showIcon(win::Icon());
    win::showMessage(hwnd(), letter == L'A' ? L"No Disk on Drive" : L"No disk on Drive");
    return;
  }
  win::Icon icon;
  LabelTexts texts;
  {
    win::ErrorModeScope quiet;
    texts = drivePanelTexts(win::volumeFacts(letter), driveTable_.findComplete(letter));
    icon = win::largeShellIcon(std::wstring(1, letter) + L":\\");
  }
  showTexts(texts);
  showIcon(std::move(icon));
}

void Tfinfo::showTexts(const LabelTexts& texts) {
  for (const auto& [label, text] : texts) setText(label, text);
}

void Tfinfo::showIcon(win::Icon icon) {
  SendMessageW(control(L"DriveImageBitmap"), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  icon_ = std::move(icon);  // the control no longer shows the old one
}

bool Tfinfo::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  shell::openHelpFile(hwnd());
  return true;
}

// The drive of the list, as a console tool takes it ("D:"); the current folder's when none is chosen.
std::wstring Tfinfo::chosenDrive() {
  HWND combo = control(L"DriveComboBox1");
  LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  wchar_t item[8] = {};
  if (index >= 0 && SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) == 2) {
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
    return item;
  }
  return L"";
}

// A console tool on the chosen drive, in a console that stays until the user closes it; false
// when the system has no such tool or it did not start.
bool Tfinfo::startConsoleTool(const wchar_t* tool) {
  if (GetFileAttributesW(systemTool(tool).c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  std::wstring arguments = L"/k \"" + commandOf(tool) + L" " + chosenDrive() + L"\"";
  if (toolsNeedElevation()) return starter_->elevate(hwnd(), systemTool(L"cmd.exe"), arguments, SW_SHOWMAXIMIZED);
  return starter_->run(commandOf(L"cmd.exe") + L" " + arguments, SW_SHOWMAXIMIZED);
}

void Tfinfo::BitBtnWithColor3Click() {
  if (starter_->run(commandOf(L"scandisk.exe"), SW_SHOWMAXIMIZED)) return;
  if (startConsoleTool(L"chkdsk.exe")) return;
  win::showMessage(hwnd(), L"Scandisk not exists in Win2k and XP");
}

void Tfinfo::BitBtnWithColor4Click() {
  startConsoleTool(L"defrag.exe");
  starter_->open(hwnd(), systemTool(L"dfrg.msc"), L"", SW_SHOWNORMAL);
  starter_->open(hwnd(), systemTool(L"dfrgui.exe"), L"", SW_SHOWNORMAL);
}

void Tfinfo::BitBtnWithColor5Click() {
  win::showMessage(hwnd(), kRepairIeNote);
  if (starter_->run(commandOf(L"rundll32.exe") + L" " + kRepairIe, SW_SHOWMAXIMIZED)) return;
  starter_->open(hwnd(), systemTool(L"rundll32.exe"), kRepairIe, SW_SHOWMAXIMIZED);
}

void Tfinfo::Label18Click() {
  if (toolsNeedElevation()) {
    starter_->elevate(hwnd(), systemTool(L"sfc.exe"), L" /scannow", SW_SHOWNORMAL);
  } else {
    starter_->open(hwnd(), systemTool(L"sfc.exe"), L" /scannow", SW_SHOWNORMAL);
  }
}

void Tfinfo::Label19Click() {
  starter_->open(hwnd(), systemTool(L"rundll32.exe"), L"shell32.dll,Control_RunDLL appwiz.cpl,,0", SW_HIDE);
}

// A printer may show its own dialog (a file name to print to) that lets the queue run: the window
// stays and prints once.
void Tfinfo::BitBtnWithColor2Click() {
  ui::Action printing(*this, {L"BitBtnWithColor2", L"BitBtnWithColor1"});
  if (win::printWindowImage(hwnd(), kCaption) == win::PrintResult::NoDefaultPrinter) {
    win::showMessage(hwnd(), L"There is no default printer.");
  }
}

}  // namespace kestova::sysinfo
