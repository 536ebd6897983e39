#include "shell/web_addresses.h"

#include <windows.h>

#include <vector>

#include "core/web_links.h"
#include "shell/program_ini.h"

namespace kestova::shell {
namespace {

// Reserved names that resolve nowhere until the product's own addresses are configured.
constexpr const wchar_t* kServer = L"http://update.kestova.example";
constexpr const wchar_t* kSite = L"http://www.kestova.example";
constexpr const wchar_t* kMailbox = L"support@kestova.example";

// The ".INI" may hold anything: what is not an address of the kind asked for is not opened.
std::wstring configured(const wchar_t* key, const wchar_t* fallback, bool (*accepted)(std::wstring_view)) {
  std::wstring path = programIniPath();
  std::vector<wchar_t> buffer(1024);
  for (;;) {
    DWORD n = GetPrivateProfileStringW(L"Update", key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                                       path.c_str());
    if (n + 1 < buffer.size() || buffer.size() >= 65536) {
      std::wstring value(buffer.data(), n);
      return accepted(value) ? value : fallback;
    }
    buffer.resize(buffer.size() * 4);
  }
}

std::wstring server() { return configured(L"Server", kServer, isWebAddress); }
std::wstring site() { return configured(L"Site", kSite, isWebAddress); }

}  // namespace

std::wstring versionFileAddress() { return joinAddress(server(), L"/version.txt"); }
std::wstring listFileAddress(const wchar_t* name) { return joinAddress(server(), std::wstring(L"/") + name); }
std::wstring homePageAddress() { return site(); }
std::wstring instructionsPageAddress() { return joinAddress(site(), L"/update.htm"); }
std::wstring supportMailbox() { return configured(L"Mailbox", kMailbox, isMailAddress); }

}  // namespace kestova::shell
