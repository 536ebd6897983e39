#pragma once
// A small HTTP server on 127.0.0.1 in the test's own process, for the browser cache: every GET
// is answered with a short page that the browser may cache; a path ending in "/cookie" also sets
// a persistent cookie.
#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>

namespace kestova::test {

class LoopbackHttpServer {
 public:
  LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
  ~LoopbackHttpServer();

  // "http://127.0.0.1:<port>" + path.
  std::wstring url(const std::wstring& path) const;
  int requests() const { return requests_; }

 private:
  void serve();

  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> requests_{0};
  std::thread thread_;
};

// Fetches a URL through WinINet as the browser would (the answer lands in the URL cache); true
// when the whole page was read.
bool fetchThroughWinInet(const std::wstring& url);

}  // namespace kestova::test
