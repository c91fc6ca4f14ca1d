#include "app/world_ranking.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>
#include <vector>

namespace {

using Json = nlohmann::json;

std::string Trimmed(const std::string& server) {
  std::string url = server;
  while (url.ends_with('/')) url.pop_back();
  return url;
}

// Answers that say the run may be taken later: none at all, a busy or failing server, a rate
// limit, a request that timed out on its way.
bool WorthRetrying(const HttpReply& reply) {
  return reply.status == 0 || reply.status >= 500 || reply.status == 429 || reply.status == 408;
}

std::optional<Json> ParsedBody(const HttpReply& reply) {
  Json json = Json::parse(reply.body, nullptr, false);
  if (json.is_discarded() || !json.is_object()) return std::nullopt;
  return json;
}

// A queued run's file name: when its seed expires, and the seed.
std::string QueueName(const RankingSeed& seed) {
  return std::to_string(seed.expiresAtMs) + "-" + std::to_string(seed.seed) +
         WorldRanking::kQueueSuffix;
}

std::optional<int64_t> ExpiryOfQueueName(const std::string& name) {
  int64_t expires = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), expires);
  if (ec != std::errc() || *end != '-' || !name.ends_with(WorldRanking::kQueueSuffix))
    return std::nullopt;
  return expires;
}

}  // namespace

bool IsAllowedServer(const std::string& url) {
  if (url.starts_with("https://")) return url.size() > 8;
  if (!url.starts_with("http://")) return false;
  const std::string rest = url.substr(7);
  for (const char* host : {"127.0.0.1", "localhost", "[::1]"}) {
    const std::string h = host;
    if (rest == h || rest.starts_with(h + ":") || rest.starts_with(h + "/")) return true;
  }
  return false;
}

