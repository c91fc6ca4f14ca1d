// Requests to the ranking server, handled up to the database: any bytes make a few requests
// (method, path, query, headers, body) to the API over a fresh SQLite database. No request may
// fail inside the server (500), every JSON answer parses, and every ranking is in order: score
// descending, places from 1 up, equal scores sharing a place.
//
// Runs are read by a stand-in for the replay reader (the reader has a harness of its own), so
// that the inputs reach the seeds, the store and the ranking: a body's first bytes are its seed,
// play frames and score, and a version from a short list.
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz_check.h"
#include "server/api.h"

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
  // A string of a length given by its first byte.
  std::string Text() {
    const size_t length = std::min<size_t>(Byte(), size_ - std::min(at_, size_));
    std::string text(reinterpret_cast<const char*>(data_ + at_), length);
    at_ += length;
    return text;
  }
  template <typename T>
  const T& Pick(std::initializer_list<T> choices) {
    return choices.begin()[Byte() % choices.size()];
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

class StandInVerifier : public RunVerifier {
 public:
  bool ReadClaims(std::span<const uint8_t> bytes, RunClaims& claims, std::string& error) override {
    if (bytes.size() < 8) {
      error = "not a replay file";
      return false;
    }
    claims.seed = bytes[0] % 8;  // the harness's seeds are 0 to 7
    claims.playFrames = bytes[1] | bytes[2] << 8 | bytes[3] << 16;
    claims.gameVersion = bytes[4] % 4 ? "1.0.0" : "0.9.0";
    return true;
  }
  std::optional<Verdict> Verify(const Blob& replay, bool) override {
    if (replay[5] == 0) return std::nullopt;
    Verdict verdict;
    verdict.ok = replay[5] % 3 != 0;
    verdict.workerFailed = replay[5] == 3;
    verdict.error = verdict.ok ? "" : "it claims another score";
    verdict.score = replay[6] | replay[7] << 8;
    verdict.playFrames = replay[1];
    return verdict;
  }
  int RetryAfterSeconds() override { return 1; }
  int QueueLength() override { return 0; }
};

void CheckRanking(const nlohmann::json& ranking) {
  int64_t place = 0, score = INT64_MAX, listed = 0;
  for (const auto& entry : ranking["top"]) {
    ++listed;
    const int64_t entryScore = entry["score"].get<int64_t>();
    FUZZ_CHECK(entryScore <= score);
    const int64_t expected = entryScore == score ? place : listed;
    FUZZ_CHECK(entry["place"].get<int64_t>() == expected);
    place = expected;
    score = entryScore;
  }
  FUZZ_CHECK(listed <= 100);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One database for all inputs, emptied before each: opening and migrating one per input
  // would cost more than the requests.
  static DatabasePool pool(":memory:", 1);
  static Store store = [] {
    Store made(pool);
    made.Migrate(0);
    return made;
  }();
  {
    DatabasePool::Lease db = pool.Acquire();
    for (const char* table : {"replays", "runs", "seeds", "hidden_names"})
      db->Query(std::string("DELETE FROM ") + table, {});
  }
  StandInVerifier verifier;
  RateLimiter limiter(600, 60);
  Metrics metrics;
  ServerConfig config;
  config.operatorToken = "0123456789abcdef";
  config.pageOrigin = "https://moravin.example";
  int64_t now = 1'773'619'200'000;
  uint32_t nextSeed = 0;
  Api api(config, "1.0.0",
          {store, verifier, limiter, metrics, [&] { return now; }, [&] { return nextSeed++ % 8; }});

  Bytes bytes(data, size);
  for (int request = 0; request < 8 && !bytes.Empty(); ++request) {
    HttpRequest r;
    r.method = bytes.Pick<std::string>({"GET", "POST", "OPTIONS", "PUT"});
    r.path = bytes.Pick<std::string>({"/api/v1/games", "/api/v1/runs", "/api/v1/ranking",
                                      "/api/v1/runs/1/replay", "/api/v1/moderation/runs",
                                      "/api/v1/moderation/names", "/healthz", "/metrics", "/", ""});
    if (r.path.empty()) r.path = bytes.Text();
    for (int i = bytes.Byte() % 4; i > 0; --i) {
      const std::string key = bytes.Pick<std::string>({"name", "period", "run", "limit"});
      r.query[key] = bytes.Text();
    }
    if (bytes.Byte() % 2) r.headers["authorization"] = "Bearer " + bytes.Text();
    if (bytes.Byte() % 2) r.headers["origin"] = bytes.Text();
    r.body = bytes.Text();
    r.remoteAddress = "192.0.2.1";
    now += bytes.Byte() * 1000;

    const HttpResponse response = api.Handle(r);
    FUZZ_CHECK(response.status != 500);
    if (response.contentType != "application/json") continue;
    const auto json = nlohmann::json::parse(response.body, nullptr, false);
    FUZZ_CHECK(!json.is_discarded());
    if (r.path == "/api/v1/ranking" && response.status == 200) CheckRanking(json);
  }
  return 0;
}
