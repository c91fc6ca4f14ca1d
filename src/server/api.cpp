#include "server/api.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "server/names.h"

namespace {

using Json = nlohmann::json;

constexpr int64_t kMsPerFrame = 20;  // the game runs at 50 frames a second

// An answer whose body is JSON already written.
HttpResponse JsonText(int status, std::string body) {
  HttpResponse response;
  response.status = status;
  response.body = std::move(body);
  return response;
}

HttpResponse JsonResponse(int status, const Json& json) {
  return JsonText(status, json.dump() + "\n");
}

HttpResponse Error(int status, const std::string& message) {
  return JsonResponse(status, Json{{"error", message}});
}

HttpResponse Busy(int retryAfterSeconds, const std::string& message) {
  HttpResponse response = Error(503, message);
  response.headers.emplace_back("Retry-After", std::to_string(retryAfterSeconds));
  return response;
}

std::optional<int64_t> ParseId(std::string_view text) {
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
  return value;
}

// Compares all of both, so that the time taken tells nothing of where they differ.
bool SameSecret(const std::string& a, const std::string& b) {
  unsigned char differ = a.size() == b.size() ? 0 : 1;
  for (size_t i = 0; i < a.size(); ++i)
    differ |= static_cast<unsigned char>(a[i] ^ (i < b.size() ? b[i] : 0));
  return differ == 0;
}

Json RunJson(const RunSummary& run) {
  return {{"run", run.id},
          {"name", run.name},
          {"score", run.score},
          {"distance", run.distance},
          {"longest_chain", run.longestChain},
          {"play_frames", run.playFrames},
          {"game_version", run.gameVersion},
          {"accepted_at", run.acceptedAtMs}};
}

Json PlacedJson(const PlacedRun& placed) {
  Json json = RunJson(placed.run);
  json["place"] = placed.place;
  return json;
}

std::string Seconds(int64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(ms) / 1000);
  return text;
}

}  // namespace

std::optional<std::string> RankingCache::Find(const std::string& key, int64_t nowMs) {
  std::lock_guard lock(mutex_);
  const auto found = entries_.find(key);
  if (found == entries_.end() || nowMs < found->second.madeMs ||
      nowMs - found->second.madeMs >= kLifetimeMs)
    return std::nullopt;
  return found->second.body;
}

void RankingCache::Keep(const std::string& key, std::string body, int64_t nowMs) {
  std::lock_guard lock(mutex_);
  entries_[key] = {std::move(body), nowMs};
}

void RankingCache::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

bool ProvenAddresses::Contains(const std::string& address, int64_t nowMs) {
  std::lock_guard lock(mutex_);
  const auto found = acceptedMs_.find(address);
  return found != acceptedMs_.end() && nowMs - found->second < kForMs;
}

void ProvenAddresses::Add(const std::string& address, int64_t nowMs) {
  std::lock_guard lock(mutex_);
  if (acceptedMs_.size() >= kMaxAddresses && !acceptedMs_.contains(address)) {
    std::erase_if(acceptedMs_, [&](const auto& entry) { return nowMs - entry.second >= kForMs; });
    if (acceptedMs_.size() >= kMaxAddresses)
      acceptedMs_.erase(
          std::min_element(acceptedMs_.begin(), acceptedMs_.end(),
                           [](const auto& a, const auto& b) { return a.second < b.second; }));
  }
  acceptedMs_[address] = nowMs;
}

std::string HttpRequest::Header(const std::string& lowerCaseName) const {
  const auto found = headers.find(lowerCaseName);
  return found == headers.end() ? "" : found->second;
}

Api::Api(const ServerConfig& config, std::string gameVersion, Services services, ApiLimits limits)
    : config_(config),
      gameVersion_(std::move(gameVersion)),
      services_(std::move(services)),
      limits_(limits) {}

HttpResponse Api::Handle(const HttpRequest& request) {
  const auto start = std::chrono::steady_clock::now();
  std::string route = "other";
  HttpResponse response;
  try {
    response = Route(request, route);
  } catch (const DatabaseError&) {
    response = Busy(2, "the database is unavailable");
  } catch (const std::exception&) {
    response = Error(500, "internal error");
  }
  AddCors(request, response);
  response.headers.emplace_back("X-Content-Type-Options", "nosniff");
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  services_.metrics.CountRequest(route, response.status, seconds);
  return response;
}

