#include "registry/rdThds.h"

#include <process.h>

#include <algorithm>

#include "core/reg_data_text.h"
#include "core/text_codec.h"
#include "registry/registry_roots.h"
#include "win/error.h"
#include "win/registry_key.h"

namespace kestova::registry {
namespace {

struct Root {
  HKEY key;
  const wchar_t* name;
  std::uint8_t hive;
};

// The order of the walk.
const Root kRoots[] = {
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", kHiveCurrentUser},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", kHiveLocalMachine},
    {HKEY_USERS, L"HKEY_USERS", kHiveUsers},
    {HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG", kHiveCurrentConfig},
    {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT", kHiveClassesRoot},
};

const std::wstring& placeholder() {
  static const std::wstring text = fromCp1252(regsearch::kPlaceholder);
  return text;
}

// Names are sorted ordinally with ASCII letters folded, the case rule of the matching: the
// system's collation costs more than the walk itself on large keys.
bool lessByName(const std::wstring& a, const std::wstring& b) { return regsearch::lessIgnoringAsciiCase(a, b); }

struct ValueData {
  std::wstring name;
  DWORD type;
  std::vector<BYTE> data;
};

// The data as the ANSI registry API gives it: strings in the ANSI code page.
std::string ansiData(DWORD type, const std::vector<BYTE>& data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
    return toCp1252(std::wstring_view(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t)));
  }
  return std::string(data.begin(), data.end());
}

}  // namespace

TSearchThread::TSearchThread(const std::wstring& searchText, TProgressEvent onProgress, TFoundEvent onFound,
                             int maxResults, bool caseSensitive, const TKeyEquivalents& equivalents)
    : searchText_(searchText),
      searchBytes_(toCp1252(searchText)),
      searchNumber_(regsearch::parseSearchNumber(toCp1252(searchText))),
      caseSensitive_(caseSensitive),
      maxResults_(maxResults),
      equivalents_(equivalents),
      onProgress_(std::move(onProgress)),
      onFound_(std::move(onFound)) {
  unsigned id = 0;
  thread_ = win::Handle(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &threadMain, this, CREATE_SUSPENDED, &id)));
  if (!thread_) throw win::Error(L"Cannot create the search thread");
}

TSearchThread::TSearchThread(const std::wstring& searchText, TProgressEvent onProgress, TFoundEvent onFound,
                             int maxResults, bool caseSensitive, std::vector<std::wstring> keyCriteria,
                             std::vector<std::wstring> nameCriteria, std::vector<std::wstring> dataCriteria,
                             bool matchAllKey, bool matchAllName, bool matchAllData, std::uint8_t hiveMask,
                             const TKeyEquivalents& equivalents)
    : TSearchThread(searchText, std::move(onProgress), std::move(onFound), maxResults, caseSensitive, equivalents) {
  criteriaMode_ = true;
  keyCriteria_ = std::move(keyCriteria);
  nameCriteria_ = std::move(nameCriteria);
  dataCriteria_ = std::move(dataCriteria);
  matchAllKey_ = matchAllKey;
  matchAllName_ = matchAllName;
  matchAllData_ = matchAllData;
  hiveMask_ = hiveMask;
}

TSearchThread::~TSearchThread() {
  detached_ = true;
  terminated_ = true;
  if (status_ == Created) ResumeThread(thread_.get());
  win::UiThreadCall::waitLettingCallsRun(thread_.get());
}

void TSearchThread::Start() {
  if (ResumeThread(thread_.get()) == static_cast<DWORD>(-1)) win::throwLastError(L"Cannot start the search thread");
}

void TSearchThread::WaitFor() { win::UiThreadCall::waitLettingCallsRun(thread_.get()); }

unsigned __stdcall TSearchThread::threadMain(void* self) {
  auto* thread = static_cast<TSearchThread*>(self);
  try {
    thread->Execute();
  } catch (...) {
    // The walk absorbs the errors of each key; nothing else can fail here.
  }
  try {
    thread->ui_.post([thread] {
      if (!thread->detached_ && thread->OnTerminate) thread->OnTerminate();
    });
  } catch (...) {
    // Without its message window the owner learns the end from WaitFor.
  }
  return 0;
}

void TSearchThread::Execute() {
  status_ = Running;
  stopFlag_ = false;
  for (const Root& root : kRoots) {
    if (criteriaMode_ && !(hiveMask_ & root.hive)) continue;
    current_.RootKey = root.key;
    walkKey(root.key, L"", root.name, L"", 1);
    if (stopFlag_) return;
  }
  status_ = Finished;
}

bool TSearchThread::checkStop() {
  if (terminated_) {
    status_ = Stopped;
    stopFlag_ = true;
  }
  return stopFlag_;
}

bool TSearchThread::isEquivalent(const std::wstring& keyText) const {
  for (const std::wstring& entry : equivalents_) {
    if (entry.size() == keyText.size() &&
        CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, entry.c_str(), static_cast<int>(entry.size()),
                       keyText.c_str(), static_cast<int>(keyText.size())) == CSTR_EQUAL) {
      return true;
    }
  }
  return false;
}

void TSearchThread::report() {
  // Checked again on the owner's thread: the owner may have let go while this call waited.
  if (!detached_ && onFound_) {
    ui_.call([this] {
      if (!detached_) onFound_(current_);
    });
  }
  ++reportedCount_;
}

void TSearchThread::progress() {
  if (!detached_ && onProgress_) {
    const int keys = keysVisited_, reported = reportedCount_;
    ui_.call([this, keys, reported] {
      if (!detached_) onProgress_(keys, reported);
    });
  }
}

