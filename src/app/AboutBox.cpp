#include "app/AboutBox.h"

namespace kestova::app {
namespace {

const ui::ControlSpec kControls[] = {
    {L"Label1", ui::Kind::Label, 16, 16, 288, 18, L"Kestova 2009"},
    {L"Label2", ui::Kind::Label, 16, 40, 288, 36,
     L"Recovers disk space and tidies the system: junk files, temporary folders, browser data, "
     L"registry errors, duplicates and traces."},
    {L"Button1", ui::Kind::Button, 120, 88, 80, 26, L"OK"},
};

}  // namespace

AboutBox::AboutBox() : Form({L"TAboutBox", L"About Kestova", 320, 124, WS_POPUP | WS_CAPTION | WS_SYSMENU}) {}

void AboutBox::build() {
  addControls(kControls);
  on(L"Button1", ui::Event::Click, [this] { close(); });
}

}  // namespace kestova::app
