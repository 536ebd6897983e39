#pragma once
// The HTTP text fetch of the update check and the spyware list update, on WinINet.
#include <windows.h>
#include <wininet.h>

#include <cstddef>
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

 private:
  HINTERNET h_ = nullptr;
};

struct FetchLimits {
  std::size_t maxBytes = 4194304;   // 4 MiB
  DWORD timeoutMilliseconds = 20000;  // connect and receive
};

// The body of a 200 answer as 8-bit text, always from the server (never the cache). A zero byte
// cuts the block of 1025 bytes it arrives in. Throws Error "Unable to initialize Wininet",
// "Cannot open URL <url>" (no answer, a status other than 200, a failed or short read) or
// "Download too large: <url>".
std::string FetchUrlText(const std::wstring& url, const FetchLimits& limits = {});

}  // namespace kestova::win
