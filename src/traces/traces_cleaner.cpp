#include "traces/traces_cleaner.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "core/long_path.h"
#include "win/links.h"
#include "win/handles.h"
#include "win/registry_key.h"

namespace kestova::traces {
namespace {

constexpr const wchar_t* kFolders[] = {
    L"AppLog",
    L"Offline Web Pages",
    L"Start Menu\\Programs\\Disabled Startup Items",
    L"Downloaded Program Files",
};

constexpr const wchar_t* kTypedUrlsKey = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
// When each typed address was typed, by the same value names (Windows 8 and later).
constexpr const wchar_t* kTypedUrlsTimeKey = L"Software\\Microsoft\\Internet Explorer\\TypedURLsTime";
constexpr const wchar_t* kRunMruKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const wchar_t* kFindMruKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU";
constexpr const wchar_t* kExplorerBarsKey = L"Software\\Microsoft\\Internet Explorer\\Explorer Bars";

// The folder below `base` exists and no part of the way from `base` to it is a link, so emptying
// it cannot reach outside.
bool plainFolderBelow(std::wstring base, const std::wstring& relative) {
  while (base.size() > 1 && base.back() == L'\\') base.pop_back();
  std::size_t start = 0;
  while (start < relative.size()) {
    std::size_t end = relative.find(L'\\', start);
    if (end == std::wstring::npos) end = relative.size();
    std::wstring next = base + L"\\" + relative.substr(start, end - start);
    WIN32_FIND_DATAW data;
    win::FindHandle find(FindFirstFileW(longPathForm(next).c_str(), &data));
    if (!find.valid() || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (win::isLink(base, data)) return false;
    base = std::move(next);
    start = end + 1;
  }
  return true;
}

// Each value of `names` that is there is deleted, and counted as removed or left.
void deleteValues(const std::wstring& key, const std::vector<std::wstring>& names, Tally& tally) {
  auto opened = win::RegistryKey::open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!opened) return;
  for (const auto& name : names) {
    if (!opened->value(name)) continue;
    ++(opened->deleteValue(name) ? tally.removed : tally.left);
  }
}

// "a" to "z"; the find list's "w" is not one of its letters.
std::vector<std::wstring> letterNames(bool withW) {
  std::vector<std::wstring> names;
  for (wchar_t c = L'a'; c <= L'z'; ++c) {
    if (withW || c != L'w') names.emplace_back(1, c);
  }
  return names;
}

// A letter list's order value names only the letters still there, in their order.
void deleteLetters(const std::wstring& key, bool withW, Tally& tally) {
  deleteValues(key, letterNames(withW), tally);
  auto opened = win::RegistryKey::open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!opened) return;
  auto order = opened->value(L"MRUList");
  if (!order || (order->type != REG_SZ && order->type != REG_EXPAND_SZ)) return;
  std::wstring letters(reinterpret_cast<const wchar_t*>(order->data.data()), order->data.size() / sizeof(wchar_t));
  while (!letters.empty() && letters.back() == 0) letters.pop_back();
  std::wstring kept;
  for (wchar_t letter : letters) {
    if (opened->value(std::wstring(1, letter))) kept += letter;
  }
  if (kept == letters) return;
  std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(kept.c_str()),
                          reinterpret_cast<const BYTE*>(kept.c_str() + kept.size() + 1));
  opened->setValue(L"MRUList", order->type, bytes);
}

std::vector<std::wstring> subkeyNames(HKEY key) {
  std::vector<std::wstring> names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    LONG rc = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;  // longer than any key name may be
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

bool hasSubkeys(HKEY root, const std::wstring& path) {
  auto key = win::RegistryKey::open(root, path, KEY_QUERY_VALUE);
  DWORD subkeys = 0;
  return key && RegQueryInfoKeyW(key->get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys > 0;
}

// The search histories of every explorer bar: "000" to "050" in its two MRU lists.
void deleteExplorerBarHistories(Tally& tally) {
  auto bars = win::RegistryKey::open(HKEY_CURRENT_USER, kExplorerBarsKey, KEY_ENUMERATE_SUB_KEYS);
  if (!bars) return;
  std::vector<std::wstring> numbers;
  for (int i = 0; i <= 50; ++i) {
    wchar_t name[8];
    std::swprintf(name, 8, L"%03d", i);
    numbers.emplace_back(name);
  }
  for (const auto& bar : subkeyNames(bars->get())) {
    std::wstring path = std::wstring(kExplorerBarsKey) + L"\\" + bar;
    if (!hasSubkeys(HKEY_CURRENT_USER, path)) continue;
    deleteValues(path + L"\\ContainingTextMRU", numbers, tally);
    deleteValues(path + L"\\FilesNamedMRU", numbers, tally);
  }
}

}  // namespace

const wchar_t* traceFolder(Trace trace) {
  auto index = static_cast<std::size_t>(trace);
  return index < std::size(kFolders) ? kFolders[index] : nullptr;
}

void deleteTypedUrls(Tally& tally) {
  std::vector<std::wstring> names;
  for (int i = 1; i <= 30; ++i) names.push_back(L"url" + std::to_wstring(i));
  deleteValues(kTypedUrlsKey, names, tally);
  Tally times;  // the times go with their addresses and are not counted apart
  deleteValues(kTypedUrlsTimeKey, names, times);
}

void deleteRunHistory(Tally& tally) { deleteLetters(kRunMruKey, true, tally); }

void deleteFindHistory(Tally& tally) {
  deleteLetters(kFindMruKey, false, tally);
  deleteExplorerBarHistories(tally);
}

TracesCleaner::TracesCleaner(std::optional<std::wstring> windowsFolder, EmptyHooks hooks)
    : windowsFolder_(std::move(windowsFolder)), hooks_(std::move(hooks)) {
  if (windowsFolder_ && windowsFolder_->empty()) windowsFolder_.reset();
}

bool TracesCleaner::pump() const { return !hooks_.pump || hooks_.pump(); }

bool TracesCleaner::cleanFolder(Trace trace) const {
  if (!windowsFolder_ || !plainFolderBelow(*windowsFolder_, traceFolder(trace))) return true;
  std::wstring folder = *windowsFolder_;
  if (folder.back() != L'\\') folder += L'\\';
  return emptyFolder(folder + traceFolder(trace) + L"\\", hooks_, tally_);
}

bool TracesCleaner::clean(const TraceSelection& selection) const {
  for (int i = 0; i < kTraceCount; ++i) {
    if (!selection[static_cast<std::size_t>(i)]) continue;
    auto trace = static_cast<Trace>(i);
    switch (trace) {
      case Trace::ApplicationLog:
      case Trace::OfflineWebPages:
      case Trace::DisabledStartupItems:
      case Trace::DownloadedProgramFiles:
        if (!cleanFolder(trace)) return false;
        break;
      case Trace::TypedUrls: deleteTypedUrls(tally_); break;
      case Trace::RunHistory: deleteRunHistory(tally_); break;
      case Trace::FindHistory: deleteFindHistory(tally_); break;
    }
    if (!pump()) return false;
  }
  return true;
}

}  // namespace kestova::traces
