#include "registry/regequiv.h"

#include <objbase.h>

#include <array>
#include <cstdio>
#include <optional>

#include "core/reg_data_text.h"
#include "core/sid_text.h"
#include "registry/registry_roots.h"
#include "win/registry_key.h"

namespace kestova::registry {
namespace {

TKeyEquivalents& moduleList() {
  static TKeyEquivalents list;
  return list;
}

bool isNtPlatform() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::wstring newGuidText() {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return {};
  wchar_t text[40] = {};
  if (StringFromGUID2(guid, text, 40) == 0) return {};
  return text;
}

std::optional<std::wstring> stringValue(HKEY key, const wchar_t* name) {
  auto value = win::RegistryKey::open(key, L"", KEY_QUERY_VALUE);
  if (!value) return std::nullopt;
  auto data = value->value(name);
  if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ)) return std::nullopt;
  std::wstring text(reinterpret_cast<const wchar_t*>(data->data.data()), data->data.size() / sizeof(wchar_t));
  while (!text.empty() && text.back() == 0) text.pop_back();
  return text;
}

struct KeyStatistics {
  std::wstring className;
  DWORD subkeys, maxSubkeyLen, maxClassLen, values, maxValueNameLen, maxValueLen, securitySize;
  FILETIME lastWrite;
};

