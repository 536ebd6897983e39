#include "app/AboutBox.h"

#include "app/update_check.h"
#include "res/version.h"
#include "shell/web_addresses.h"
#include "ui/url_label.h"

namespace kestova::app {
namespace {

const ui::ControlSpec kControls[] = {
    {L"Label1", ui::Kind::Label, 16, 14, 200, 24, L"Kestova"},
    {L"Label3", ui::Kind::Label, 220, 20, 144, 18, L"Version " KESTOVA_VERSION_TEXT},
    {L"Label2", ui::Kind::Label, 16, 46, 348, 32,
     L"Recovers disk space and tidies Windows: junk files, registry errors, duplicates, traces and spyware."},
    {L"Label4", ui::Kind::Label, 16, 88, 60, 16, L"Web site:"},
    {L"URLLabel1", ui::Kind::URLLabel, 80, 88, 284, 16},
    {L"Label5", ui::Kind::Label, 16, 108, 60, 16, L"Support:"},
    {L"URLLabel2", ui::Kind::LinkLabel, 80, 108, 284, 16},
    {L"Button1", ui::Kind::Button, 150, 136, 80, 26, L"OK"},
};

}  // namespace

AboutBox::AboutBox() : Form({L"TAboutBox", L"About Kestova", 380, 172, WS_POPUP | WS_CAPTION | WS_SYSMENU}) {}

void AboutBox::build() {
  addControls(kControls);
  setFont(L"Label1", 14, true);
  // The addresses as configured now, as the hub's Help menu uses them.
  std::wstring site = shell::homePageAddress();
  setText(L"URLLabel1", site);
  ui::TURLLabel& website = urlLabel(L"URLLabel1");
  website.SetHighlight(false);
  website.SetURL(site);
  setText(L"URLLabel2", shell::supportMailbox());
  on(L"URLLabel2", ui::Event::Click, [] { Support1Click(); });
  on(L"Button1", ui::Event::Click, [this] { close(); });
}

bool AboutBox::FormKeyDown(WORD key) {
  if (key != VK_ESCAPE && key != VK_RETURN) return false;
  close();
  return true;
}

}  // namespace kestova::app
