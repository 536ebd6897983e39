#pragma once
// The HTTP text fetch of the update check and the spyware list update, on WinINet.
#include <windows.h>
#include <wininet.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

namespace kestova::win {

// A WinINet handle, closed with its owner.
class InternetHandle {
 public:
  InternetHandle() = default;
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  InternetHandle(InternetHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  InternetHandle& operator=(InternetHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() { reset(); }
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset() {
    if (h_) InternetCloseHandle(h_);
    h_ = nullptr;
  }
  // Lets the handle go without closing it (another thread closed it).
  void release() { h_ = nullptr; }

 private:
  HINTERNET h_ = nullptr;
};

struct FetchLimits {
  std::size_t maxBytes = 4194304;      // 4 MiB
  DWORD timeoutMilliseconds = 20000;   // each connect and each read
  DWORD overallMilliseconds = 60000;   // the whole fetch: a trickling server cannot hold it longer
};

// The body of a 200 answer as 8-bit text, always from the server (never the cache). A zero byte
// cuts the block of 1025 bytes it arrives in. Throws Error "Unable to initialize Wininet",
// "Cannot open URL <url>" (no answer, a status other than 200, a failed or short read, the
// overall limit passed) or "Download too large: <url>". The fetch runs on a thread of its own;
// meanwhile `whileWaiting` (letting the window's queue run) is called whenever messages arrive.
std::string FetchUrlText(const std::wstring& url, const FetchLimits& limits = {},
                         const std::function<void()>& whileWaiting = {});

}  // namespace kestova::win
