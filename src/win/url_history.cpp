#include "win/url_history.h"

#include <windows.h>

#include <objbase.h>
#include <urlhist.h>

namespace kestova::win {
namespace {

// CLSID_CUrlHistory and IID_IUrlHistoryStg2, written out so that no GUID library is needed.
constexpr GUID kUrlHistory = {0x3c374a40, 0xbae4, 0x11cf, {0xbf, 0x7d, 0x00, 0xaa, 0x00, 0x69, 0x46, 0xee}};
constexpr GUID kUrlHistoryStg2 = {0xafa0dc11, 0xc313, 0x11d0, {0x83, 0x1a, 0x00, 0xc0, 0x4f, 0xd5, 0xae, 0x38}};

}  // namespace

bool clearUrlHistory() {
  HRESULT init = CoInitialize(nullptr);
  bool cleared = false;
  IUrlHistoryStg2* history = nullptr;
  if (SUCCEEDED(CoCreateInstance(kUrlHistory, nullptr, CLSCTX_INPROC_SERVER, kUrlHistoryStg2,
                                 reinterpret_cast<void**>(&history))) &&
      history) {
    cleared = SUCCEEDED(history->ClearHistory());
    history->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return cleared;
}

}  // namespace kestova::win
