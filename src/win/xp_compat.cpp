// The static thread runtime imports GetTickCount64, which Windows XP lacks. Defining the import
// slot here answers that import inside the program, so the exe loads on XP SP3. The x64 program
// needs 64-bit Vista, which has the function, so only the x86 one carries the slot.
#include <windows.h>

#if defined(__i386__)

namespace {

ULONGLONG WINAPI tickCount64() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<ULONGLONG>(now.QuadPart / frequency.QuadPart * 1000 +
                                now.QuadPart % frequency.QuadPart * 1000 / frequency.QuadPart);
}

}  // namespace

extern "C" {
extern void* const kestovaTickCount64Import __asm__("__imp__GetTickCount64@0");
void* const kestovaTickCount64Import = reinterpret_cast<void*>(&tickCount64);
}

#endif
