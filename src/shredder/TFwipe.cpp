#include "shredder/TFwipe.h"

#include <vector>

#include "core/long_path.h"
#include "shell/help.h"
#include "shredder/wipe_texts.h"
#include "ui/action.h"
#include "ui/application.h"
#include "win/app_title.h"
#include "win/dialogs.h"

namespace kestova::shredder {
namespace {

using ui::ControlSpec;
using ui::Event;
using ui::Kind;
using ui::MenuSpec;

constexpr const wchar_t* kIdle = L"Status : Idle";
constexpr const wchar_t* kFileNotFound = L"File not found : ";

const ControlSpec kControls[] = {
    {L"Label6", Kind::Label, 16, 10, 560, 20, L"Digital Shredder - Make files unrecoverable"},
    {L"Label2", Kind::Label, 660, 10, 84, 20, L"Kestova"},
    {L"Label4", Kind::Label, 16, 40, 728, 16, L"***** Use open menu or drag and drop a file down for deletion *****"},
    {L"Label1", Kind::Label, 16, 60, 728, 16,
     L"XP ME 2000 :  use open menu or drag and drop.      VISTA : use open menu."},
    {L"DnDListBox1", Kind::ListBox, 16, 82, 728, 262},
    {L"RadioGroup1", Kind::GroupBox, 16, 352, 320, 98, L"Data destruction algorithm"},
    {L"RadioGroup1Item0", Kind::RadioButton, 28, 372, 300, 20, L"Single pass"},
    {L"RadioGroup1Item1", Kind::RadioButton, 28, 396, 300, 20, L"Triple pass"},
    {L"RadioGroup1Item2", Kind::RadioButton, 28, 420, 300, 20, L"U.S. standard, DoD (7 passes)"},
    {L"BitBtnWithColor1", Kind::ColorButton, 560, 384, 184, 40, L"&Shred files", L"", true, true, RGB(255, 220, 200)},
    {L"Edit2", Kind::ReadOnlyEdit, 16, 460, 728, 20, kIdle},
    {L"SpeedButton1", Kind::Button, 0, 0, 1, 1, L"", L"", false},
    {L"btnDirectory", Kind::Button, 0, 0, 1, 1, L"", L"", false},
    {L"SpeedButton3", Kind::Button, 0, 0, 1, 1, L"", L"", false},
    {L"SpeedButton4", Kind::Button, 0, 0, 1, 1, L"", L"", false},
    {L"Button1", Kind::Button, 0, 0, 1, 1, L"", L"", false},
};

const MenuSpec kMenu[] = {
    {L"Open1", L"&Open", 0},
    {L"file1", L"&file (Shred file)", 1},
    {L"folder1", L"f&older (Shred folder)", 1},
    {L"Delete1", L"Shred", 0},
    {L"Clear1", L"C&lear list", 0},
    {L"Removeitem1", L"&Remove item", 0},
    {L"About1", L"&Help", 0},
};

// What a run disables, so that no second run or list change starts inside it.
const wchar_t* const kActions[] = {L"DnDListBox1", L"RadioGroup1Item0", L"RadioGroup1Item1", L"RadioGroup1Item2",
                                   L"BitBtnWithColor1", L"file1", L"folder1", L"Delete1", L"Clear1", L"Removeitem1"};

std::wstring lowerCase(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"TFwipe", L"Kestova :  Shredder - make files unrecoverable", 760, 488};
  layout.hideOnClose = true;  // a WM_CLOSE from anywhere hides it, as its close box does
  return layout;
}

}  // namespace

// A run: busy cursor, disabled actions and a held-back close while it lives; idle status after.
class TFwipe::RunScope {
 public:
  explicit RunScope(TFwipe& form) : form_(form), action_(form, kActions) { form_.setCloseBoxEnabled(false); }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;
  ~RunScope() {
    form_.engine_.reset();
    if (!form_.exists()) return;
    form_.setCloseBoxEnabled(true);
    form_.showStatus(kIdle);
  }
  bool closeRequested() const { return action_.closeRequested(); }

 private:
  TFwipe& form_;
  ui::Action action_;
};

TFwipe::TFwipe() : Form(windowSpec()) {}

TFwipe::~TFwipe() = default;

