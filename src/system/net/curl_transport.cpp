// The HTTP transport on Linux: Debian's libcurl, with the system's certificates checked on every
// HTTPS call and a timeout on every call.
#include <curl/curl.h>

#include <charconv>
#include <string_view>

#include "system/net/background_http.h"

namespace {

size_t CollectBody(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<std::string*>(user);
  const size_t bytes = size * count;
  // A longer answer is none of our server's: returning less than given fails the transfer.
  if (body->size() + bytes > HttpReply::kMaxBodyBytes) return 0;
  body->append(data, bytes);
  return bytes;
}

size_t ReadRetryAfter(char* data, size_t size, size_t count, void* user) {
  const std::string_view line(data, size * count);
  constexpr std::string_view kName = "retry-after:";
  if (line.size() > kName.size()) {
    std::string lower(line.substr(0, kName.size()));
    for (char& c : lower) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (lower == kName) {
      std::string_view value = line.substr(kName.size());
      while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
      std::from_chars(value.data(), value.data() + value.size(), *static_cast<int*>(user));
    }
  }
  return size * count;
}

// Called by libcurl as the transfer goes on: a non-zero result aborts it.
int AbortWhenCancelled(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::atomic<bool>*>(cancel)->load() ? 1 : 0;
}

class CurlTransport : public IHttpTransport {
 public:
  CurlTransport() { curl_global_init(CURL_GLOBAL_DEFAULT); }
  ~CurlTransport() override { curl_global_cleanup(); }

  HttpReply Exchange(const HttpCall& call, const std::atomic<bool>& cancel) override {
    HttpReply reply;
    CURL* curl = curl_easy_init();
    if (!curl) {
      reply.error = "libcurl could not start a transfer";
      return reply;
    }
    curl_slist* headers = nullptr;
    if (!call.contentType.empty())
      headers = curl_slist_append(headers, ("Content-Type: " + call.contentType).c_str());
    curl_easy_setopt(curl, CURLOPT_URL, call.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(call.timeoutMs));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // timeouts without signals: we are a thread
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, ReadRetryAfter);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &reply.retryAfterSeconds);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, AbortWhenCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &cancel);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    if (call.method == "POST") {
      curl_easy_setopt(curl, CURLOPT_POST, 1L);
      // An empty body still needs a pointer, or libcurl would read the body from stdin.
      curl_easy_setopt(curl, CURLOPT_POSTFIELDS,
                       call.body.empty() ? "" : (const char*)call.body.data());
      curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, long(call.body.size()));
    }
    if (const CURLcode result = curl_easy_perform(curl); result != CURLE_OK) {
      reply.error = curl_easy_strerror(result);
      reply.body.clear();
      reply.retryAfterSeconds = 0;
    } else {
      long status = 0;
      curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
      reply.status = int(status);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return reply;
  }
};

}  // namespace

std::unique_ptr<IHttpClient> OpenHttpClient() {
  return std::make_unique<BackgroundHttpClient>(std::make_unique<CurlTransport>());
}
