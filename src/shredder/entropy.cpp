#include "shredder/entropy.h"

#include <windows.h>
#include <psapi.h>

#include <type_traits>

#include "win/handles.h"

namespace kestova::shredder {
namespace {

class Snapshot {
 public:
  template <typename T>
  void integer(T value) {
    auto bits = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(toPointer(value)));
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(bits >> shift));
  }
  void byte(std::uint8_t value) { bytes_.push_back(value); }
  // The record as the platform filled it; the local copy is zeroed afterwards.
  template <typename T>
  void record(T& value) {
    auto* p = reinterpret_cast<const std::uint8_t*>(&value);
    bytes_.insert(bytes_.end(), p, p + sizeof value);
    SecureZeroMemory(&value, sizeof value);
  }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  template <typename T>
  static const void* toPointer(T value) {
    if constexpr (std::is_pointer_v<T>) {
      return value;
    } else {
      return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(value));
    }
  }
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

std::vector<std::uint8_t> entropySnapshot() {
  Snapshot s;
  s.integer(GetActiveWindow());
  s.integer(GetCapture());
  s.integer(GetClipboardOwner());
  s.integer(GetClipboardViewer());
  s.integer(GetCurrentProcess());
  s.integer(GetCurrentProcessId());
  s.integer(GetCurrentThread());
  s.integer(GetCurrentThreadId());
  s.integer(GetTickCount());
  s.integer(GetDesktopWindow());
  s.integer(GetFocus());
  s.byte(GetInputState() ? 1 : 0);
  s.integer(GetMessagePos());
  s.integer(static_cast<DWORD>(GetMessageTime()));
  s.integer(GetOpenClipboardWindow());
  s.integer(GetProcessHeap());
  s.integer(GetProcessWindowStation());
  DWORD queue = GetQueueStatus(0xBF);
  s.integer(queue);
  queue = 0;

  SYSTEMTIME local = {};
  GetLocalTime(&local);
  FILETIME localFile = {};
  SystemTimeToFileTime(&local, &localFile);
  s.record(local);
  s.record(localFile);
  SYSTEMTIME utc = {};
  GetSystemTime(&utc);
  s.record(utc);

  POINT caret = {};
  GetCaretPos(&caret);
  s.record(caret);
  POINT cursor = {};
  GetCursorPos(&cursor);
  s.record(cursor);

  MEMORYSTATUS memory = {};
  memory.dwLength = sizeof memory;
  GlobalMemoryStatus(&memory);
  s.record(memory);

  FILETIME times[4] = {};
  GetThreadTimes(GetCurrentThread(), &times[0], &times[1], &times[2], &times[3]);
  for (FILETIME& t : times) s.record(t);
  GetProcessTimes(GetCurrentProcess(), &times[0], &times[1], &times[2], &times[3]);
  for (FILETIME& t : times) s.record(t);

  SIZE_T minimum = 0, maximum = 0;
  GetProcessWorkingSetSize(GetCurrentProcess(), &minimum, &maximum);
  s.integer(minimum);
  s.integer(maximum);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  s.record(startup);

  SYSTEM_INFO system = {};
  GetSystemInfo(&system);
  s.record(system);

  LARGE_INTEGER counter = {};
  if (QueryPerformanceCounter(&counter)) s.record(counter);

  DWORD sectors = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (GetDiskFreeSpaceA("C:\\", &sectors, &bytesPerSector, &freeClusters, &totalClusters)) {
    s.integer(sectors);
    s.integer(bytesPerSector);
    s.integer(freeClusters);
    s.integer(totalClusters);
    s.integer(freeClusters * bytesPerSector * sectors);  // 32-bit product, wraps
  }

  // In place of a runtime memory manager's counters: the process's heaps and its memory counters.
  s.integer(GetProcessHeaps(0, nullptr));
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  win::Module psapi(LoadLibraryW(L"psapi.dll"));
  using GetMemoryInfo = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
  auto query = psapi ? reinterpret_cast<GetMemoryInfo>(
                           reinterpret_cast<void*>(GetProcAddress(psapi.get(), "GetProcessMemoryInfo")))
                     : nullptr;
  if (query) query(GetCurrentProcess(), &counters, sizeof counters);
  s.integer(counters.PagefileUsage);
  s.record(counters);
  return s.take();
}

}  // namespace kestova::shredder
