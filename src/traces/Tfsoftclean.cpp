#include "traces/Tfsoftclean.h"

#include "shell/help.h"
#include "traces/softclean_texts.h"
#include "ui/action.h"
#include "ui/application.h"
#include "win/dialogs.h"
#include "win/program_folder.h"
#include "win/shell.h"
#include "win/shell_folders.h"
#include "win/system_bitness.h"

namespace kestova::traces {
namespace {

using ui::ControlSpec;
using ui::Event;
using ui::Kind;
using ui::MenuSpec;

constexpr const wchar_t* kBoxes[kTraceCount] = {L"CheckBox2", L"CheckBox23", L"CheckBox24", L"CheckBox7",
                                                L"CheckBox9", L"CheckBox3",  L"CheckBox15"};
constexpr COLORREF kButtonFace = RGB(200, 230, 255);

// The captions are the same in every language; U+00B4 in "url´s" is the system's own character.
const ControlSpec kControls[] = {
    {L"Label6", Kind::Label, 16, 12, 600, 28, L"Clean Windows"},
    {L"Label2", Kind::Label, 660, 12, 84, 20, L"Kestova"},
    {L"GroupBox2", Kind::GroupBox, 16, 56, 356, 172, L"Files"},
    {L"CheckBox2", Kind::CheckBox, 32, 82, 324, 24, L"Windows applications log"},
    {L"CheckBox23", Kind::CheckBox, 32, 116, 324, 24, L"Windows offline web pages"},
    {L"CheckBox24", Kind::CheckBox, 32, 150, 324, 24, L"Disabled startup items "},
    {L"CheckBox7", Kind::CheckBox, 32, 184, 324, 24, L"IE Downloaded program files"},
    {L"GroupBox3", Kind::GroupBox, 388, 56, 356, 172, L"Registry"},
    {L"CheckBox9", Kind::CheckBox, 404, 82, 324, 24, L"Internet explorer typed url\u00B4s"},
    {L"CheckBox3", Kind::CheckBox, 404, 116, 324, 24, L"Start Menu recent run programs  list"},
    {L"CheckBox15", Kind::CheckBox, 404, 150, 324, 24, L"Start menu find typed items list"},
    {L"Label4", Kind::LinkLabel, 16, 244, 160, 18, L"Check all"},
    {L"Label5", Kind::LinkLabel, 200, 244, 160, 18, L"Uncheck all"},
    {L"BitBtnWithColor1", Kind::ColorButton, 560, 296, 184, 44, L"&Clean", L"Clean marked items", true, true,
     kButtonFace},
    {L"Label14", Kind::LinkLabel, 16, 440, 300, 18, L"Clear old restore points",
     L"clear old system restore points"},
};

const MenuSpec kMenu[] = {
    {L"Menu1", L"&Help", 0},
};

// What a run disables, so that nothing starts inside it.
const wchar_t* const kActions[] = {L"CheckBox2", L"CheckBox23", L"CheckBox24", L"CheckBox7",
                                   L"CheckBox9", L"CheckBox3",  L"CheckBox15", L"Label4",
                                   L"Label5",    L"BitBtnWithColor1", L"Label14", L"Menu1"};

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfsoftclean", L"Kestova : Softclean", 760, 488};
  return layout;
}

}  // namespace

Tfsoftclean::Tfsoftclean() : Form(windowSpec()) {}

const wchar_t* Tfsoftclean::checkBox(Trace trace) { return kBoxes[static_cast<int>(trace)]; }

void Tfsoftclean::build() {
  addControls(kControls);
  addMenu(kMenu);
  setFont(L"Label6", 14, true);
  setFont(L"Label2", 10, true);
  setAllChecked(true);
  on(L"Label4", Event::Click, [this] { Label4Click(); });
  on(L"Label5", Event::Click, [this] { Label5Click(); });
  on(L"BitBtnWithColor1", Event::Click, [this] { BitBtnWithColor1Click(); });
  on(L"Label14", Event::Click, [this] { Label14Click(); });
  on(L"Menu1", Event::Click, [this] { Menu1Click(); });
}

void Tfsoftclean::FormActivate() { ui::applyTranslation(*this, kSoftcleanTexts, ui::currentLanguage()); }

bool Tfsoftclean::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  Menu1Click();
  return true;
}

void Tfsoftclean::setAllChecked(bool on) {
  for (const wchar_t* name : kBoxes) setChecked(name, on);
}

void Tfsoftclean::Label4Click() {
  if (!busy()) setAllChecked(true);
}

void Tfsoftclean::Label5Click() {
  if (!busy()) setAllChecked(false);
}

void Tfsoftclean::BitBtnWithColor1Click() {
  if (busy()) return;
  bool finished = false;
  Tally tally;
  {
    TraceSelection selection{};
    for (int i = 0; i < kTraceCount; ++i) selection[static_cast<std::size_t>(i)] = checked(kBoxes[i]);
    ui::Action action(*this, kActions);
    // A close asked for during the run stops it at the next entry; the window closes after.
    EmptyHooks hooks{[this, &action] {
                       ui::Application::processMessages();
                       return exists() && !action.closeRequested();
                     },
                     [this](const std::exception& e) { ui::Application::showException(hwnd(), e); }};
    TracesCleaner cleaner(win::ShellFolders().path(win::kWindowsFolder), std::move(hooks));
    finished = cleaner.clean(selection);
    tally = cleaner.tally();
  }
  if (!finished || !exists()) return;
  if (tally.removed > 0) {
    win::showMessage(hwnd(), L"Items cleaned");
  } else if (tally.left == 0) {
    win::showMessage(hwnd(), L"There were no items to clean");
  } else {
    win::showMessage(hwnd(), L"Nothing could be cleaned; items left: " + std::to_wstring(tally.left) +
                                 L" (in use, held by a policy, or without the rights to remove them)");
  }
}

void Tfsoftclean::Label14Click() {
  // The launcher has no window worth showing; the dialog it opens shows itself.
  // By its full path: the current folder is the program's, where a planted rundll32 would run.
  win::shellOpen(win::nativeSystemFolder() + L"\\rundll32.exe", L"open", hwnd(),
                 L"shell32.dll,Control_RunDLL sysdm.cpl,,4", SW_HIDE);
  win::shellOpen(win::programFolder() + L"system restore.txt", L"open", hwnd());
}

void Tfsoftclean::Menu1Click() { shell::openHelpFile(hwnd()); }

}  // namespace kestova::traces
