#include "spyware/pest_registry.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "spyware/block_record.h"
#include "win/error.h"
#include "win/registry_key.h"
#include "win/system_bitness.h"

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

// On 64-bit Windows the 32-bit and the 64-bit browser read the machine's keys from different
// views, so a machine-wide place is kept in every view; the user's keys are one for both.
std::vector<REGSAM> viewsOf(const RegistryPlace& place) {
  return place.hive == HKEY_LOCAL_MACHINE ? win::registryViews() : std::vector<REGSAM>{0};
}

std::optional<win::RegistryKey> openKey(const RegistryPlace& root, REGSAM view, REGSAM access = kReadWrite) {
  return win::RegistryKey::open(root.hive, root.path, access | view);
}

const wchar_t* hiveName(HKEY hive) {
  if (hive == HKEY_LOCAL_MACHINE) return L"HKEY_LOCAL_MACHINE";
  if (hive == HKEY_CURRENT_USER) return L"HKEY_CURRENT_USER";
  if (hive == HKEY_USERS) return L"HKEY_USERS";
  return L"HKEY_CLASSES_ROOT";
}

// The record's name of one value: its view and full key path.
std::wstring recordId(const RegistryPlace& root, REGSAM view, const std::wstring& key) {
  const wchar_t* viewName = view == KEY_WOW64_64KEY ? L"64" : view == KEY_WOW64_32KEY ? L"32" : L"-";
  return std::wstring(viewName) + L"\t" + hiveName(root.hive) + L"\\" + below(root, key);
}

bool isDword(const std::optional<win::RegistryValue>& value, DWORD data) {
  return value && value->type == REG_DWORD && value->data.size() == sizeof(DWORD) &&
         std::equal(value->data.begin(), value->data.end(), reinterpret_cast<const BYTE*>(&data));
}

bool blockIn(const RegistryPlace& root, REGSAM view, const std::wstring& key, const wchar_t* value, DWORD data,
             BlockRecord* record) {
  const std::wstring id = recordId(root, view, key);
  if (auto item = win::RegistryKey::open(root.hive, below(root, key), kReadWrite | view)) {
    auto old = item->value(value);
    // A value that already blocks (Microsoft's or an administrator's) is not Block's to undo.
    if (isDword(old, data)) {
      if (record) record->remember(id, {PriorState::Kept});
      return true;
    }
    if (record) {
      record->remember(id, old ? PriorState{PriorState::Data, old->type, old->data} : PriorState{PriorState::NoValue});
    }
    item->setDword(value, data);
    return true;
  }
  auto parent = openKey(root, view);
  if (!parent) return false;
  if (record) record->remember(id, {PriorState::NoKey});
  HKEY created = nullptr;
  LONG rc = RegCreateKeyExW(parent->get(), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite | view,
                            nullptr, &created, nullptr);
  if (rc != ERROR_SUCCESS) throw win::Error(L"Failed to create key " + key + L": " + win::systemErrorText(rc));
  win::RegistryKey item = win::RegistryKey::adopt(created);
  item.setDword(value, data);
  return true;
}