HttpResponse Api::Route(const HttpRequest& request, std::string& route) {
  const std::string& path = request.path;
  const std::string& method = request.method;
  if (path == "/healthz" && method == "GET") return route = path, Health();
  if (path == "/metrics" && method == "GET") {
    route = path;
    HttpResponse response;
    response.contentType = "text/plain; version=0.0.4";
    response.body = services_.metrics.Render();
    return response;
  }
  int retryAfter = 0;
  const bool submission = method == "POST" && (path == "/api/v1/games" || path == "/api/v1/runs");
  if (!services_.limiter.Allow(ClientAddress(request),
                               submission ? RateLimiter::Kind::Submission : RateLimiter::Kind::Any,
                               services_.nowMs(), retryAfter)) {
    HttpResponse response = Error(429, "too many requests");
    response.headers.emplace_back("Retry-After", std::to_string(retryAfter));
    return response;
  }
  if (method == "OPTIONS") return route = "preflight", HttpResponse{204, "", "", {}};
  if ((path == "/" || path == "/index.html") && method == "GET") return route = "/", Page();
  if (path == "/api/v1/games" && method == "POST") return route = path, StartGame();
  if (path == "/api/v1/runs" && method == "POST") return route = path, SubmitRun(request);
  if (path == "/api/v1/ranking" && method == "GET") return route = path, Ranking(request);
  constexpr std::string_view kRuns = "/api/v1/runs/", kReplay = "/replay";
  if (path.size() > kRuns.size() + kReplay.size() && path.starts_with(kRuns) &&
      path.ends_with(kReplay) && method == "GET") {
    route = "/api/v1/runs/{id}/replay";
    const auto id = ParseId(
        std::string_view(path).substr(kRuns.size(), path.size() - kRuns.size() - kReplay.size()));
    return id ? Replay(*id) : Error(404, "no such run");
  }
  if (path == "/api/v1/moderation/runs" && method == "POST")
    return route = path, Moderate(request, true);
  if (path == "/api/v1/moderation/names" && method == "POST")
    return route = path, Moderate(request, false);
  return Error(404, "not found");
}

HttpResponse Api::StartGame() {
  const int64_t now = services_.nowMs();
  const auto seed = services_.store.IssueSeed(now, services_.randomSeed);
  if (!seed) return Busy(1, "no seed could be issued; try again");
  const int64_t lifetimeMs = int64_t{config_.seedLifetimeHours} * 3'600'000;
  return JsonResponse(201, {{"seed", *seed},
                            {"issued_at", now},
                            {"expires_at", now + lifetimeMs},
                            {"game_version", gameVersion_}});
}

HttpResponse Api::SubmitRun(const HttpRequest& request) {
  if (request.body.size() > limits_.maxBodyBytes)
    return Error(413, "a body of " + std::to_string(request.body.size()) + " bytes: at most " +
                          std::to_string(limits_.maxBodyBytes));
  const auto name = request.query.find("name");
  const NameCheck check = CheckName(name == request.query.end() ? "" : name->second);
  if (!check.error.empty()) return Error(422, "name: " + check.error);
  const Blob replay(request.body.begin(), request.body.end());
  RunClaims claims;
  std::string error;
  if (!services_.verifier.ReadClaims(replay, claims, error)) return Error(422, "replay: " + error);
  if (claims.gameVersion != gameVersion_)
    return Error(422, "a run of version " + claims.gameVersion +
                          ": this server ranks runs of version " + gameVersion_);
  if (claims.playFrames > limits_.maxPlayFrames)
    return Error(422, std::to_string(claims.playFrames) + " play frames: at most " +
                          std::to_string(limits_.maxPlayFrames));

  const SeedState seed = services_.store.LookUpSeed(claims.seed, replay);
  const std::string seedName = "seed " + std::to_string(claims.seed);
  if (seed.status == SeedState::Status::Unknown)
    return Error(422, seedName + " was never issued by this server");
  if (seed.status == SeedState::Status::Used) {
    if (!seed.sameReplay)
      return Error(409, seedName + " was already used by run " + std::to_string(seed.runId));
    return Accepted(200, seed.runId);
  }
  const int64_t now = services_.nowMs();
  const int64_t elapsed = now - seed.issuedAtMs;
  if (claims.playFrames * kMsPerFrame > elapsed)
    return Error(422, std::to_string(claims.playFrames) + " play frames take " +
                          Seconds(claims.playFrames * kMsPerFrame) + ", but " + seedName +
                          " was issued " + Seconds(elapsed) + " ago");
  if (elapsed > int64_t{config_.seedLifetimeHours} * 3'600'000)
    return Error(422, seedName + " has expired: it was issued " + Seconds(elapsed) + " ago");

  return Verified(claims, check.name, replay, ClientAddress(request));
}

