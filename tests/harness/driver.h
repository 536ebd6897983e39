#pragma once
// Drives the built Kestova.exe from another process, as a person would: starts it from a copy
// of the dist folder, finds its windows by title, reads and clicks controls by name, and reads
// and answers its message boxes.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "harness/temp_folder.h"
#include "win/handles.h"

namespace kestova::test {

struct ControlInfo {
  HWND hwnd;
  std::wstring className;
  std::wstring text;
  unsigned id;
  bool visible;
  bool enabled;
};

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;
};

class Driver {
 public:
  // Copies the dist folder into a fresh folder of the prefix.
  Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;
  // Ends every process it started that still runs.
  ~Driver();

  // The folder Kestova.exe runs from, with a trailing backslash.
  const std::wstring& programFolder() const { return folder_.path(); }

  // Starts Kestova.exe with the command-line arguments; returns the index of the process.
  std::size_t start(const std::wstring& arguments = {});
  DWORD processId(std::size_t index) const;
  // The exit code once the process ended within the time, nothing otherwise.
  std::optional<DWORD> waitExit(std::size_t index, DWORD milliseconds);

  // A visible top-level window of the process (0 = any process) with exactly this title.
  static HWND waitWindow(const std::wstring& title, DWORD processId = 0, DWORD milliseconds = 20000);
  static std::vector<HWND> topLevelWindows(const std::wstring& className, DWORD processId = 0);

  static std::vector<ControlInfo> controls(HWND window);
  // A control found by its name (at any depth), through the id the program derives from it.
  static HWND control(HWND window, std::wstring_view name);
  static std::wstring text(HWND hwnd);
  // Presses a button or a label, selects a combo item, chooses a menu item.
  static void click(HWND control);
  static void selectComboItem(HWND combo, const std::wstring& text);
  static void chooseMenu(HWND window, std::wstring_view name);
  // Reads a cell of a list view grid in the other process (row 0 = first data row).
  static std::wstring listViewCell(HWND list, int row, int column);
  static int listViewRows(HWND list);
  // Clicks the middle of a cell of a list view grid in the other process with the mouse
  // (row 0 = first data row), scrolling it into view first.
  static void clickListViewCell(HWND list, int row, int column);

  // Waits for a message box of the process and reads it.
  std::optional<MessageBoxInfo> waitMessageBox(DWORD processId, DWORD milliseconds = 20000) const;
  // Presses the button with this text ("OK", "&Yes", ...) or this id.
  static void answer(const MessageBoxInfo& box, int buttonId);

 private:
  TempFolder folder_;
  std::vector<PROCESS_INFORMATION> processes_;
};

// Waits, letting this thread's messages run, until `done` or the time is over.
bool waitUntil(const std::function<bool()>& done, DWORD milliseconds);

}  // namespace kestova::test