void TFwipe::build() {
  addControls(kControls);
  addMenu(kMenu);
  list_.attach(control(L"DnDListBox1"));
  setChecked(L"RadioGroup1Item0", true);
  HWND status = control(L"Edit2");  // a status line without a border
  SetWindowLongPtrW(status, GWL_EXSTYLE, GetWindowLongPtrW(status, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
  SetWindowPos(status, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);

  auto bind = [this](std::initializer_list<const wchar_t*> names, void (TFwipe::*handler)()) {
    for (const wchar_t* name : names) on(name, Event::Click, [this, handler] { (this->*handler)(); });
  };
  bind({L"file1", L"SpeedButton1"}, &TFwipe::SpeedButton1Click);
  bind({L"folder1", L"btnDirectory"}, &TFwipe::btnDirectoryClick);
  bind({L"BitBtnWithColor1", L"Delete1", L"Button1"}, &TFwipe::Button1Click);
  bind({L"Removeitem1", L"SpeedButton3"}, &TFwipe::SpeedButton3Click);
  bind({L"Clear1", L"SpeedButton4"}, &TFwipe::SpeedButton4Click);
  bind({L"About1"}, &TFwipe::About1Click);
}

void TFwipe::FormActivate() { ui::applyTranslation(*this, kWipeTexts, ui::currentLanguage()); }

bool TFwipe::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  About1Click();
  return true;
}

// Closing hides the window: it lives for the whole run and keeps its list for the next showing.
LRESULT TFwipe::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
    if (!holdClose()) closeAfterAction();
    return 0;
  }
  return Form::handleMessage(msg, wp, lp);
}

void TFwipe::SpeedButton1Click() {
  if (running()) return;
  std::vector<std::wstring> files;
  static const std::wstring filter(L"All files (*.*)\0*.*\0", 20);
  if (!win::dialogs().openFiles(hwnd(), L"Open", filter, files)) return;
  for (const auto& file : files) addFromDialog(file);
}

void TFwipe::btnDirectoryClick() {
  if (running()) return;
  std::wstring folder;
  if (win::dialogs().browseFolder(hwnd(), L"Select Directory to Wipe", folder)) addFromDialog(folder);
}

void TFwipe::addFromDialog(const std::wstring& path) {
  if (path.empty()) return;
  std::wstring lower = lowerCase(path);
  for (int i = 0, n = list_.count(); i < n; ++i) {
    if (lowerCase(list_.item(i)) == lower) return;
  }
  list_.add(path);
}

int TFwipe::algorithm() const {
  if (checked(L"RadioGroup1Item2")) return 2;
  if (checked(L"RadioGroup1Item1")) return 1;
  return 0;
}

void TFwipe::Button1Click() {
  if (running()) return;
  RunScope run(*this);
  engine_ = std::make_unique<TSWipe>([this](const std::wstring& text) { showStatus(text); });
  engine_->SetPasses(algorithm());
  engine_->setPassHook(passHook_);
  for (int i = 0, n = list_.count(); i < n && exists() && !run.closeRequested(); ++i) {
    std::wstring path = list_.item(i);
    if (path.empty()) continue;
    DWORD attributes = GetFileAttributesW(longPathForm(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      try {
        shredFolder(i, path);
      } catch (const std::exception& e) {  // a file in the folder that failed ends the run
        ui::Application::showException(hwnd(), e);
        return;
      }
    } else if (attributes != INVALID_FILE_ATTRIBUTES) {
      shredFile(i, path);
    } else {
      win::showMessage(hwnd(), kFileNotFound + path);
    }
  }
}

void TFwipe::shredFolder(int index, const std::wstring& path) {
  std::wstring question = L"Are You sure to Wipe " + path + L" and it's subdirectory ?";
  if (win::dialogs().message(hwnd(), question, win::kAppTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // A folder that could not be removed whole (a link kept, a folder in use) keeps its entry.
  if (engine_->WipeFolder(path)) list_.setItem(index, L"");
}

void TFwipe::shredFile(int index, const std::wstring& path) {
  try {
    engine_->WipeFile(path);
    list_.setItem(index, L"");
  } catch (const EWipe& e) {
    // A file that cannot be opened reads as not found; a later failure says what went wrong.
    win::showMessage(hwnd(), e.step() == EWipe::Step::Open ? kFileNotFound + path : e.text());
  }
}

void TFwipe::SpeedButton3Click() {
  if (running()) return;
  ui::HourglassCursor hourglass;
  std::vector<std::wstring> kept;
  for (int i = 0, n = list_.count(); i < n; ++i) {
    if (!list_.selected(i)) kept.push_back(list_.item(i));
  }
  list_.clear();
  for (const auto& entry : kept) list_.add(entry);
}

void TFwipe::SpeedButton4Click() {
  if (!running()) list_.clear();
}

void TFwipe::About1Click() { shell::openHelpFile(hwnd()); }

void TFwipe::showStatus(const std::wstring& text) {
  if (!exists()) return;
  setText(L"Edit2", text);
  UpdateWindow(hwnd());
}

void TFwipe::setCloseBoxEnabled(bool on) {
  EnableMenuItem(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(hwnd());
}

}  // namespace kestova::shredder
