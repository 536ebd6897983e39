#include "harness/cache_server.h"

#include <windows.h>

#include <wininet.h>

#include <stdexcept>

namespace kestova::test {

LoopbackHttpServer::LoopbackHttpServer() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no sockets");
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof address;
  if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("the loopback server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stopping_ = true;
  closesocket(listener_);  // ends the accept
  thread_.join();
  WSACleanup();
}

std::wstring LoopbackHttpServer::url(const std::wstring& path) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

void LoopbackHttpServer::serve() {
  while (!stopping_) {
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) break;
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos) {
      int got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    ++requests_;
    std::string path = request.substr(0, request.find("\r\n"));
    std::string body = "<html><body>" + path + "</body></html>";
    std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nCache-Control: max-age=86400\r\n"
                         "Connection: close\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    if (path.find("/cookie ") != std::string::npos) {
      answer += "Set-Cookie: kestova=1; expires=Wed, 01-Jan-2031 00:00:00 GMT; path=/\r\n";
    }
    answer += "\r\n" + body;
    send(client, answer.data(), static_cast<int>(answer.size()), 0);
    shutdown(client, SD_SEND);
    closesocket(client);
  }
}

bool fetchThroughWinInet(const std::wstring& url) {
  HINTERNET session = InternetOpenW(L"Kestova test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (!session) return false;
  bool whole = false;
  if (HINTERNET request = InternetOpenUrlW(session, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0)) {
    char buffer[4096];
    DWORD got = 0;
    while (InternetReadFile(request, buffer, sizeof buffer, &got) && got > 0) {
    }
    whole = got == 0;
    InternetCloseHandle(request);
  }
  InternetCloseHandle(session);
  return whole;
}

}  // namespace kestova::test
