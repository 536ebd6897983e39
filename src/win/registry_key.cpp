#include "win/registry_key.h"

#include "win/error.h"

namespace kestova::win {

std::optional<RegistryKey> RegistryKey::open(HKEY root, const std::wstring& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return std::nullopt;
  return RegistryKey(key);
}

RegistryKey RegistryKey::create(HKEY root, const std::wstring& path, REGSAM access) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) throw Error(L"Cannot create registry key " + path + L": " + systemErrorText(rc));
  return RegistryKey(key);
}

std::optional<RegistryValue> RegistryKey::value(const std::wstring& name) const {
  RegistryValue result;
  DWORD size = 0;
  for (;;) {
    result.data.resize(size);
    LONG rc = RegQueryValueExW(key_, name.c_str(), nullptr, &result.type, size ? result.data.data() : nullptr,
                               &size);
    if (rc == ERROR_SUCCESS && size <= result.data.size()) {
      result.data.resize(size);
      return result;
    }
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return std::nullopt;
  }
}

void RegistryKey::setDword(const std::wstring& name, DWORD value) const {
  LONG rc = RegSetValueExW(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  if (rc != ERROR_SUCCESS) throw Error(L"Cannot write registry value " + name + L": " + systemErrorText(rc));
}

void RegistryKey::setValue(const std::wstring& name, DWORD type, const std::vector<BYTE>& data) const {
  LONG rc = RegSetValueExW(key_, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
  if (rc != ERROR_SUCCESS) throw Error(L"Cannot write registry value " + name + L": " + systemErrorText(rc));
}

bool deleteRegistryKey(HKEY parent, const std::wstring& name, REGSAM view) {
  using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  // Loaded at run time: 32-bit Windows XP lacks it.
  static const auto deleteKeyEx = reinterpret_cast<DeleteKeyEx>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW")));
  LONG rc = deleteKeyEx ? deleteKeyEx(parent, name.c_str(), view, 0) : RegDeleteKeyW(parent, name.c_str());
  return rc == ERROR_SUCCESS;
}

bool RegistryKey::deleteValue(const std::wstring& name) const {
  return RegDeleteValueW(key_, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace kestova::win