// The run's replay played again by the verifier, and the run accepted if it holds.
HttpResponse Api::Verified(const RunClaims& claims, const std::string& name, const Blob& replay,
                           const std::string& address) {
  const bool proven = provenAddresses_.Contains(address, services_.nowMs());
  const std::optional<Verdict> verdict = services_.verifier.Verify(replay, proven);
  if (!verdict) {
    services_.metrics.CountBusy();
    return Busy(services_.verifier.RetryAfterSeconds(), "verification is busy; try again later");
  }
  if (verdict->workerFailed) return Busy(services_.verifier.RetryAfterSeconds(), verdict->error);
  if (!verdict->ok) return Error(422, "replay: " + verdict->error);

  NewRun run{claims.seed,
             {0, name, verdict->score, verdict->distance, verdict->longestChain,
              verdict->playFrames, claims.gameVersion, 0},
             replay};
  int64_t runId = 0;
  const std::string seedName = "seed " + std::to_string(claims.seed);
  switch (services_.store.Accept(run, services_.nowMs(), runId)) {
    case AcceptOutcome::Accepted:
      rankingCache_.Clear();
      provenAddresses_.Add(address, services_.nowMs());
      return Accepted(201, runId);
    case AcceptOutcome::AlreadyAccepted: return Accepted(200, runId);
    case AcceptOutcome::SeedUsed:
      return Error(409, seedName + " was already used by run " + std::to_string(runId));
    case AcceptOutcome::SeedUnknown: break;
  }
  return Error(422, seedName + " was never issued by this server");
}

HttpResponse Api::Accepted(int status, int64_t runId) {
  const auto run = services_.store.RunById(runId);
  if (!run) return Error(500, "the accepted run is missing");
  Json json = RunJson(*run);
  Json places = Json::object();
  const int64_t now = services_.nowMs();
  for (Period period : kPeriods) {
    const auto placed = services_.store.PlaceOfRun(runId, period, now);
    places[std::string(PeriodName(period))] = placed ? Json(placed->place) : Json(nullptr);
  }
  json["places"] = places;
  return JsonResponse(status, json);
}

HttpResponse Api::Ranking(const HttpRequest& request) {
  const auto periodText = request.query.find("period");
  const auto period =
      ParsePeriod(periodText == request.query.end() ? "all" : std::string_view(periodText->second));
  if (!period) return Error(400, "period: all, week or day");
  int64_t limit = limits_.topRuns;
  if (const auto text = request.query.find("limit"); text != request.query.end()) {
    const auto parsed = ParseId(text->second);
    if (!parsed || *parsed > limits_.topRuns)
      return Error(400, "limit: 1 to " + std::to_string(limits_.topRuns));
    limit = *parsed;
  }
  const auto run = request.query.find("run");
  const auto name = request.query.find("name");
  const bool ownPlace = run != request.query.end() || name != request.query.end();
  const std::string cacheKey = std::string(PeriodName(*period)) + "/" + std::to_string(limit);
  const int64_t now = services_.nowMs();
  if (!ownPlace)
    if (auto cached = rankingCache_.Find(cacheKey, now)) return JsonText(200, std::move(*cached));
  Json json = {
      {"period", PeriodName(*period)},
      {"since", *period == Period::AllTime ? Json(nullptr) : Json(PeriodStart(*period, now))},
      {"game_version", gameVersion_}};
  Json top = Json::array();
  for (const PlacedRun& placed : services_.store.Top(*period, now, limit))
    top.push_back(PlacedJson(placed));
  json["top"] = top;
  std::optional<PlacedRun> own;
  if (run != request.query.end()) {
    const auto id = ParseId(run->second);
    if (!id) return Error(400, "run: a run's number");
    own = services_.store.PlaceOfRun(*id, *period, now);
  } else if (name != request.query.end()) {
    const NameCheck check = CheckName(name->second);
    if (!check.error.empty()) return Error(400, "name: " + check.error);
    own = services_.store.PlaceOfName(check.name, *period, now);
  }
  json["own"] = own ? PlacedJson(*own) : Json(nullptr);
  HttpResponse response = JsonResponse(200, json);
  if (!ownPlace) rankingCache_.Keep(cacheKey, response.body, now);
  return response;
}

