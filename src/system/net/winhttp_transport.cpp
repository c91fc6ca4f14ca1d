// The HTTP transport on Windows: WinHTTP, part of the system (no DLL of ours beside the game),
// with its certificate checks on every HTTPS call and a timeout on every call.
#include <windows.h>
#include <winhttp.h>

#include <mutex>
#include <string>

#include "system/net/background_http.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(size_t(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
  return wide;
}

std::string Describe(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_TIMEOUT: return "Timeout: the server did not answer in time";
    case ERROR_WINHTTP_CANNOT_CONNECT: return "Could not connect to the server";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return "Could not resolve the server's name";
    case ERROR_WINHTTP_SECURE_FAILURE: return "The server's certificate was refused";
    case ERROR_WINHTTP_OPERATION_CANCELLED: return "Cancelled";
    default: return "WinHTTP error " + std::to_string(error);
  }
}

class WinHttpTransport : public IHttpTransport {
 public:
  WinHttpTransport()
      : session_(WinHttpOpen(L"moravin", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                             WINHTTP_NO_PROXY_BYPASS, 0)) {}
  ~WinHttpTransport() override {
    if (session_) WinHttpCloseHandle(session_);
  }

  HttpReply Exchange(const HttpCall& call, const std::atomic<bool>& cancel) override {
    HttpReply reply;
    if (!session_ || cancel) {
      reply.error = session_ ? "Cancelled" : Describe(GetLastError());
      return reply;
    }
    std::wstring url = Wide(call.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) {
      reply.error = "not a URL: " + call.url;
      return reply;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    HINTERNET connection = WinHttpConnect(session_, host.c_str(), parts.nPort, 0);
    HINTERNET request =
        connection ? WinHttpOpenRequest(connection, Wide(call.method).c_str(), path.c_str(),
                                        nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                        secure ? WINHTTP_FLAG_SECURE : 0)
                   : nullptr;
    {
      std::lock_guard lock(mutex_);
      request_ = request;
    }
    // The program may have begun to close before the request was stored for Abort to see.
    if (request && !cancel)
      Perform(request, call, reply);
    else
      reply.error = request ? "Cancelled" : Describe(GetLastError());
    {
      std::lock_guard lock(mutex_);
      // Abort may have closed it already, to end a call the program no longer waits for.
      if (request_) WinHttpCloseHandle(request_);
      request_ = nullptr;
    }
    if (connection) WinHttpCloseHandle(connection);
    return reply;
  }

  void Abort() override {
    std::lock_guard lock(mutex_);
    if (request_) WinHttpCloseHandle(request_);
    request_ = nullptr;
  }

 private:
  // Sends the call on `request` and reads the answer; certificates are checked by WinHTTP's
  // defaults, which nothing here turns off.
  static void Perform(HINTERNET request, const HttpCall& call, HttpReply& reply) {
    WinHttpSetTimeouts(request, call.timeoutMs, call.timeoutMs, call.timeoutMs, call.timeoutMs);
    const std::wstring headers =
        call.contentType.empty() ? std::wstring() : L"Content-Type: " + Wide(call.contentType);
    void* body = call.body.empty() ? WINHTTP_NO_REQUEST_DATA : (void*)call.body.data();
    const DWORD size = DWORD(call.body.size());
    if (!WinHttpSendRequest(request,
                            headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                            DWORD(headers.size()), body, size, size, 0) ||
        !WinHttpReceiveResponse(request, nullptr)) {
      reply.error = Describe(GetLastError());
      return;
    }
    DWORD status = 0, length = sizeof status;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &length, WINHTTP_NO_HEADER_INDEX);
    DWORD retryAfter = 0;
    length = sizeof retryAfter;
    if (WinHttpQueryHeaders(request, WINHTTP_QUERY_RETRY_AFTER | WINHTTP_QUERY_FLAG_NUMBER,
                            WINHTTP_HEADER_NAME_BY_INDEX, &retryAfter, &length,
                            WINHTTP_NO_HEADER_INDEX))
      reply.retryAfterSeconds = int(retryAfter);
    DWORD available = 0;
    while (WinHttpQueryDataAvailable(request, &available) && available > 0) {
      if (reply.body.size() + available > HttpReply::kMaxBodyBytes) {
        reply.body.clear();
        reply.retryAfterSeconds = 0;
        reply.error = "the answer is too long";
        return;
      }
      const size_t at = reply.body.size();
      reply.body.resize(at + available);
      DWORD read = 0;
      if (!WinHttpReadData(request, reply.body.data() + at, available, &read)) {
        reply.body.clear();
        reply.error = Describe(GetLastError());
        return;
      }
      reply.body.resize(at + read);
    }
    reply.status = int(status);
  }

  HINTERNET session_;
  std::mutex mutex_;
  HINTERNET request_ = nullptr;  // of the call in progress
};

}  // namespace

std::unique_ptr<IHttpClient> OpenHttpClient() {
  return std::make_unique<BackgroundHttpClient>(std::make_unique<WinHttpTransport>());
}
