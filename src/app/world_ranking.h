// The game's side of the world ranking: a seed kept ready for the next game, and the replay of a
// ranked game sent to the server when it ends. Everything goes through the background HTTP
// client and is looked at once a frame, so no frame waits for the network. A run the server
// could not take waits in a small queue on disk beside the save and is sent again a few times,
// in this session and the next ones, until its seed expires.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "replay/replay.h"
#include "save/ranking_settings.h"
#include "scenes/ranking_note.h"
#include "system/file_access.h"
#include "system/http_client.h"

// A seed the server issued for one game, with its lifetime (milliseconds of the Unix epoch).
struct RankingSeed {
  uint32_t seed = 0;
  int64_t issuedAtMs = 0;
  int64_t expiresAtMs = 0;
  std::string server;  // that issued it
};

// Whether the client talks to `url`: HTTPS anywhere, plain HTTP only to this machine.
bool IsAllowedServer(const std::string& url);
// `text` as a URL's query value (UTF-8 bytes percent-encoded).
std::string UrlQueryValue(const std::string& text);

class WorldRanking {
 public:
  using Report = std::function<void(const std::string& line)>;
  using Clock = std::function<int64_t()>;  // milliseconds of the Unix epoch
  // Calls that go unanswered this long count as a server that is down.
  static constexpr int kTimeoutMs = 10000;
  // How often and how long after each failure a queued run is sent again in one session.
  static constexpr int kSessionAttempts = 4;
  static constexpr int64_t kFirstRetryMs = 30'000;
  // A failed seed request is tried again after this.
  static constexpr int64_t kSeedRetryMs = 30'000;
  // The queue holds at most this many runs; the oldest go first.
  static constexpr size_t kMaxQueued = 20;
  static constexpr const char* kQueueSuffix = ".run";

  // With no client (a system without one), nothing is ever sent.
  WorldRanking(IHttpClient* http, FileAccess& files, std::string queueFolder, Report report,
               Clock now);

  // Once a frame: takes the answers that came, and sends queued runs that are due.
  void Poll(const RankingSettings& settings);
  // While the player takes part and no game is on: a seed for the next game is asked for.
  void KeepSeedReady(const RankingSettings& settings);
  // A game is being created: the seed it is to use, when one is ready; none makes it unranked.
  std::optional<RankingSeed> TakeSeed(const RankingSettings& settings);
  // A ranked game has ended: its replay waits on disk and is sent now.
  void Submit(const Replay& replay, const RankingSeed& seed, const RankingSettings& settings);

  // What the game over screen says of the last game submitted.
  RankingNote note;

 private:
  struct Queued {
    int attempts = 0;   // this session
    int64_t dueMs = 0;  // sent again from then on
    bool inFlight = false;
    bool ofLastGame = false;  // the note follows its answer
  };

  void TakeSeedAnswer(const HttpReply& reply);
  void SendDue(const RankingSettings& settings);
  void Send(const std::string& file, Queued& queued, const RankingSettings& settings);
  void TakeRunAnswer(const std::string& file, const HttpReply& reply);
  void LoadQueue();
  void Drop(const std::string& file);
  std::string PathOf(const std::string& file) const;

  IHttpClient* http_;
  FileAccess& files_;
  std::string folder_;
  Report report_;
  Clock now_;
  std::optional<RankingSeed> seed_;
  std::optional<IHttpClient::Ticket> seedCall_;
  std::string seedServer_;               // asked of
  int64_t seedRetryMs_ = 0;              // no seed is asked for before then
  std::map<std::string, Queued> queue_;  // by file name
  std::map<IHttpClient::Ticket, std::string> runCalls_;
  bool queueLoaded_ = false;
  bool refusedServerReported_ = false;
};
