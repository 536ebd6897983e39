#include "app/update_check.h"

#include "core/text_codec.h"
#include "core/web_links.h"
#include "shell/web_addresses.h"
#include "ui/action.h"
#include "ui/application.h"
#include "ui/form.h"
#include "win/dialogs.h"
#include "win/internet.h"
#include "win/program_folder.h"
#include "win/shell.h"

namespace kestova::app {
namespace {

void openAddress(const std::wstring& address) { win::shellOpen(address, L"Open", GetDesktopWindow()); }

}  // namespace

void AutoUpdate1Click(ui::Form& hub) {
  win::enterProgramFolder();
  std::string versionFile;
  {
    // The window repaints while the server answers; a second press waits for this one.
    ui::Action checking(hub, {L"AutoUpdate1", L"Label13"});
    versionFile = win::FetchUrlText(shell::versionFileAddress(), {}, ui::Application::processMessages);
  }
  if (isCurrentVersion(fromCp1252(versionFile))) {
    win::showMessage(hub.hwnd(), L"No update is available");
    return;
  }
  std::wstring page = shell::instructionsPageAddress();
  win::showMessage(hub.hwnd(), L"A new version is available : Visit  " + page + L" for instructions ");
  openAddress(page);
  hub.close();
}

void Support1Click() { openAddress(L"mailto:" + shell::supportMailbox() + L"?subject=Support Kestova"); }

void Website1Click() { openAddress(shell::homePageAddress()); }

}  // namespace kestova::app
