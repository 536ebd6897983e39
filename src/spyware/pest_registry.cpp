#include "spyware/pest_registry.h"

#include <algorithm>
#include <optional>

#include "win/error.h"
#include "win/registry_key.h"

namespace kestova::spyware {
namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;
constexpr const wchar_t* kFlagsValue = L"Compatibility Flags";
constexpr const wchar_t* kDefaultValue = L"";

const RegistryPlace& itemRoot(PestKind kind, const BlockRoots& roots) {
  return kind == PestKind::ActiveX ? roots.activeX : roots.machineP3P;
}

const wchar_t* itemValue(PestKind kind) { return kind == PestKind::ActiveX ? kFlagsValue : kDefaultValue; }
DWORD blockedValue(PestKind kind) { return kind == PestKind::ActiveX ? kKillFlag : kAlwaysBlock; }

std::wstring below(const RegistryPlace& root, const std::wstring& key) { return root.path + L"\\" + key; }

std::optional<win::RegistryKey> openKey(const RegistryPlace& root, REGSAM access = kReadWrite) {
  return win::RegistryKey::open(root.hive, root.path, access);
}

bool blockIn(const RegistryPlace& root, const std::wstring& key, const wchar_t* value, DWORD data) {
  if (auto item = win::RegistryKey::open(root.hive, below(root, key), kReadWrite)) {
    item->setDword(value, data);
    return true;
  }
  auto parent = openKey(root);
  if (!parent) return false;
  HKEY created = nullptr;
  LONG rc = RegCreateKeyExW(parent->get(), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite, nullptr,
                            &created, nullptr);
  if (rc != ERROR_SUCCESS) throw win::Error(L"Failed to create key " + key + L": " + win::systemErrorText(rc));
  win::RegistryKey item = win::RegistryKey::adopt(created);
  item.setDword(value, data);
  return true;
}

bool isEmptyKey(HKEY key) {
  DWORD subkeys = 0;
  DWORD values = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return subkeys == 0 && values == 0;
}

bool unblockIn(const RegistryPlace& root, const std::wstring& key, const wchar_t* value) {
  auto item = win::RegistryKey::open(root.hive, below(root, key), kReadWrite);
  if (!item) return false;
  bool removed = item->deleteValue(value);
  bool empty = isEmptyKey(item->get());
  item.reset();
  if (empty) {
    if (auto parent = openKey(root)) RegDeleteKeyW(parent->get(), key.c_str());
  }
  return removed;
}

}  // namespace

const BlockRoots& defaultBlockRoots() {
  static const BlockRoots roots{
      {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\P3P\\History"},
      {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\P3P\\History"},
      {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility"},
  };
  return roots;
}

bool IsPestProtected(PestKind kind, const std::wstring& key, const BlockRoots& roots) {
  if (!isUsablePestKey(key)) return false;
  auto item = win::RegistryKey::open(itemRoot(kind, roots).hive, below(itemRoot(kind, roots), key), KEY_READ);
  if (!item) return false;
  auto value = item->value(itemValue(kind));
  if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD)) return false;
  DWORD data = 0;
  std::copy(value->data.begin(), value->data.end(), reinterpret_cast<BYTE*>(&data));
  return data == blockedValue(kind);
}

bool BlockPest(PestKind kind, const std::wstring& key, const BlockRoots& roots) {
  if (!isUsablePestKey(key)) return false;
  if (kind == PestKind::ActiveX) return blockIn(roots.activeX, key, kFlagsValue, kKillFlag);
  blockIn(roots.machineP3P, key, kDefaultValue, kAlwaysBlock);
  return blockIn(roots.userP3P, key, kDefaultValue, kAlwaysBlock);
}

bool UnblockPest(PestKind kind, const std::wstring& key, const BlockRoots& roots) {
  if (!isUsablePestKey(key)) return false;
  if (kind == PestKind::ActiveX) return unblockIn(roots.activeX, key, kFlagsValue);
  unblockIn(roots.machineP3P, key, kDefaultValue);
  return unblockIn(roots.userP3P, key, kDefaultValue);
}

void PrepareBlockRoots(const BlockRoots& roots) {
  const RegistryPlace* places[] = {&roots.machineP3P, &roots.userP3P, &roots.activeX};
  bool created = false;
  for (const RegistryPlace* place : places) {
    if (openKey(*place)) continue;
    HKEY key = nullptr;
    if (RegCreateKeyExW(place->hive, place->path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
      RegCloseKey(key);
      created = true;
    }
  }
  if (!created) return;
  if (auto key = openKey(roots.machineP3P)) key->setDword(kDefaultValue, kAlwaysBlock);
  if (auto key = openKey(roots.userP3P)) key->setDword(kDefaultValue, kAlwaysBlock);
  if (auto key = openKey(roots.activeX)) key->setDword(kFlagsValue, kKillFlag);
}

void ResetBlockRoots(const BlockRoots& roots) {
  if (auto key = openKey(roots.machineP3P)) key->setDword(kDefaultValue, 1);
  if (auto key = openKey(roots.userP3P)) key->setDword(kDefaultValue, 1);
  if (auto key = openKey(roots.activeX)) key->setDword(kFlagsValue, 0);
}

bool cookieStageAvailable(const BlockRoots& roots) { return openKey(roots.machineP3P).has_value(); }

}  // namespace kestova::spyware
