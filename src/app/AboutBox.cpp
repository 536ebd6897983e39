#include "app/AboutBox.h"

#include "res/version.h"
#include "win/shell.h"

namespace kestova::app {
namespace {

// Until the web links land: the site and the mailbox the update check and Support use.
std::wstring siteAddress() { return L"http://www.kestova.example"; }
std::wstring mailbox() { return L"support@kestova.example"; }

const ui::ControlSpec kControls[] = {
    {L"Label1", ui::Kind::Label, 16, 14, 200, 24, L"Kestova"},
    {L"Label3", ui::Kind::Label, 220, 20, 144, 18, L"Version " KESTOVA_VERSION_TEXT},
    {L"Label2", ui::Kind::Label, 16, 46, 348, 32,
     L"Recovers disk space and tidies Windows: junk files, registry errors, duplicates, traces and spyware."},
    {L"Label4", ui::Kind::Label, 16, 88, 60, 16, L"Web site:"},
    {L"URLLabel1", ui::Kind::LinkLabel, 80, 88, 284, 16},
    {L"Label5", ui::Kind::Label, 16, 108, 60, 16, L"Support:"},
    {L"URLLabel2", ui::Kind::LinkLabel, 80, 108, 284, 16},
    {L"Button1", ui::Kind::Button, 150, 136, 80, 26, L"OK"},
};

}  // namespace

AboutBox::AboutBox() : Form({L"TAboutBox", L"About Kestova", 380, 172, WS_POPUP | WS_CAPTION | WS_SYSMENU}) {}

void AboutBox::build() {
  addControls(kControls);
  setFont(L"Label1", 14, true);
  setText(L"URLLabel1", siteAddress());
  setText(L"URLLabel2", mailbox());
  on(L"URLLabel1", ui::Event::Click, [this] { win::shellOpen(siteAddress(), L"open", hwnd()); });
  on(L"URLLabel2", ui::Event::Click,
     [this] { win::shellOpen(L"mailto:" + mailbox() + L"?subject=Support Kestova", L"open", hwnd()); });
  on(L"Button1", ui::Event::Click, [this] { close(); });
}

bool AboutBox::FormKeyDown(WORD key) {
  if (key != VK_ESCAPE && key != VK_RETURN) return false;
  close();
  return true;
}

}  // namespace kestova::app