void TSearchThread::walkKey(HKEY parent, const std::wstring& name, const std::wstring& keyText,
                            const std::wstring& realPath, int depth) {
  if (++keysVisited_ % 100 == 0) {
    try {
      progress();
    } catch (...) {
      return;  // an error of the progress call abandons this key
    }
  }
  if (checkStop()) return;
  if (isEquivalent(keyText)) return;
  try {
    std::optional<win::RegistryKey> opened;
    HKEY key = parent;
    if (depth > 1) {
      opened = win::RegistryKey::open(parent, name, KEY_READ | kCleanerView);
      if (!opened) return;
      key = opened->get();
    }
    KeyCounts counts{};
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &counts.subkeys, &counts.maxSubkeyLen, nullptr, &counts.values,
                         &counts.maxValueNameLen, &counts.maxValueLen, nullptr, nullptr) != ERROR_SUCCESS) {
      return;
    }
    current_.Key = keyText;
    current_.KeyPath = realPath;
    current_.KeyMatchPos = current_.NameMatchPos = current_.DataMatchPos = 0;
    current_.KeyMatchLen = current_.NameMatchLen = current_.DataMatchLen = 0;
    current_.ValueName.clear();
    current_.Data = placeholder();
    if (criteriaMode_) {
      current_.Data.clear();
      report();
    } else {
      if (const int pos = regsearch::findText(name, searchText_, caseSensitive_)) {
        current_.KeyMatchPos = static_cast<int>(keyText.size()) + pos - static_cast<int>(name.size());
        current_.KeyMatchLen = static_cast<int>(searchText_.size());
      }
      if (stopFlag_) return;
      const bool anyValueMatched = counts.values > 0 && walkValues(key, counts);
      if (stopFlag_) return;
      current_.ValueName = placeholder();
      current_.Data = placeholder();
      current_.NameMatchPos = current_.NameMatchLen = current_.DataMatchPos = current_.DataMatchLen = 0;
      if (current_.KeyMatchPos > 0 && !anyValueMatched) report();  // the key itself
      if (stopFlag_) return;
    }
    if (counts.subkeys > 0) walkSubkeys(key, counts, keyText, realPath, depth);
  } catch (...) {
    // Absorbed: the key is abandoned and the walk goes on with its next sibling.
  }
}

bool TSearchThread::walkValues(HKEY key, const KeyCounts& counts) {
  std::vector<ValueData> values;
  values.reserve(counts.values);
  std::vector<wchar_t> nameBuffer(counts.maxValueNameLen + 2);
  std::vector<BYTE> dataBuffer(counts.maxValueLen + 2);
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(nameBuffer.size());
    DWORD dataLen = static_cast<DWORD>(dataBuffer.size());
    DWORD type = 0;
    LONG rc = RegEnumValueW(key, i, nameBuffer.data(), &nameLen, nullptr, &type, dataBuffer.data(), &dataLen);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_MORE_DATA) {  // grown since the query: read it by name
      nameLen = static_cast<DWORD>(nameBuffer.size());
      if (RegEnumValueW(key, i, nameBuffer.data(), &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        continue;
      }
      ValueData value{std::wstring(nameBuffer.data(), nameLen), 0, {}};
      DWORD size = 0;
      if (RegQueryValueExW(key, value.name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) continue;
      value.data.resize(size);
      if (RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS) {
        continue;  // passed over without a report
      }
      value.data.resize(size);
      values.push_back(std::move(value));
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    values.push_back({std::wstring(nameBuffer.data(), nameLen), type,
                      std::vector<BYTE>(dataBuffer.begin(), dataBuffer.begin() + dataLen)});
  }
  std::sort(values.begin(), values.end(), [](const ValueData& a, const ValueData& b) { return lessByName(a.name, b.name); });

  bool anyValueMatched = false;
  for (const ValueData& value : values) {
    if (stopFlag_) return anyValueMatched;
    current_.ValueName = value.name;
    current_.NameMatchPos = current_.NameMatchLen = 0;
    checkStop();
    if (const int pos = regsearch::findText(value.name, searchText_, caseSensitive_)) {
      current_.NameMatchPos = pos;
      current_.NameMatchLen = static_cast<int>(searchText_.size());
    }
    current_.Data = placeholder();
    current_.DataMatchPos = current_.DataMatchLen = 0;
    if (auto match = regsearch::matchData(ansiData(value.type, value.data), value.type, searchBytes_, caseSensitive_,
                                          searchNumber_)) {
      current_.Data = fromCp1252(match->text);
      current_.DataMatchPos = match->pos;
      current_.DataMatchLen = match->len;
    }
    if (current_.NameMatchPos > 0 || current_.DataMatchPos > 0) {
      anyValueMatched = true;
      report();
    }
    if (checkStop()) return anyValueMatched;  // a request made while this value was examined ends the walk here
  }
  return anyValueMatched;
}

void TSearchThread::walkSubkeys(HKEY key, const KeyCounts& counts, const std::wstring& keyText,
                                const std::wstring& realPath, int depth) {
  std::vector<std::wstring> names;
  names.reserve(counts.subkeys);
  std::vector<wchar_t> buffer(counts.maxSubkeyLen + 2);
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(buffer.size());
    LONG rc = RegEnumKeyExW(key, i, buffer.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_MORE_DATA) {
      buffer.resize(buffer.size() * 2 + 256);
      --i;
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), len);
  }
  std::sort(names.begin(), names.end(), lessByName);
  for (const std::wstring& name : names) {
    if (name.empty()) continue;
    if (stopFlag_) return;
    walkKey(key, name, keyText + L"\\" + regsearch::lowerAscii(name), realPath.empty() ? name : realPath + L"\\" + name,
            depth + 1);
  }
}

}  // namespace kestova::registry
