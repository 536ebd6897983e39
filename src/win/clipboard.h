#pragma once
// The clipboard, for text copied out of the windows.
#include <windows.h>

#include <string>

namespace kestova::win {

// Puts `text` on the clipboard as Unicode text; throws Error when the clipboard refuses it.
void setClipboardText(HWND owner, const std::wstring& text);

}  // namespace kestova::win
