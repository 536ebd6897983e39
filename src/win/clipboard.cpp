#include "win/clipboard.h"

#include <cstring>

#include "win/error.h"

namespace kestova::win {
namespace {

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    if (!OpenClipboard(owner)) throwLastError(L"Cannot open the clipboard");
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() { CloseClipboard(); }
};

}  // namespace

void setClipboardText(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) throwLastError(L"Cannot copy to the clipboard");
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    throwLastError(L"Cannot copy to the clipboard");
  }
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory);
  try {
    OpenClipboardScope open(owner);
    if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) throwLastError(L"Cannot copy to the clipboard");
  } catch (...) {
    GlobalFree(memory);  // the clipboard owns it only once SetClipboardData succeeded
    throw;
  }
}

}  // namespace kestova::win
