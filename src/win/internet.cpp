#include "win/internet.h"

#include <cstring>
#include <optional>

#include "win/error.h"

namespace kestova::win {
namespace {

constexpr const wchar_t* kAgent = L" site";
constexpr DWORD kBlock = 1025;

[[noreturn]] void cannotOpen(const std::wstring& url) { throw Error(L"Cannot open URL " + url); }

void setTimeout(HINTERNET handle, DWORD option, DWORD milliseconds) {
  // A system without the option keeps its own time-out; the fetch still works.
  InternetSetOptionW(handle, option, &milliseconds, sizeof milliseconds);
}

std::optional<DWORD> numberHeader(HINTERNET request, DWORD query) {
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD index = 0;
  if (!HttpQueryInfoW(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, &index)) return std::nullopt;
  return value;
}

}  // namespace

std::string FetchUrlText(const std::wstring& url, const FetchLimits& limits) {
  InternetHandle root(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!root) throw Error(L"Unable to initialize Wininet");
  setTimeout(root.get(), INTERNET_OPTION_CONNECT_TIMEOUT, limits.timeoutMilliseconds);
  setTimeout(root.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, limits.timeoutMilliseconds);
  setTimeout(root.get(), INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, limits.timeoutMilliseconds);

  InternetHandle request(InternetOpenUrlW(root.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
  if (!request) cannotOpen(url);
  // Only an HTTP answer of 200 carries the file; error pages and other schemes are refused.
  auto status = numberHeader(request.get(), HTTP_QUERY_STATUS_CODE);
  if (!status || *status != 200) cannotOpen(url);
  auto announced = numberHeader(request.get(), HTTP_QUERY_CONTENT_LENGTH);

  std::string result;
  std::size_t received = 0;
  char buffer[kBlock];
  for (;;) {
    DWORD got = 0;
    if (!InternetReadFile(request.get(), buffer, kBlock, &got)) cannotOpen(url);
    if (got == 0) break;
    received += got;
    if (received > limits.maxBytes) throw Error(L"Download too large: " + url);
    const void* zero = std::memchr(buffer, 0, got);
    result.append(buffer, zero ? static_cast<const char*>(zero) - buffer : got);
  }
  if (announced && received < *announced) cannotOpen(url);
  return result;
}

}  // namespace kestova::win
