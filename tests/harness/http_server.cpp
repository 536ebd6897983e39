#include "harness/http_server.h"

#include <windows.h>

#include <sstream>
#include <stdexcept>

#include "win/handles.h"
#include "win/internet.h"

namespace kestova::test {
namespace {

std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

LoopbackServer::LoopbackServer() {
  folder_.writeFile(L"files\\.keep", "");
  std::string script = std::string(KESTOVA_SOURCE_DIR) + "/tests/harness/http_server.py";
  std::wstring portFile = folder_.path() + L"port";
  std::wstring command = L"\"" + windowsPath("/usr/bin/python3") + L"\" \"" + widen(script) + L"\" \"" +
                         widen(unixPath(folder_.path() + L"files")) + L"\" \"" + widen(unixPath(portFile)) +
                         L"\" \"" + widen(unixPath(folder_.path() + L"requests.log")) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    throw std::runtime_error("cannot start python3");
  }
  win::Handle processHandle(process.hProcess);
  win::Handle threadHandle(process.hThread);
  for (int i = 0; i < 500 && !fileExists(portFile); ++i) Sleep(20);
  std::istringstream ports(fileBytes(portFile));
  int port = 0;
  ports >> port >> refusedPort_;
  if (port == 0) throw std::runtime_error("the loopback server did not start");
  base_ = L"http://127.0.0.1:" + std::to_wstring(port);
}

LoopbackServer::~LoopbackServer() {
  // The server answers /quit and ends; should that fail it ends with the test program.
  try {
    win::FetchUrlText(url(L"/quit"));
  } catch (...) {
  }
}

void LoopbackServer::put(const std::wstring& name, const std::string& bytes) const {
  folder_.writeFile(L"files\\" + name, bytes);
}

std::vector<std::string> LoopbackServer::requests() const {
  std::vector<std::string> lines;
  std::wstring log = folder_.path() + L"requests.log";
  if (!fileExists(log)) return lines;
  std::istringstream in(fileBytes(log));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void LoopbackServer::configureUpdateServer(const std::wstring& settingsFile) const {
  WritePrivateProfileStringW(L"Update", L"Server", base_.c_str(), settingsFile.c_str());
}

}  // namespace kestova::test
