#pragma once
// Message boxes, confirmations and file or folder dialogs: the one seam that tests replace with
// a scripted stand-in.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace kestova::win {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // MessageBox semantics: `flags` are MB_* values; returns IDOK, IDYES, IDNO, ...
  virtual int message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) = 0;
  // The same with the box's top-left corner at `at` on the screen.
  virtual int messageAt(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags, POINT at) = 0;
  // The system's folder-selection dialog; `folder` is the start and receives the choice.
  virtual bool browseFolder(HWND owner, const std::wstring& title, std::wstring& folder) = 0;
  // The system's open dialog with multi-selection; `filter` in the OPENFILENAME form.
  virtual bool openFiles(HWND owner, const std::wstring& title, const std::wstring& filter,
                         std::vector<std::wstring>& files) = 0;
  // The system's save dialog.
  virtual bool saveFile(HWND owner, const std::wstring& title, const std::wstring& filter,
                        std::wstring& file) = 0;
};

// The dialogs in use; the system's own unless a test installed others.
Dialogs& dialogs();
// Installs `replacement` (a test's) and returns the one it replaces; nullptr restores the system's.
std::unique_ptr<Dialogs> installDialogs(std::unique_ptr<Dialogs> replacement);

// Shortcuts for the common cases, with the application title as the caption.
void showMessage(HWND owner, const std::wstring& text);
bool confirm(HWND owner, const std::wstring& text);
// A Yes/No question at `at` on the screen; true for Yes.
bool confirmAt(HWND owner, const std::wstring& text, POINT at);

}  // namespace kestova::win
