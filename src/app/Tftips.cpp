#include "app/Tftips.h"

#include "app/help.h"

namespace kestova::app {
namespace {

constexpr const wchar_t* kTips =
    L"Choose a drive and press Search: every junk file is listed with its size.\r\n"
    L"Click the \"delete?\" cell of a row to keep that file (No), then press Delete.\r\n"
    L"Options lets deleted files go to the recycle bin instead of being removed.\r\n"
    L"Temp Dir, Recent, Cache, History and Recycle each clean one kind of clutter.\r\n"
    L"PC errors finds registry entries that point at files that no longer exist.\r\n"
    L"Press F1 in any window for help.";

const ui::ControlSpec kControls[] = {
    {L"Memo1", ui::Kind::Memo, 8, 8, 384, 200, kTips},
};

}  // namespace

Tftips::Tftips() : Form({L"Tftips", L"Tips", 400, 216}) {}

void Tftips::build() { addControls(kControls); }

bool Tftips::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  openHelpFile(hwnd());
  return true;
}

}  // namespace kestova::app
