#include "win/internet.h"

#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "win/error.h"
#include "win/handles.h"

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

// The request a blocked call of the fetch thread waits on, for the waiting thread to close when
// the overall limit has passed: closing it ends the blocked call.
struct Cancel {
  std::mutex lock;
  HINTERNET request = nullptr;
  bool cancelled = false;
};

// Opens the request step by step, so that the time-outs are set on the request itself: some
// WinINet versions do not pass the root handle's on to a request that InternetOpenUrl makes.
InternetHandle openRequest(HINTERNET root, const std::wstring& url, DWORD timeout, InternetHandle& connection,
                           Cancel& cancel) {
  wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
  std::wstring path(url.size() + 1, L'\0');
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH + 1;
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = static_cast<DWORD>(path.size());
  std::wstring extra(url.size() + 1, L'\0');
  parts.lpszExtraInfo = extra.data();
  parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
  if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts)) cannotOpen(url);
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) cannotOpen(url);
  path.resize(parts.dwUrlPathLength);
  extra.resize(parts.dwExtraInfoLength);
  path += extra;
  if (path.empty()) path = L"/";
  connection = InternetHandle(
      InternetConnectW(root, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) cannotOpen(url);
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI |
                (parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0);
  InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", path.c_str(), nullptr, nullptr, nullptr, flags, 0));
  if (!request) cannotOpen(url);
  {
    std::lock_guard<std::mutex> hold(cancel.lock);
    if (cancel.cancelled) cannotOpen(url);
    cancel.request = request.get();
  }
  setTimeout(request.get(), INTERNET_OPTION_CONNECT_TIMEOUT, timeout);
  setTimeout(request.get(), INTERNET_OPTION_SEND_TIMEOUT, timeout);
  setTimeout(request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, timeout);
  if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) cannotOpen(url);
  return request;
}

std::string fetch(const std::wstring& url, const FetchLimits& limits, Cancel& cancel) {
  InternetHandle root(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!root) throw Error(L"Unable to initialize Wininet");
  setTimeout(root.get(), INTERNET_OPTION_CONNECT_TIMEOUT, limits.timeoutMilliseconds);
  setTimeout(root.get(), INTERNET_OPTION_SEND_TIMEOUT, limits.timeoutMilliseconds);
  setTimeout(root.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, limits.timeoutMilliseconds);

  InternetHandle connection;
  InternetHandle request;
  // The waiting thread closed the request when it gave up: it is not closed twice.
  struct Forget {
    Cancel& cancel;
    InternetHandle& request;
    ~Forget() {
      std::lock_guard<std::mutex> hold(cancel.lock);
      if (cancel.cancelled && cancel.request) request.release();
      cancel.request = nullptr;
    }
  } forget{cancel, request};
  request = openRequest(root.get(), url, limits.timeoutMilliseconds, connection, cancel);
  // Only an HTTP answer of 200 carries the file; error pages are refused.
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

}  // namespace

std::string FetchUrlText(const std::wstring& url, const FetchLimits& limits,
                         const std::function<void()>& whileWaiting) {
  // Shared with the fetch thread, which may outlive this call: a read that closing its request
  // does not end (so it is under Wine) goes on until its own time-out, and then cleans up.
  struct Job {
    Cancel cancel;
    Handle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::string result;
    std::exception_ptr failure;
  };
  auto job = std::make_shared<Job>();
  if (!job->done) throwLastError(L"Cannot fetch " + url);
  std::thread worker([job, url, limits] {
    try {
      job->result = fetch(url, limits, job->cancel);
    } catch (...) {
      job->failure = std::current_exception();
    }
    SetEvent(job->done.get());
  });
  const HANDLE finished = job->done.get();
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD spent = GetTickCount() - start;  // right across the counter's wrap
    const DWORD left = spent >= limits.overallMilliseconds ? 0 : limits.overallMilliseconds - spent;
    DWORD woken = MsgWaitForMultipleObjects(1, &finished, FALSE, left, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) break;
    if (woken == WAIT_OBJECT_0 + 1 && left > 0) {
      if (whileWaiting) whileWaiting();
      continue;
    }
    {
      std::lock_guard<std::mutex> hold(job->cancel.lock);
      job->cancel.cancelled = true;
      if (job->cancel.request) InternetCloseHandle(job->cancel.request);
    }
    worker.detach();
    cannotOpen(url);
  }
  worker.join();
  if (job->failure) std::rethrow_exception(job->failure);
  return std::move(job->result);
}

}  // namespace kestova::win
