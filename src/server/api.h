// The server's answers to HTTP requests, apart from the transport: the JSON API under /api/v1,
// the ranking page, /healthz and /metrics. The HTTP library hands each request over as an
// HttpRequest; tests and the fuzz harness call Handle directly.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "server/config.h"
#include "server/metrics.h"
#include "server/rate_limiter.h"
#include "server/run_verifier.h"
#include "server/store.h"

struct HttpRequest {
  std::string method;
  std::string path;  // without the query
  std::map<std::string, std::string> query;
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
  std::string remoteAddress;

  std::string Header(const std::string& lowerCaseName) const;
};

struct HttpResponse {
  int status = 200;
  std::string contentType = "application/json";
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
};

struct ApiLimits {
  size_t maxBodyBytes = 1 << 20;
  int64_t maxPlayFrames = 500'000;
  int64_t topRuns = 100;
};

// The rankings of the last second, as the bodies of their answers: most reads are of the same
// three tables, and a copy of the text costs far less than writing the JSON again. A change on
// this server clears them at once; one on another server sharing the database shows within a
// second.
class RankingCache {
 public:
  static constexpr int64_t kLifetimeMs = 1000;
  std::optional<std::string> Find(const std::string& key, int64_t nowMs);
  void Keep(const std::string& key, std::string body, int64_t nowMs);
  void Clear();

 private:
  struct Entry {
    std::string body;
    int64_t madeMs;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> entries_;
};

// The addresses that had a run accepted in the last day: their runs take the verification
// queue's first lane. Kept in memory only, at most `kMaxAddresses` of them, the oldest going
// first.
class ProvenAddresses {
 public:
  static constexpr int64_t kForMs = 24 * 3'600'000;
  static constexpr size_t kMaxAddresses = 100'000;
  bool Contains(const std::string& address, int64_t nowMs);
  void Add(const std::string& address, int64_t nowMs);

 private:
  std::mutex mutex_;
  std::unordered_map<std::string, int64_t> acceptedMs_;
};

class Api {
 public:
  struct Services {
    Store& store;
    RunVerifier& verifier;
    RateLimiter& limiter;
    Metrics& metrics;
    std::function<int64_t()> nowMs;        // wall clock, UTC
    std::function<uint32_t()> randomSeed;  // unpredictable
  };

  Api(const ServerConfig& config, std::string gameVersion, Services services,
      ApiLimits limits = {});

  HttpResponse Handle(const HttpRequest& request);

 private:
  HttpResponse Route(const HttpRequest& request, std::string& route);
  HttpResponse StartGame();
  HttpResponse SubmitRun(const HttpRequest& request);
  HttpResponse Ranking(const HttpRequest& request);
  HttpResponse Replay(int64_t runId);
  HttpResponse Moderate(const HttpRequest& request, bool runs);
  HttpResponse Health();
  HttpResponse Page();
  HttpResponse Accepted(int status, int64_t runId);
  HttpResponse Verified(const RunClaims& claims, const std::string& name, const Blob& replay,
                        const std::string& address);

  bool IsOperator(const HttpRequest& request) const;
  std::string ClientAddress(const HttpRequest& request) const;
  void AddCors(const HttpRequest& request, HttpResponse& response) const;

  ServerConfig config_;
  std::string gameVersion_;
  Services services_;
  ApiLimits limits_;
  RankingCache rankingCache_;
  ProvenAddresses provenAddresses_;
};

// The ranking page's HTML (server/page.html), built into the server.
extern const char* const kRankingPage;