std::optional<KeyStatistics> statisticsOf(HKEY key) {
  KeyStatistics s{};
  wchar_t className[261] = {};
  DWORD classLen = 261;
  if (RegQueryInfoKeyW(key, className, &classLen, nullptr, &s.subkeys, &s.maxSubkeyLen, &s.maxClassLen, &s.values,
                       &s.maxValueNameLen, &s.maxValueLen, &s.securitySize, &s.lastWrite) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  s.className.assign(className, classLen);
  return s;
}

void testUser(TKeyEquivalents& list, unsigned& missing) {
  if (TestKeyEquivalent(list, L"HKEY_USERS", CurrentUserKeyName(), HKEY_USERS, HKEY_CURRENT_USER)) return;
  std::vector<std::wstring> names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = 256;
    LONG rc = RegEnumKeyExW(HKEY_USERS, i, name, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  for (const std::wstring& candidate : names) {
    if (TestKeyEquivalent(list, L"HKEY_USERS", candidate, HKEY_USERS, HKEY_CURRENT_USER)) return;
  }
  missing |= 2;
}

void testConfiguration(TKeyEquivalents& list, unsigned& missing) {
  auto idConfig = win::RegistryKey::open(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\control\\IDConfigDB");
  bool found = false;
  if (idConfig && isNtPlatform()) {
    auto value = idConfig->value(L"CurrentConfig");
    if (value && value->type == REG_DWORD && value->data.size() == 4) {  // otherwise: no candidates
      const int n = *reinterpret_cast<const int*>(value->data.data());
      const wchar_t* formats[] = {L"SYSTEM\\ControlSet%.03d\\Hardware Profiles\\Current",
                                  L"SYSTEM\\ControlSet%.03d\\Hardware Profiles\\%.04d",
                                  L"SYSTEM\\CurrentControlSet\\Hardware Profiles\\%.04d",
                                  L"SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"};
      for (const wchar_t* format : formats) {
        wchar_t path[128];
        std::swprintf(path, 128, format, n, n);
        found |= TestKeyEquivalent(list, L"HKEY_LOCAL_MACHINE", path, HKEY_LOCAL_MACHINE, HKEY_CURRENT_CONFIG);
      }
    }
  } else if (idConfig) {
    if (auto config = stringValue(idConfig->get(), L"CurrentConfig")) {
      found = TestKeyEquivalent(list, L"HKEY_LOCAL_MACHINE", L"CONFIG\\" + *config, HKEY_LOCAL_MACHINE,
                                HKEY_CURRENT_CONFIG);
    }
  }
  if (!found) missing |= 4;
}

}  // namespace

const TKeyEquivalents& KeyEquivalents() { return moduleList(); }

void InitializeKeyEquivalents() {
  moduleList().clear();
  BuildKeyEquivalents(moduleList());
}

unsigned BuildKeyEquivalents(TKeyEquivalents& list) {
  unsigned missing = 0;
  if (!TestKeyEquivalent(list, L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\Classes", HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT)) {
    missing |= 1;
  }
  testUser(list, missing);
  testConfiguration(list, missing);
  return missing;
}

int CurrentUserSID(std::wstring& sid) {
  wchar_t user[261] = {};
  DWORD userLen = 261;
  if (!GetUserNameW(user, &userLen)) return 1;
  std::vector<BYTE> sidBuffer(256);
  std::vector<wchar_t> domain(261);
  DWORD sidSize = static_cast<DWORD>(sidBuffer.size()), domainLen = static_cast<DWORD>(domain.size());
  SID_NAME_USE use;
  if (!LookupAccountNameW(nullptr, user, sidBuffer.data(), &sidSize, domain.data(), &domainLen, &use)) return 2;
  PSID psid = sidBuffer.data();
  if (!IsValidSid(psid)) return 2;
  const SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(psid);
  if (!authority) return 3;
  const PUCHAR count = GetSidSubAuthorityCount(psid);
  if (!count) return 4;
  std::array<std::uint8_t, 6> authorityBytes;
  for (int i = 0; i < 6; ++i) authorityBytes[static_cast<std::size_t>(i)] = authority->Value[i];
  std::vector<std::uint32_t> subs;
  for (DWORD i = 0; i < *count; ++i) {
    const PDWORD sub = GetSidSubAuthority(psid, i);
    if (!sub) return 5 + static_cast<int>(i);
    subs.push_back(*sub);
  }
  sid = sidText(authorityBytes, subs);
  return 0;
}

std::wstring CurrentUserKeyName() {
  std::wstring name;
  if (isNtPlatform()) {
    std::wstring sid;
    if (CurrentUserSID(sid) == 0 && win::RegistryKey::open(HKEY_USERS, sid)) name = sid;
  } else if (auto key = win::RegistryKey::open(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\control")) {
    name = stringValue(key->get(), L"Current User").value_or(L"");
  }
  return name.empty() ? L".Default" : name;
}

bool TestKeyEquivalent(TKeyEquivalents& list, const std::wstring& displayRoot, const std::wstring& subkeyPath,
                       HKEY realRoot, HKEY aliasRoot) {
  const int probe = ProbeKeyEquivalent(aliasRoot, realRoot, subkeyPath);
  if (probe == 0 || (probe == 2 && KeyStatisticsEqual(aliasRoot, realRoot, subkeyPath))) {
    list.push_back(regsearch::upperAscii(displayRoot + L"\\" + subkeyPath));
    return true;
  }
  return false;
}

int ProbeKeyEquivalent(HKEY aliasRoot, HKEY realRoot, const std::wstring& path) {
  auto real = win::RegistryKey::open(realRoot, path, KEY_ALL_ACCESS | kCleanerView);
  if (!real) return 3;
  const std::wstring k = newGuidText(), v = newGuidText();
  if (k.empty() || v.empty()) return 2;
  HKEY created = nullptr;
  if (RegCreateKeyExW(real->get(), k.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | kCleanerView, nullptr, &created,
                      nullptr) != ERROR_SUCCESS) {
    return 2;
  }
  int result = 1;
  {
    win::RegistryKey probeKey = win::RegistryKey::adopt(created);
    static const wchar_t kTest[] = L"test";
    if (RegSetValueExW(probeKey.get(), v.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(kTest), sizeof kTest) ==
        ERROR_SUCCESS) {
      if (auto seen = win::RegistryKey::open(aliasRoot, k, KEY_QUERY_VALUE | kCleanerView)) {
        if (stringValue(seen->get(), v.c_str()) == L"test") result = 0;
      }
    }
  }
  win::deleteRegistryKey(real->get(), k, kCleanerView);
  return result;
}

bool KeyStatisticsEqual(HKEY aliasRoot, HKEY realRoot, const std::wstring& path) {
  auto real = win::RegistryKey::open(realRoot, path, KEY_READ | kCleanerView);
  if (!real) return false;
  auto a = statisticsOf(aliasRoot);
  auto b = statisticsOf(real->get());
  if (!a || !b) return false;
  const bool same = a->className == b->className && a->subkeys == b->subkeys && a->maxSubkeyLen == b->maxSubkeyLen &&
                    a->maxClassLen == b->maxClassLen && a->values == b->values &&
                    a->maxValueNameLen == b->maxValueNameLen && a->maxValueLen == b->maxValueLen;
  if (!same) return false;
  if (aliasRoot == HKEY_CLASSES_ROOT) return true;
  return a->securitySize == b->securitySize && a->lastWrite.dwLowDateTime == b->lastWrite.dwLowDateTime &&
         a->lastWrite.dwHighDateTime == b->lastWrite.dwHighDateTime;
}

}  // namespace kestova::registry
