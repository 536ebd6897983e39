#pragma once
// A real HTTP server on 127.0.0.1 for the tests (python3 on the host, started through Wine):
// it serves the files put into its folder and made answers: "/agent" echoes the User-Agent,
// "/silent" never answers, "/short/N" sends N bytes of a longer announced body, "/status/N"
// answers with status N. Every file carries a long cache lifetime.
#include <string>
#include <vector>

#include "harness/temp_folder.h"

namespace kestova::test {

class LoopbackServer {
 public:
  LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  ~LoopbackServer();

  // "http://127.0.0.1:<port>"
  const std::wstring& base() const { return base_; }
  std::wstring url(const std::wstring& path) const { return base_ + path; }
  // A port on 127.0.0.1 where nothing listens.
  int refusedPort() const { return refusedPort_; }
  // Puts a file into the served folder (replacing it).
  void put(const std::wstring& name, const std::string& bytes) const;
  // The requests so far, each "<path> <user agent>".
  std::vector<std::string> requests() const;
  // Points [Update] Server of the settings file at this server.
  void configureUpdateServer(const std::wstring& settingsFile) const;

 private:
  TempFolder folder_;
  std::wstring base_;
  int refusedPort_ = 0;
};

}  // namespace kestova::test
