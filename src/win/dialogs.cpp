#include "win/dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "win/app_title.h"

namespace kestova::win {
namespace {

int CALLBACK browseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM start) {
  if (msg == BFFM_INITIALIZED && start) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

// "csv" for a filter whose first pattern is "*.csv"; empty for a pattern of several or none.
std::wstring defaultExtension(const std::wstring& filter) {
  std::size_t end = filter.find(L'\0');
  if (end == std::wstring::npos) return {};
  std::wstring pattern(filter.c_str() + end + 1);
  if (pattern.rfind(L"*.", 0) != 0 || pattern.find_first_of(L"*?;", 2) != std::wstring::npos) return {};
  return pattern.substr(2);
}

// Moves the next window this thread activates (the message box) to a screen position.
class PlacementHook {
 public:
  explicit PlacementHook(POINT at) {
    at_ = at;
    hook_ = SetWindowsHookExW(WH_CBT, onEvent, nullptr, GetCurrentThreadId());
  }
  PlacementHook(const PlacementHook&) = delete;
  PlacementHook& operator=(const PlacementHook&) = delete;
  ~PlacementHook() { unhook(); }

 private:
  static void unhook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }
  static LRESULT CALLBACK onEvent(int code, WPARAM wp, LPARAM lp) {
    LRESULT next = CallNextHookEx(hook_, code, wp, lp);
    if (code == HCBT_ACTIVATE) {
      SetWindowPos(reinterpret_cast<HWND>(wp), nullptr, at_.x, at_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      unhook();
    }
    return next;
  }
  static inline HHOOK hook_ = nullptr;
  static inline POINT at_ = {};
};

class SystemDialogs final : public Dialogs {
 public:
  int message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
  }

  int messageAt(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags, POINT at) override {
    PlacementHook placed(at);  // without the hook the box shows where the system puts it
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
  }

  bool browseFolder(HWND owner, const std::wstring& title, std::wstring& folder) override {
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = browseCallback;
    info.lParam = reinterpret_cast<LPARAM>(folder.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return false;
    wchar_t path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (ok) folder = path;
    return ok;
  }

  bool openFiles(HWND owner, const std::wstring& title, const std::wstring& filter,
                 std::vector<std::wstring>& files) override {
    std::wstring buffer(65536, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return false;
    files.clear();
    std::wstring first(buffer.c_str());
    const wchar_t* next = buffer.c_str() + first.size() + 1;
    if (!*next) {
      files.push_back(first);
      return true;
    }
    if (first.back() != L'\\') first += L'\\';
    while (*next) {
      std::wstring name(next);
      files.push_back(first + name);
      next += name.size() + 1;
    }
    return true;
  }

  bool saveFile(HWND owner, const std::wstring& title, const std::wstring& filter, std::wstring& file) override {
    std::wstring buffer = file;
    buffer.resize(32768, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.c_str();
    // A name typed without an extension gets the one of the filter's first pattern ("*.csv").
    std::wstring extension = defaultExtension(filter);
    if (!extension.empty()) ofn.lpstrDefExt = extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&ofn)) return false;
    file = buffer.c_str();
    return true;
  }
};

std::unique_ptr<Dialogs>& current() {
  static std::unique_ptr<Dialogs> dialogs = std::make_unique<SystemDialogs>();
  return dialogs;
}

}  // namespace

Dialogs& dialogs() { return *current(); }

std::unique_ptr<Dialogs> installDialogs(std::unique_ptr<Dialogs> replacement) {
  if (!replacement) replacement = std::make_unique<SystemDialogs>();
  std::swap(current(), replacement);
  return replacement;
}

void showMessage(HWND owner, const std::wstring& text) {
  dialogs().message(owner, text, kAppTitle, MB_OK);
}

bool confirm(HWND owner, const std::wstring& text) {
  return dialogs().message(owner, text, kAppTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool confirmAt(HWND owner, const std::wstring& text, POINT at) {
  return dialogs().messageAt(owner, text, kAppTitle, MB_YESNO | MB_ICONQUESTION, at) == IDYES;
}

}  // namespace kestova::win
