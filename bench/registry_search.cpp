// Times the registry search (worker thread, synchronised reports, invalid-reference test) against
// a bare walk of the same keys with RegEnumKeyExW / RegEnumValueW / RegQueryValueExW, side by side
// in one run, over the whole registry of the prefix with about 100,000 extra keys and 300,000
// extra values. The last line is "ratio N.NN" (search time / walk time).
#include <windows.h>

#include <process.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/reg_data_text.h"
#include "registry/SearchFound.h"
#include "registry/rdThds.h"
#include "registry/regequiv.h"
#include "win/ui_thread_call.h"

using namespace kestova;
using namespace kestova::registry;

namespace {

constexpr int kGroups = 100, kKeysPerGroup = 1000;  // 100,000 keys with three values each
const wchar_t kBenchKey[] = L"Software\\KestovaBench";

double now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void setString(HKEY key, const wchar_t* name, const std::wstring& text) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Volatile keys: the prefix's registry files never hold them.
void fill() {
  HKEY top = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kBenchKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &top, nullptr);
  for (int g = 0; g < kGroups; ++g) {
    HKEY group = nullptr;
    RegCreateKeyExW(top, (L"Group" + std::to_wstring(g)).c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                    nullptr, &group, nullptr);
    for (int k = 0; k < kKeysPerGroup - 1; ++k) {
      HKEY key = nullptr;
      RegCreateKeyExW(group, (L"Item" + std::to_wstring(k)).c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr);
      const DWORD number = static_cast<DWORD>(k);
      RegSetValueExW(key, L"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
      setString(key, L"Title", L"Item number " + std::to_wstring(k) + L" of group " + std::to_wstring(g));
      if (k % 10 == 0) {  // one key in ten names a file; one in a hundred a missing one on C:
        const wchar_t* drive = k % 100 == 0 ? L"C:" : L"D:";
        setString(key, L"Path", std::wstring(drive) + L"\\kestovabench\\g" + std::to_wstring(g) + L"\\file" +
                                    std::to_wstring(k) + L".txt");
      } else {
        setString(key, L"Note", L"nothing to see in value " + std::to_wstring(k));
      }
      RegCloseKey(key);
    }
    RegCloseKey(group);
  }
  RegCloseKey(top);
}

// The floor: every key entered and every value read, nothing else.
struct BareWalk {
  const TKeyEquivalents& skip;
  long keys = 0, values = 0;
  std::vector<BYTE> data = std::vector<BYTE>(1 << 16);

  void walk(HKEY key, const std::wstring& text) {
    ++keys;
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
      DWORD len = 512;
      if (RegEnumValueW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      DWORD size = static_cast<DWORD>(data.size()), type = 0;
      if (RegQueryValueExW(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) ++values;
    }
    std::vector<std::wstring> names;
    for (DWORD i = 0;; ++i) {
      DWORD len = 512;
      if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, len);
    }
    for (const std::wstring& sub : names) {
      const std::wstring subText = text + L"\\" + regsearch::upperAscii(sub);
      if (std::find(skip.begin(), skip.end(), subText) != skip.end()) continue;
      HKEY child = nullptr;
      if (RegOpenKeyExW(key, sub.c_str(), 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
      walk(child, subText);
      RegCloseKey(child);
    }
  }
};

double bareWalk(long& keys) {
  BareWalk walker{KeyEquivalents()};
  const double start = now();
  const std::pair<HKEY, const wchar_t*> roots[] = {{HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"},
                                                   {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"},
                                                   {HKEY_USERS, L"HKEY_USERS"},
                                                   {HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG"},
                                                   {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT"}};
  for (const auto& [root, text] : roots) walker.walk(root, text);
  keys = walker.keys;
  return now() - start;
}

double search(long& keys, int& errors) {
  TRegistryErrors found;
  long progressCalls = 0;
  const double start = now();
  TSearchThread thread(L":\\", [&](int, int) { ++progressCalls; }, [&](const TSearchHit& hit) { found.SearchFound(hit); },
                       0, false);
  thread.Start();
  thread.WaitFor();
  const double seconds = now() - start;
  keys = thread.KeysVisited();
  errors = found.ErrorCount;
  return seconds;
}

}  // namespace

// How long one synchronised call takes: the worker waits for the owner's thread each time.
void timeCalls() {
  win::UiThreadCall ui;
  struct Args {
    win::UiThreadCall* ui;
    double seconds;
  } args{&ui, 0};
  struct Worker {
    static unsigned __stdcall run(void* p) {
      auto* a = static_cast<Args*>(p);
      const double start = now();
      int counter = 0;
      for (int i = 0; i < 5000; ++i) a->ui->call([&] { ++counter; });
      a->seconds = now() - start;
      return 0;
    }
  };
  HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Worker::run, &args, 0, nullptr));
  win::UiThreadCall::waitLettingCallsRun(thread);
  std::printf("one synchronised call: %.0f microseconds\n", args.seconds / 5000 * 1e6);
  CloseHandle(thread);
}

int main() {
  timeCalls();
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  SetCurrentDirectoryW(temp);  // "rrr.TXT" goes there
  InitializeKeyEquivalents();
  SHDeleteKeyW(HKEY_CURRENT_USER, kBenchKey);
  double start = now();
  fill();
  std::printf("filled %d keys with %d values in %.1f s\n", kGroups * kKeysPerGroup, kGroups * kKeysPerGroup * 3,
              now() - start);
  std::fflush(stdout);

  double walkBest = 1e9, searchBest = 1e9;
  // Three rounds, each walk beside its search; the best of each counts (the host's load varies).
  for (int round = 0; round < 3; ++round) {
    long walkKeys = 0, searchKeys = 0;
    int errors = 0;
    const double w = bareWalk(walkKeys);
    const double s = search(searchKeys, errors);
    std::printf("round %d: walk %.2f s (%ld keys), search %.2f s (%ld keys, %d errors)\n", round + 1, w, walkKeys, s,
                searchKeys, errors);
    std::fflush(stdout);
    walkBest = std::min(walkBest, w);
    searchBest = std::min(searchBest, s);
  }
  SHDeleteKeyW(HKEY_CURRENT_USER, kBenchKey);
  std::printf("ratio %.2f\n", searchBest / walkBest);
  return 0;
}
