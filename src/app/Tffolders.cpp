#include "app/Tffolders.h"

#include <optional>

#include "app/Tfsweep.h"
#include "junk/folder_guard.h"
#include "shell/help.h"
#include "win/dialogs.h"

namespace kestova::app {
namespace {

using ui::Kind;

constexpr const wchar_t* kBrowseWarning =
    L"Browse till you find the right folder then double click it and hit ok button . WARNING :  Set an "
    L"invalid folder will cause deletion errors";

// The six fields; the cookies folder has no code and is known for the run only.
struct Field {
  const wchar_t* edit;
  const wchar_t* label;
  const wchar_t* button;
  const wchar_t* caption;
  std::optional<FolderCode> code;
};
const Field kFields[] = {
    {L"Edit1", L"Label1", L"Button1", L"IE Cache folder :", FolderCode::ie},
    {L"Edit2", L"Label2", L"Button2", L"IE History Folder:", FolderCode::hi},
    {L"Edit3", L"Label3", L"Button3", L"IE Cookies Folder :", std::nullopt},
    {L"Edit4", L"Label4", L"Button4", L"Recycle bin :", FolderCode::lx},
    {L"Edit5", L"Label5", L"Button5", L"Firefox - Netscape Cache Folder :", FolderCode::nc},
    {L"Edit6", L"Label6", L"Button6", L"Firefox - Netscape History path:", FolderCode::ni},
};

}  // namespace

Tffolders::Tffolders(Tfsweep& hub)
    : Form({L"Tffolders", L"Temp folders path", 560, 300, WS_POPUP | WS_CAPTION | WS_SYSMENU}), hub_(hub) {}

void Tffolders::build() {
  std::vector<ui::ControlSpec> controls;
  int y = 12;
  for (const auto& field : kFields) {
    controls.push_back({field.label, Kind::Label, 12, y, 220, 16, field.caption});
    controls.push_back({field.edit, Kind::ReadOnlyEdit, 12, y + 17, 490, 20});
    controls.push_back({field.button, Kind::Button, 508, y + 16, 36, 22, L"..."});
    y += 42;
  }
  controls.push_back({L"BitBtnWithColor2", Kind::ColorButton, 12, y + 8, 120, 28, L"&Auto Detect",
                      L"Auto Detect folders paths"});
  controls.push_back({L"BitBtnWithColor1", Kind::ColorButton, 424, y + 8, 120, 28, L"&Close"});
  addControls(controls);
  for (int i = 0; i < static_cast<int>(std::size(kFields)); ++i) {
    on(kFields[i].button, ui::Event::Click, [this, i] { browse(i); });
  }
  on(L"BitBtnWithColor2", ui::Event::Click, [this] { BitBtnWithColor2Click(); });
  on(L"BitBtnWithColor1", ui::Event::Click, [this] { close(); });
}

void Tffolders::FormCreate() { fillFields(); }

void Tffolders::fillFields() {
  for (const auto& field : kFields) {
    setText(field.edit, field.code ? hub_.folders()[*field.code] : hub_.runFolders().cookies);
  }
}

void Tffolders::browse(int index) {
  const Field& field = kFields[index];
  win::showMessage(hwnd(), kBrowseWarning);
  std::wstring folder = text(field.edit);
  if (win::dialogs().browseFolder(hwnd(), field.caption, folder)) {
    // A folder a cleaner would refuse to empty is not stored either.
    if (junk::FolderGuard().refuses(folder)) {
      win::showMessage(hwnd(), junk::refusalToStore({field.code, folder}));
      return;
    }
    setText(field.edit, folder);
  }
  std::wstring chosen = text(field.edit);
  if (field.code) {
    hub_.folders()[*field.code] = chosen;
  } else {
    hub_.runFolders().cookies = chosen;
  }
  hub_.storeSwitchCodes();
  if (!chosen.empty() && field.code) hub_.setFolder(*field.code, chosen);
}

void Tffolders::BitBtnWithColor2Click() {
  hub_.lookUpKnownFolders(false);
  fillFields();
  for (FolderCode code : {FolderCode::ie, FolderCode::hi, FolderCode::lx, FolderCode::ni, FolderCode::nc}) {
    const std::wstring& path = hub_.folders()[code];
    if (!path.empty()) hub_.setFolder(code, path);
  }
}

bool Tffolders::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  shell::openHelpFile(hwnd());
  return true;
}

}  // namespace kestova::app
