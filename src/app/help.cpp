#include "app/help.h"

#include "win/program_folder.h"
#include "win/shell.h"

namespace kestova::app {

void openHelpFile(HWND owner) { win::shellOpen(win::programFolder() + L"kestova.chm", L"open", owner); }

}  // namespace kestova::app
