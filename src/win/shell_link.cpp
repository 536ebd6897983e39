#include "win/shell_link.h"

#include <objbase.h>

namespace kestova::win {

ComScope::ComScope() {
  HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  initialised_ = result == S_OK || result == S_FALSE;
}

ComScope::~ComScope() {
  if (initialised_) CoUninitialize();
}

ShortcutReader::ShortcutReader() {
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link_)))) {
    link_ = nullptr;
    return;
  }
  if (FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) file_ = nullptr;
}

ShortcutReader::~ShortcutReader() {
  if (file_) file_->Release();
  if (link_) link_->Release();
}

std::wstring ShortcutReader::target(const std::wstring& shortcut) {
  if (!link_ || !file_) return {};
  if (FAILED(file_->Load(shortcut.c_str(), STGM_READ))) return {};
  wchar_t path[MAX_PATH] = {};
  if (FAILED(link_->GetPath(path, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) return {};
  return path;
}

bool saveShortcut(const std::wstring& shortcut, const std::wstring& target) {
  ComScope com;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->SetPath(target.c_str())) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    saved = SUCCEEDED(file->Save(shortcut.c_str(), TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

}  // namespace kestova::win