std::string UrlQueryValue(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = uint8_t(c);
    if (std::isalnum(byte) && byte < 0x80) {
      out += c;
    } else if (c == '-' || c == '_' || c == '.' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

WorldRanking::WorldRanking(IHttpClient* http, FileAccess& files, std::string queueFolder,
                           Report report, Clock now)
    : http_(http),
      files_(files),
      folder_(std::move(queueFolder)),
      report_(std::move(report)),
      now_(std::move(now)) {}

std::string WorldRanking::PathOf(const std::string& file) const {
  return folder_ + files_.Separator() + file;
}

void WorldRanking::Poll(const RankingSettings& settings) {
  if (!http_) return;
  if (seedCall_) {
    if (std::optional<HttpReply> reply = http_->Take(*seedCall_)) {
      seedCall_.reset();
      TakeSeedAnswer(*reply);
    }
  }
  for (auto call = runCalls_.begin(); call != runCalls_.end();) {
    std::optional<HttpReply> reply = http_->Take(call->first);
    if (!reply) {
      ++call;
      continue;
    }
    const std::string file = call->second;
    call = runCalls_.erase(call);
    TakeRunAnswer(file, *reply);
  }
  if (!settings.optedIn) return;
  if (!queueLoaded_) LoadQueue();
  SendDue(settings);
}

void WorldRanking::KeepSeedReady(const RankingSettings& settings) {
  if (!http_ || !settings.optedIn || seedCall_) return;
  const int64_t now = now_();
  // A seed is good for a game while at least half its lifetime is left.
  if (seed_ && (seed_->server != settings.server ||
                seed_->expiresAtMs - now < (seed_->expiresAtMs - seed_->issuedAtMs) / 2))
    seed_.reset();
  if (seed_ || now < seedRetryMs_) return;
  if (!IsAllowedServer(settings.server)) {
    if (!refusedServerReported_)
      report_("the ranking server " + settings.server +
              " is not used: plain http is for this machine only, use https");
    refusedServerReported_ = true;
    return;
  }
  HttpCall call;
  call.method = "POST";
  call.url = Trimmed(settings.server) + "/api/v1/games";
  call.timeoutMs = kTimeoutMs;
  seedServer_ = settings.server;
  seedCall_ = http_->Send(std::move(call));
}

void WorldRanking::TakeSeedAnswer(const HttpReply& reply) {
  const std::optional<Json> json = reply.status == 201 ? ParsedBody(reply) : std::nullopt;
  if (!json || !(*json)["seed"].is_number_unsigned() || !(*json)["expires_at"].is_number() ||
      !(*json)["issued_at"].is_number()) {
    seedRetryMs_ = now_() + std::max<int64_t>(kSeedRetryMs, reply.retryAfterSeconds * 1000);
    return;
  }
  RankingSeed seed;
  seed.seed = (*json)["seed"].get<uint32_t>();
  seed.issuedAtMs = (*json)["issued_at"].get<int64_t>();
  seed.expiresAtMs = (*json)["expires_at"].get<int64_t>();
  seed.server = seedServer_;
  seed_ = seed;
}

std::optional<RankingSeed> WorldRanking::TakeSeed(const RankingSettings& settings) {
  if (!settings.optedIn || !http_) {
    note = {};
    return std::nullopt;
  }
  std::optional<RankingSeed> seed;
  if (seed_ && seed_->server == settings.server && seed_->expiresAtMs > now_()) seed = seed_;
  seed_.reset();
  note = {seed ? RankingNote::State::None : RankingNote::State::Unranked, 0};
  return seed;
}

void WorldRanking::Submit(const Replay& replay, const RankingSeed& seed,
                          const RankingSettings& settings) {
  if (!http_) return;
  if (!queueLoaded_) LoadQueue();
  const std::vector<uint8_t> bytes = EncodeReplay(replay);
  // The name the game was played under, then the replay.
  const std::string head = char(settings.name.size()) + settings.name;
  std::vector<uint8_t> file(head.begin(), head.end());
  file.insert(file.end(), bytes.begin(), bytes.end());
  const std::string name = QueueName(seed);
  std::error_code error = files_.MakeFolders(folder_);
  if (!error) error = files_.Replace(PathOf(name), file);
  if (error)
    report_("cannot keep the run for the ranking in " + PathOf(name) + ": " + error.message());
  for (auto& [other, queued] : queue_) queued.ofLastGame = false;
  Queued& queued = queue_[name];
  queued.ofLastGame = true;
  queued.dueMs = 0;
  note = {RankingNote::State::Sending, 0};
  Send(name, queued, settings);
  // The oldest runs go when the queue is full.
  while (queue_.size() > kMaxQueued) Drop(queue_.begin()->first);
}

void WorldRanking::LoadQueue() {
  queueLoaded_ = true;
  std::vector<std::string> names;
  if (files_.List(folder_, names)) return;
  std::sort(names.begin(), names.end());
  for (const std::string& name : names)
    if (ExpiryOfQueueName(name)) queue_.try_emplace(name);
}

void WorldRanking::SendDue(const RankingSettings& settings) {
  const int64_t now = now_();
  for (auto entry = queue_.begin(); entry != queue_.end();) {
    const std::string file = entry->first;
    Queued& queued = entry->second;
    ++entry;
    if (queued.inFlight || queued.attempts >= kSessionAttempts || now < queued.dueMs) continue;
    if (ExpiryOfQueueName(file).value_or(0) <= now) {
      report_("the run " + file + " was not sent before its seed expired; it is dropped");
      if (queued.ofLastGame) note = {RankingNote::State::Refused, 0};
      Drop(file);
      continue;
    }
    Send(file, queued, settings);
  }
}

void WorldRanking::Send(const std::string& file, Queued& queued, const RankingSettings& settings) {
  std::vector<uint8_t> bytes;
  if (const std::error_code error = files_.Read(PathOf(file), Replay::kMaxFileBytes + 256, bytes);
      error || bytes.empty() || bytes.size() < 1u + bytes[0]) {
    report_("the queued run " + PathOf(file) + " cannot be read; it is dropped");
    Drop(file);
    return;
  }
  const std::string name(bytes.begin() + 1, bytes.begin() + 1 + bytes[0]);
  HttpCall call;
  call.method = "POST";
  call.url = Trimmed(settings.server) + "/api/v1/runs?name=" + UrlQueryValue(name);
  call.contentType = "application/octet-stream";
  call.body.assign(bytes.begin() + 1 + bytes[0], bytes.end());
  call.timeoutMs = kTimeoutMs;
  queued.inFlight = true;
  ++queued.attempts;
  runCalls_[http_->Send(std::move(call))] = file;
}

void WorldRanking::TakeRunAnswer(const std::string& file, const HttpReply& reply) {
  const auto found = queue_.find(file);
  if (found == queue_.end()) return;
  Queued& queued = found->second;
  queued.inFlight = false;
  if (WorthRetrying(reply)) {
    // Later and later: 30 s, 2 min, 8 min.
    int64_t wait = kFirstRetryMs;
    for (int a = 1; a < queued.attempts; ++a) wait *= 4;
    queued.dueMs = now_() + std::max<int64_t>(wait, reply.retryAfterSeconds * 1000);
    if (queued.ofLastGame) note = {RankingNote::State::Queued, 0};
    return;
  }
  const std::optional<Json> json = ParsedBody(reply);
  if (reply.status == 200 || reply.status == 201) {
    const Json* place = json && (*json)["places"].is_object() ? &(*json)["places"]["all"] : nullptr;
    if (queued.ofLastGame)
      note = place && place->is_number_integer()
                 ? RankingNote{RankingNote::State::Placed, place->get<int32_t>()}
                 : RankingNote{RankingNote::State::Placed, 0};
  } else {
    const std::string why = json && (*json)["error"].is_string()
                                ? (*json)["error"].get<std::string>()
                                : "status " + std::to_string(reply.status);
    report_("the ranking server refused the run " + file + ": " + why);
    if (queued.ofLastGame) note = {RankingNote::State::Refused, 0};
  }
  Drop(file);
}

void WorldRanking::Drop(const std::string& file) {
  files_.Remove(PathOf(file));
  queue_.erase(file);
  for (auto call = runCalls_.begin(); call != runCalls_.end();)
    call = call->second == file ? runCalls_.erase(call) : std::next(call);
}
