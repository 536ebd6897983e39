#include "shell/help.h"

#include "win/program_folder.h"
#include "win/shell.h"

namespace kestova::shell {

void openHelpFile(HWND owner) { win::shellOpen(win::programFolder() + L"kestova.chm", L"open", owner); }

}  // namespace kestova::shell
