#pragma once
// Owners of Win32 handles: one small non-copyable type per kind of handle.
#include <windows.h>

#include <utility>

namespace kestova::win {

// Kernel handles; `Invalid` is what the creating API returns on failure.
template <HANDLE (*Invalid)()>
class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE h) : h_(h) {}
  KernelHandle(KernelHandle&& o) noexcept : h_(std::exchange(o.h_, Invalid())) {}
  KernelHandle& operator=(KernelHandle&& o) noexcept {
    if (this != &o) {
      close();
      h_ = std::exchange(o.h_, Invalid());
    }
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  ~KernelHandle() { close(); }

  HANDLE get() const { return h_; }
  bool valid() const { return h_ != Invalid() && h_ != nullptr; }
  explicit operator bool() const { return valid(); }
  HANDLE release() { return std::exchange(h_, Invalid()); }
  void close() {
    if (valid()) CloseHandle(h_);
    h_ = Invalid();
  }

 private:
  HANDLE h_ = Invalid();
};

inline HANDLE nullHandle() { return nullptr; }
inline HANDLE invalidHandle() { return INVALID_HANDLE_VALUE; }

using Handle = KernelHandle<nullHandle>;          // events, mutexes, threads, processes
using FileHandle = KernelHandle<invalidHandle>;   // CreateFile

class FindHandle {
 public:
  FindHandle() = default;
  explicit FindHandle(HANDLE h) : h_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) FindClose(h_);
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

class Module {
 public:
  Module() = default;
  explicit Module(HMODULE m) : m_(m) {}
  Module(Module&& o) noexcept : m_(std::exchange(o.m_, nullptr)) {}
  Module& operator=(Module&& o) noexcept {
    if (this != &o) {
      reset();
      m_ = std::exchange(o.m_, nullptr);
    }
    return *this;
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  ~Module() { reset(); }
  HMODULE get() const { return m_; }
  explicit operator bool() const { return m_ != nullptr; }
  void reset() {
    if (m_) FreeLibrary(m_);
    m_ = nullptr;
  }

 private:
  HMODULE m_ = nullptr;
};

template <typename T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T h) : h_(h) {}
  GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }
  T get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset(T h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  T h_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;

class Icon {
 public:
  Icon() = default;
  explicit Icon(HICON h) : h_(h) {}
  Icon(Icon&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  Icon& operator=(Icon&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  ~Icon() { reset(); }
  HICON get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset(HICON h = nullptr) {
    if (h_) DestroyIcon(h_);
    h_ = h;
  }

 private:
  HICON h_ = nullptr;
};

// Selects an object into a DC for a scope.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;
  ~SelectObjectScope() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

class MemoryDC {
 public:
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace kestova::win
