#include "harness/driver.h"

#include <commctrl.h>

#include <stdexcept>

#include "core/control_id.h"

namespace kestova::test {
namespace {

std::wstring classOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

void copyFolder(const std::wstring& from, const std::wstring& to) {
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW((from + L"\\*").c_str(), &data));
  if (!find.valid()) throw std::runtime_error("the dist folder cannot be listed");
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::wstring source = from + L"\\" + data.cFileName;
    std::wstring target = to + data.cFileName;
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) throw std::runtime_error("a dist file cannot be copied");
  } while (FindNextFileW(find.get(), &data));
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start > milliseconds) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(50);
  }
}

Driver::Driver() { copyFolder(windowsPath(KESTOVA_DIST_DIR), folder_.path()); }

Driver::~Driver() {
  for (auto& process : processes_) {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

std::size_t Driver::start(const std::wstring& arguments) {
  std::wstring exe = folder_.path() + L"Kestova.exe";
  std::wstring command = L"\"" + exe + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // Started from another folder: the program must find its files beside itself anyway.
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    throw std::runtime_error("Kestova.exe cannot be started");
  }
  processes_.push_back(process);
  return processes_.size() - 1;
}

DWORD Driver::processId(std::size_t index) const { return processes_.at(index).dwProcessId; }

std::optional<DWORD> Driver::waitExit(std::size_t index, DWORD milliseconds) {
  HANDLE process = processes_.at(index).hProcess;
  if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return code;
}

std::vector<HWND> Driver::topLevelWindows(const std::wstring& className, DWORD processId) {
  struct Search {
    const std::wstring* className;
    DWORD processId;
    std::vector<HWND> found;
  } search{&className, processId, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) __attribute__((stdcall)) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if ((s->processId == 0 || pid == s->processId) && classOf(hwnd) == *s->className) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Driver::waitWindow(const std::wstring& title, DWORD processId, DWORD milliseconds) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        struct Search {
          const std::wstring* title;
          DWORD processId;
          HWND found;
        } search{&title, processId, nullptr};
        EnumWindows(
            [](HWND hwnd, LPARAM lp) __attribute__((stdcall)) -> BOOL {
              auto* s = reinterpret_cast<Search*>(lp);
              DWORD pid = 0;
              GetWindowThreadProcessId(hwnd, &pid);
              if ((s->processId == 0 || pid == s->processId) && IsWindowVisible(hwnd) && text(hwnd) == *s->title) {
                s->found = hwnd;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr;
      },
      milliseconds);
  return found;
}

std::vector<ControlInfo> Driver::controls(HWND window) {
  std::vector<ControlInfo> list;
  EnumChildWindows(
      window,
      [](HWND hwnd, LPARAM lp) __attribute__((stdcall)) -> BOOL {
        auto* out = reinterpret_cast<std::vector<ControlInfo>*>(lp);
        out->push_back({hwnd, classOf(hwnd), text(hwnd), static_cast<unsigned>(GetDlgCtrlID(hwnd)),
                        IsWindowVisible(hwnd) != FALSE, IsWindowEnabled(hwnd) != FALSE});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&list));
  return list;
}

HWND Driver::control(HWND window, std::wstring_view name) {
  int id = static_cast<int>(controlId(name));
  for (const auto& child : controls(window)) {
    if (static_cast<int>(child.id) == id) return child.hwnd;
  }
  return nullptr;
}

std::wstring Driver::text(HWND hwnd) {
  // WM_GETTEXT works across processes for every window class.
  LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT got = SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return text;
}

void Driver::click(HWND control) {
  std::wstring cls = classOf(control);
  if (_wcsicmp(cls.c_str(), L"Button") == 0) {
    PostMessageW(control, BM_CLICK, 0, 0);
    return;
  }
  // Labels and other controls report a click to their window.
  PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

void Driver::selectComboItem(HWND combo, const std::wstring& text) {
  LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  if (index == CB_ERR) throw std::runtime_error("the combo box has no such item");
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void Driver::chooseMenu(HWND window, std::wstring_view name) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(controlId(name), 0), 0);
}

int Driver::listViewRows(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring Driver::listViewCell(HWND list, int row, int column) {
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  win::Handle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) throw std::runtime_error("the grid's process cannot be opened");
  constexpr int kChars = 1024;
  SIZE_T bytes = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) throw std::runtime_error("no memory in the grid's process");
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.cchTextMax = kChars;
  item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
  WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr);
  LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (length > 0) {
    ReadProcessMemory(process.get(), remote + sizeof(LVITEMW), text.data(), static_cast<SIZE_T>(length) * sizeof(wchar_t),
                      nullptr);
  }
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return text;
}

void Driver::clickListViewCell(HWND list, int row, int column) {
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  win::Handle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) throw std::runtime_error("the grid's process cannot be opened");
  auto* remote = static_cast<RECT*>(VirtualAllocEx(process.get(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE));
  if (!remote) throw std::runtime_error("no memory in the grid's process");
  RECT cell = {LVIR_BOUNDS, column, 0, 0};
  WriteProcessMemory(process.get(), remote, &cell, sizeof cell, nullptr);
  LRESULT found = SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process.get(), remote, &cell, sizeof cell, nullptr);
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  if (!found) throw std::runtime_error("the grid has no such cell");
  LPARAM point = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(list, WM_LBUTTONUP, 0, point);
}

std::optional<MessageBoxInfo> Driver::waitMessageBox(DWORD processId, DWORD milliseconds) const {
  std::optional<MessageBoxInfo> box;
  waitUntil(
      [&] {
        for (HWND dialog : topLevelWindows(L"#32770", processId)) {
          if (!IsWindowVisible(dialog)) continue;
          MessageBoxInfo info;
          info.hwnd = dialog;
          info.caption = text(dialog);
          for (const auto& child : controls(dialog)) {
            if (_wcsicmp(child.className.c_str(), L"Button") == 0) {
              info.buttons.push_back(child.text);
            } else if (_wcsicmp(child.className.c_str(), L"Static") == 0 && !child.text.empty()) {
              info.text = child.text;
            }
          }
          if (info.buttons.empty()) continue;  // still being built
          box = info;
          return true;
        }
        return false;
      },
      milliseconds);
  return box;
}

void Driver::answer(const MessageBoxInfo& box, int buttonId) {
  HWND button = GetDlgItem(box.hwnd, buttonId);
  if (button) {
    PostMessageW(button, BM_CLICK, 0, 0);
  } else {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
  }
  // Gone before the caller looks for the next box, which could otherwise be this one again.
  waitUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); }, 5000);
}

}  // namespace kestova::test