// True only when every view took the value.
bool blockIn(const RegistryPlace& root, const std::wstring& key, const wchar_t* value, DWORD data,
             BlockRecord* record) {
  bool all = true;
  for (REGSAM view : viewsOf(root)) all = blockIn(root, view, key, value, data, record) && all;
  return all;
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

// With a record, gives back the state Block found, and only while Block's value is still there;
// without one (blocked by an older version), removes the value and then the key left empty.
bool unblockIn(const RegistryPlace& root, REGSAM view, const std::wstring& key, const wchar_t* value, DWORD data,
               BlockRecord* record) {
  const std::wstring id = recordId(root, view, key);
  std::optional<PriorState> prior = record ? record->find(id) : std::nullopt;
  if (prior && prior->kind == PriorState::Kept) return false;
  auto item = win::RegistryKey::open(root.hive, below(root, key), kReadWrite | view);
  if (!item) return false;
  if (prior) {
    record->markUndone(id);
    if (!isDword(item->value(value), data)) return false;  // changed since Block, or given back already
    if (prior->kind == PriorState::Data) {
      item->setValue(value, prior->type, prior->data);
      return true;
    }
    if (prior->kind == PriorState::NoValue) return item->deleteValue(value);
  }
  bool removed = item->deleteValue(value);
  bool empty = isEmptyKey(item->get());
  item.reset();
  if (empty) {
    if (auto parent = openKey(root, view)) win::deleteRegistryKey(parent->get(), key, view);
  }
  return removed;
}

// True when Block's value was in some view and is gone from it.
bool unblockIn(const RegistryPlace& root, const std::wstring& key, const wchar_t* value, DWORD data,
               BlockRecord* record) {
  bool removed = false;
  for (REGSAM view : viewsOf(root)) removed = unblockIn(root, view, key, value, data, record) || removed;
  return removed;
}

bool holdsBlock(const RegistryPlace& root, REGSAM view, PestKind kind, const std::wstring& key) {
  auto item = win::RegistryKey::open(root.hive, below(root, key), KEY_READ | view);
  if (!item) return false;
  return isDword(item->value(itemValue(kind)), blockedValue(kind));
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
  const RegistryPlace& root = itemRoot(kind, roots);
  for (REGSAM view : viewsOf(root)) {
    if (!holdsBlock(root, view, kind, key)) return false;
  }
  return true;
}

bool BlockPest(PestKind kind, const std::wstring& key, const BlockRoots& roots, BlockRecord* record) {
  if (!isUsablePestKey(key)) return false;
  if (kind == PestKind::ActiveX) return blockIn(roots.activeX, key, kFlagsValue, kKillFlag, record);
  blockIn(roots.machineP3P, key, kDefaultValue, kAlwaysBlock, record);
  return blockIn(roots.userP3P, key, kDefaultValue, kAlwaysBlock, record);
}

bool UnblockPest(PestKind kind, const std::wstring& key, const BlockRoots& roots, BlockRecord* record) {
  if (!isUsablePestKey(key)) return false;
  if (kind == PestKind::ActiveX) return unblockIn(roots.activeX, key, kFlagsValue, kKillFlag, record);
  unblockIn(roots.machineP3P, key, kDefaultValue, kAlwaysBlock, record);
  return unblockIn(roots.userP3P, key, kDefaultValue, kAlwaysBlock, record);
}

void PrepareBlockRoots(const BlockRoots& roots) {
  const RegistryPlace* places[] = {&roots.machineP3P, &roots.userP3P, &roots.activeX};
  bool created = false;
  for (const RegistryPlace* place : places) {
    for (REGSAM view : viewsOf(*place)) {
      if (openKey(*place, view)) continue;
      HKEY key = nullptr;
      if (RegCreateKeyExW(place->hive, place->path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite | view,
                          nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
        created = true;
      }
    }
  }
  if (!created) return;
  for (const RegistryPlace* place : places) {
    const wchar_t* value = place == &roots.activeX ? kFlagsValue : kDefaultValue;
    const DWORD data = place == &roots.activeX ? kKillFlag : kAlwaysBlock;
    for (REGSAM view : viewsOf(*place)) {
      if (auto key = openKey(*place, view)) key->setDword(value, data);
    }
  }
}

void ResetBlockRoots(const BlockRoots& roots, bool activeX, bool cookies) {
  const RegistryPlace* places[] = {&roots.machineP3P, &roots.userP3P, &roots.activeX};
  for (const RegistryPlace* place : places) {
    if (!(place == &roots.activeX ? activeX : cookies)) continue;
    const wchar_t* value = place == &roots.activeX ? kFlagsValue : kDefaultValue;
    const DWORD data = place == &roots.activeX ? 0 : 1;
    for (REGSAM view : viewsOf(*place)) {
      if (auto key = openKey(*place, view)) key->setDword(value, data);
    }
  }
}

bool canWriteMachineKeys(const BlockRoots& roots) {
  for (const RegistryPlace* place : {&roots.activeX, &roots.machineP3P}) {
    for (REGSAM view : viewsOf(*place)) {
      if (openKey(*place, view, KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) continue;
      if (openKey(*place, view, KEY_READ)) return false;  // there, but not ours to change
      HKEY created = nullptr;
      DWORD disposition = 0;
      if (RegCreateKeyExW(place->hive, place->path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite | view,
                          nullptr, &created, &disposition) != ERROR_SUCCESS) {
        return false;
      }
      RegCloseKey(created);
      // Block makes the root itself, with its blocked values; this test leaves no trace.
      if (disposition == REG_CREATED_NEW_KEY) {
        const std::size_t slash = place->path.rfind(L'\\');
        const std::wstring parentPath = slash == std::wstring::npos ? L"" : place->path.substr(0, slash);
        const std::wstring name = slash == std::wstring::npos ? place->path : place->path.substr(slash + 1);
        if (auto parent = win::RegistryKey::open(place->hive, parentPath, KEY_READ | KEY_WRITE | view)) {
          win::deleteRegistryKey(parent->get(), name, view);
        }
      }
    }
  }
  return true;
}

bool cookieStageAvailable(const BlockRoots& roots) {
  for (REGSAM view : viewsOf(roots.machineP3P)) {
    if (!openKey(roots.machineP3P, view)) return false;
  }
  return true;
}

}  // namespace kestova::spyware
