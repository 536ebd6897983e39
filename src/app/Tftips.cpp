#include "app/Tftips.h"

#include "shell/help.h"

namespace kestova::app {
namespace {

// One tip per tool, in the order of the hub's label row.
constexpr const wchar_t* kTips =
    L"Junk files: choose a drive and press Search. Click the \"delete?\" cell of a file to keep it (No), "
    L"then press Delete.\r\n\r\n"
    L"Cleaners: Temp Dir, Recent, Cache, History and Recycle each empty one kind of clutter; Click all runs "
    L"them in turn. Options lets removed files go to the recycle bin.\r\n\r\n"
    L"Graph: Collect Stats shows which file types, folders and files fill a drive.\r\n\r\n"
    L"Duplicate: Start lists identical copies; mark the copies you do not need as Yes, keep one of each.\r\n\r\n"
    L"Shredder: drop files on the list and press Shred files; shredded files cannot be recovered.\r\n\r\n"
    L"PC errors: Start finds registry entries that point at missing files; Repair saves them to "
    L"deletedkeys.reg first, and Restore puts them back.\r\n\r\n"
    L"Block spyware: Block stops the listed spyware controls and advertising cookies; Update spyware list "
    L"fetches the newest lists.\r\n\r\n"
    L"Winclean: tick the Windows traces to erase (typed addresses, Run history, logs) and press Clean.\r\n\r\n"
    L"Tools: facts about the drive and memory, and the system's own disk and repair tools.\r\n\r\n"
    L"Options - View/Set folders path: where the cleaners look for the browser and recycle folders.\r\n\r\n"
    L"Idiom: the interface in eight languages; the choice is kept.\r\n\r\n"
    L"Press F1 in any window for help.";

const ui::ControlSpec kControls[] = {
    {L"Memo1", ui::Kind::Memo, 8, 8, 464, 304, kTips},
};

}  // namespace

Tftips::Tftips() : Form({L"Tftips", L"Tips", 480, 320}) {}

void Tftips::build() { addControls(kControls); }

bool Tftips::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  shell::openHelpFile(hwnd());
  return true;
}

}  // namespace kestova::app