HttpResponse Api::Replay(int64_t runId) {
  const auto replay = services_.store.ReplayOf(runId);
  if (!replay) return Error(404, "no such run");
  HttpResponse response;
  response.contentType = "application/octet-stream";
  response.body.assign(replay->begin(), replay->end());
  // A run the operator hides disappears within minutes from caches too.
  response.headers.emplace_back("Cache-Control", "public, max-age=300");
  return response;
}

HttpResponse Api::Moderate(const HttpRequest& request, bool runs) {
  if (config_.operatorToken.empty())
    return Error(403, "moderation is off: the configuration has no operator_token");
  if (!IsOperator(request)) {
    HttpResponse response = Error(401, "the operator's token is required");
    response.headers.emplace_back("WWW-Authenticate", "Bearer");
    return response;
  }
  const Json body = Json::parse(request.body, nullptr, false);
  if (!body.is_object() || !body.contains("hidden") || !body["hidden"].is_boolean())
    return Error(400, "a JSON object with \"hidden\": true or false");
  const bool hidden = body["hidden"].get<bool>();
  if (runs) {
    if (!body.contains("run") || !body["run"].is_number_integer())
      return Error(400, "\"run\": the run's number");
    const int64_t id = body["run"].get<int64_t>();
    if (!services_.store.SetRunHidden(id, hidden)) return Error(404, "no such run");
    rankingCache_.Clear();
    return JsonResponse(200, {{"run", id}, {"hidden", hidden}});
  }
  const NameCheck check = CheckName(
      body.contains("name") && body["name"].is_string() ? body["name"].get<std::string>() : "");
  if (!check.error.empty()) return Error(400, "name: " + check.error);
  services_.store.SetNameHidden(check.name, hidden, services_.nowMs());
  rankingCache_.Clear();
  return JsonResponse(200, {{"name", check.name}, {"hidden", hidden}});
}

HttpResponse Api::Health() {
  services_.store.Ping();
  return JsonResponse(200, {{"status", "ok"}, {"queue", services_.verifier.QueueLength()}});
}

HttpResponse Api::Page() {
  HttpResponse response;
  response.contentType = "text/html; charset=utf-8";
  // The web build's address as a JavaScript string; '<' escaped so that it cannot end the script.
  std::string url = Json(config_.webBuildUrl).dump();
  for (size_t at; (at = url.find('<')) != std::string::npos;) url.replace(at, 1, "\\u003c");
  response.body = kRankingPage;
  constexpr std::string_view kSlot = "{{WEB_BUILD_URL}}";
  if (const size_t at = response.body.find(kSlot); at != std::string::npos)
    response.body.replace(at, kSlot.size(), url);
  response.headers.emplace_back(
      "Content-Security-Policy",
      "default-src 'self'; script-src 'unsafe-inline';"
      " style-src 'unsafe-inline'; img-src data:; frame-ancestors 'none'");
  return response;
}

bool Api::IsOperator(const HttpRequest& request) const {
  const std::string authorization = request.Header("authorization");
  constexpr std::string_view kBearer = "Bearer ";
  return authorization.starts_with(kBearer) &&
         SameSecret(authorization.substr(kBearer.size()), config_.operatorToken);
}

std::string Api::ClientAddress(const HttpRequest& request) const {
  const std::string forwarded = request.Header("x-forwarded-for");
  if (config_.trustedProxy.empty() || request.remoteAddress != config_.trustedProxy ||
      forwarded.empty())
    return request.remoteAddress;
  // The proxy appends the address it saw last: the one not written by the client.
  const size_t comma = forwarded.rfind(',');
  std::string address = comma == std::string::npos ? forwarded : forwarded.substr(comma + 1);
  address.erase(0, address.find_first_not_of(' '));
  return address;
}

void Api::AddCors(const HttpRequest& request, HttpResponse& response) const {
  if (!request.path.starts_with("/api/v1/") || request.path.starts_with("/api/v1/moderation/"))
    return;
  response.headers.emplace_back("Vary", "Origin");
  const std::string origin = request.Header("origin");
  if (config_.pageOrigin.empty() || origin != config_.pageOrigin) return;
  response.headers.emplace_back("Access-Control-Allow-Origin", origin);
  if (request.method == "OPTIONS") {
    response.headers.emplace_back("Access-Control-Allow-Methods", "GET, POST");
    response.headers.emplace_back("Access-Control-Allow-Headers", "Content-Type");
    response.headers.emplace_back("Access-Control-Max-Age", "600");
  }
}
