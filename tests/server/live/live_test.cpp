// The real moravin-server over HTTP on loopback, verifying real replays in its worker
// processes: forged runs, a kill during submissions, and, beside a PostgreSQL server that
// tests/server/with_postgres.sh starts, two servers on one database and a database restart.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "replay/verify.h"
#include "run_maker.h"
#include "server_process.h"

namespace {

using Json = nlohmann::json;

// A client of one server: starts games and submits runs.
class Player {
 public:
  explicit Player(int port) : client_("127.0.0.1", port) {
    client_.set_read_timeout(30);
    client_.set_connection_timeout(5);
  }

  uint32_t StartGame() {
    const auto response = client_.Post("/api/v1/games");
    if (!response || response->status != 201) throw std::runtime_error("no seed");
    return Json::parse(response->body)["seed"].get<uint32_t>();
  }

  // The status and the body of the answer; status 0 when none came.
  std::pair<int, Json> Submit(const std::vector<uint8_t>& replay, const std::string& name) {
    const auto response =
        client_.Post("/api/v1/runs?name=" + name, std::string(replay.begin(), replay.end()),
                     "application/octet-stream");
    if (!response) return {0, Json()};
    return {response->status, Json::parse(response->body, nullptr, false)};
  }

  httplib::Client& Http() { return client_; }

 private:
  httplib::Client client_;
};

std::string Config(const std::string& database) {
  return "database = " + database +
         "\nrequests_per_minute = 1000000\nsubmissions_per_minute = 1000000\n"
         "verify_workers = 2\nqueue_size = 64\n";
}

// Waits until `seconds` have passed since `since`: a run's play frames need that much time
// since its seed was issued.
void WaitSince(std::chrono::steady_clock::time_point since, double seconds) {
  std::this_thread::sleep_until(since +
                                std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
}

std::vector<uint8_t> Encoded(const Replay& replay) { return EncodeReplay(replay); }

TEST(LiveServer, ForgedRunsAreRefusedWithTheirReason) {
  TemporaryFolder folder;
  ServerProcess server(MORAVIN_SERVER_EXE, Config((folder.Path() / "ranking.db").string()));
  Player player(server.Port());
  const uint32_t seed = player.StartGame();
  const uint32_t unused = player.StartGame();
  const auto issued = std::chrono::steady_clock::now();
  const Replay genuine = PlayRun(seed, 1, 100);
  const int64_t reached = genuine.result.score;
  WaitSince(issued, 2.1);

  // Submits a forgery: it must be refused with `status`, and with `error` when one is given.
  const auto refused = [&](const std::vector<uint8_t>& replay, int status,
                           const std::string& error = "") {
    const auto [got, body] = player.Submit(replay, "forger");
    const std::string said = body.is_object() ? body.value("error", "") : "";
    EXPECT_EQ(got, status) << said;
    if (!error.empty()) {
      EXPECT_EQ(said, error);
    }
    return said;
  };
  Replay score = genuine;
  score.result.score += 1000;
  refused(Encoded(score), 422,
          "replay: it claims score " + std::to_string(reached + 1000) + ", the game reaches " +
              std::to_string(reached));
  // Z held throughout: the field scrolls faster, and the result claimed is not reached.
  Replay inputs = genuine;
  for (InputRun& run : inputs.input) run.buttons |= 1 << 4;
  const std::string differs = VerifyReplay(inputs).reason;
  EXPECT_EQ(differs.find("it claims "), 0u) << differs;
  refused(Encoded(inputs), 422, "replay: " + differs);
  refused(MakeRun(seed ^ 0x5a5a5a5a, 1, 100), 422,
          "seed " + std::to_string(seed ^ 0x5a5a5a5a) + " was never issued by this server");
  Replay version = genuine;
  version.gameVersion = "0.9.0";
  refused(
      Encoded(version), 422,
      std::string("a run of version 0.9.0: this server ranks runs of version ") + GameVersion());
  const std::vector<uint8_t> bytes = Encoded(genuine);
  refused({bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2)}, 422,
          "replay: truncated: " + std::to_string(bytes.size() / 2) + " bytes of " +
              std::to_string(bytes.size()));
  for (size_t bit = 5; bit < bytes.size() * 8; bit += 37) {
    std::vector<uint8_t> flipped = bytes;
    flipped[bit / 8] ^= static_cast<uint8_t>(1 << bit % 8);
    const auto [status, body] = player.Submit(flipped, "forger");
    EXPECT_EQ(status, 422) << "bit " << bit << ": " << body.dump();
  }
  Replay billion = genuine;
  billion.input.back().frames = 1'000'000'000;
  refused(Encoded(billion), 422, "replay: impossible: more than 10000000 frames in all");
  refused(std::vector<uint8_t>((1 << 20) + 1, 0), 413);
  // The fresh seed has had 2 s: too little for 1,000 play frames (20 s).
  const Replay long_ = PlayRun(unused, 2, 1000);
  ASSERT_GT(long_.result.playFrames, 200u);
  EXPECT_EQ(refused(Encoded(long_), 422)
                .find(std::to_string(long_.result.playFrames) + " play frames take "),
            0u);

  const auto [status, run] = player.Submit(bytes, "genuine");
  ASSERT_EQ(status, 201) << run.dump();
  EXPECT_EQ(run["score"], reached);
  refused(MakeRun(seed, 2, 100), 409,
          "seed " + std::to_string(seed) + " was already used by run " +
              std::to_string(run["run"].get<int>()));
}

}  // namespace

// Runs made ahead on seeds from `player`, each to be submitted once its seed is old enough.
struct PreparedRun {
  std::vector<uint8_t> replay;
  std::string name;
};

std::vector<PreparedRun> Prepare(Player& player, int count, const std::string& prefix) {
  std::vector<PreparedRun> runs;
  for (int i = 0; i < count; ++i)
    runs.push_back(
        {MakeRun(player.StartGame(), static_cast<uint32_t>(i), 60), prefix + std::to_string(i)});
  return runs;
}

// Submits `runs` in turn until one gets no answer; the accepted ones by run number.
void SubmitAll(Player& player, const std::vector<PreparedRun>& runs,
               std::map<int64_t, std::vector<uint8_t>>& accepted, std::mutex& mutex) {
  for (const PreparedRun& run : runs) {
    const auto [status, body] = player.Submit(run.replay, run.name);
    if (status == 0) return;
    ASSERT_EQ(status, 201) << body.dump();
    std::lock_guard lock(mutex);
    accepted[body["run"].get<int64_t>()] = run.replay;
  }
}

// Every run answered 201 is there, with its very replay.
void ExpectKept(Player& player, const std::map<int64_t, std::vector<uint8_t>>& accepted) {
  for (const auto& [id, replay] : accepted) {
    const auto kept = player.Http().Get("/api/v1/runs/" + std::to_string(id) + "/replay");
    ASSERT_TRUE(kept) << id;
    EXPECT_EQ(kept->status, 200) << id;
    EXPECT_EQ(kept->body, std::string(replay.begin(), replay.end())) << id;
  }
}

TEST(LiveServer, AServerKilledDuringSubmissionsLosesNoAcceptedRun) {
  TemporaryFolder folder;
  const std::string config = Config((folder.Path() / "ranking.db").string());
  auto server = std::make_unique<ServerProcess>(MORAVIN_SERVER_EXE, config);
  constexpr int kClients = 6;
  std::vector<std::vector<PreparedRun>> runs;
  for (int c = 0; c < kClients; ++c) {
    Player player(server->Port());
    runs.push_back(Prepare(player, 40, "k" + std::to_string(c) + "-"));
  }
  WaitSince(std::chrono::steady_clock::now(), 1.3);  // 60 play frames need 1.2 s
  std::map<int64_t, std::vector<uint8_t>> accepted;
  std::mutex mutex;
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c)
    clients.emplace_back([&, c] {
      Player player(server->Port());
      SubmitAll(player, runs[c], accepted, mutex);
    });
  // Killed once a few runs are in, with submissions on every client under way (or after a
  // minute, should the runs not go in: the checks below then fail).
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  for (bool enough = false; !enough && std::chrono::steady_clock::now() < giveUp;
       std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
    std::lock_guard lock(mutex);
    enough = accepted.size() >= 20;
  }
  server->Stop(SIGKILL);
  for (std::thread& client : clients) client.join();
  ASSERT_GE(accepted.size(), 20u) << "too few runs accepted";
  ASSERT_LT(accepted.size(), static_cast<size_t>(kClients * 40)) << "killed too late";

  server = std::make_unique<ServerProcess>(MORAVIN_SERVER_EXE, config);
  Player player(server->Port());
  ExpectKept(player, accepted);
  std::printf("SIGKILL: %zu runs accepted before the kill, all kept\n", accepted.size());
}

const char* PostgresUrl() {
  const char* url = std::getenv("MORAVIN_TEST_POSTGRES_URL");
  return url ? url : "";
}

TEST(LivePostgres, TwoServersOnOneDatabaseGiveOneRanking) {
  if (!*PostgresUrl()) GTEST_SKIP() << "run through with_postgres.sh";
  ServerProcess first(MORAVIN_SERVER_EXE, Config(PostgresUrl()));
  ServerProcess second(MORAVIN_SERVER_EXE, Config(PostgresUrl()));
  Player one(first.Port()), two(second.Port());
  // Seeds from either server; each seed's run is sent to both at once, in two versions: one
  // of the two is accepted, by one server.
  std::vector<uint32_t> seeds;
  for (int i = 0; i < 12; ++i) seeds.push_back((i % 2 ? one : two).StartGame());
  WaitSince(std::chrono::steady_clock::now(), 1.3);
  std::atomic<int> accepted = 0, refused = 0;
  std::vector<std::thread> clients;
  for (int side = 0; side < 2; ++side)
    clients.emplace_back([&, side] {
      Player player(side ? second.Port() : first.Port());
      for (size_t i = 0; i < seeds.size(); ++i) {
        const auto [status, body] = player.Submit(
            MakeRun(seeds[i], side, 60), "p" + std::to_string(i) + "-" + std::to_string(side));
        (status == 201 ? accepted : refused) += 1;
        EXPECT_TRUE(status == 201 || status == 409) << body.dump();
      }
    });
  for (std::thread& client : clients) client.join();
  EXPECT_EQ(accepted, 12);
  EXPECT_EQ(refused, 12);
  const auto rankingOf = [](Player& player) {
    Json ranking = Json::parse(player.Http().Get("/api/v1/ranking")->body);
    return ranking["top"];
  };
  const Json top = rankingOf(one);
  EXPECT_EQ(top.size(), 12u);
  EXPECT_EQ(top, rankingOf(two));
}

// Threads that keep a server busy; stopped and joined when the object goes, whatever the
// test's outcome, so that a failed check cannot leave them running.
class LoadThreads {
 public:
  ~LoadThreads() { Stop(); }
  void Start(std::function<void(const std::atomic<bool>& stop)> work) {
    threads_.emplace_back([this, work = std::move(work)] { work(stop_); });
  }
  // Waits for the most recent thread to finish on its own.
  void JoinLast() { threads_.back().join(); }
  void Stop() {
    stop_ = true;
    for (std::thread& thread : threads_)
      if (thread.joinable()) thread.join();
  }

 private:
  std::atomic<bool> stop_ = false;
  std::vector<std::thread> threads_;
};

TEST(LivePostgres, ADatabaseRestartedUnderLoadIsServedAgainWithinSeconds) {
  if (!*PostgresUrl()) GTEST_SKIP() << "run through with_postgres.sh";
  const char* restartCommand = std::getenv("MORAVIN_TEST_POSTGRES_RESTART");
  ASSERT_TRUE(restartCommand);
  ServerProcess server(MORAVIN_SERVER_EXE, Config(PostgresUrl()));
  Player player(server.Port());
  std::vector<PreparedRun> runs = Prepare(player, 20, "r");
  WaitSince(std::chrono::steady_clock::now(), 1.3);
  std::atomic<int> readFailures = 0;
  std::map<int64_t, std::vector<uint8_t>> accepted;
  std::mutex mutex;
  // Readers and a submitter keep going through the restart; the submitter keeps what was
  // accepted, and what got no answer or a 503 is sent again afterwards.
  LoadThreads load;
  for (int r = 0; r < 4; ++r)
    load.Start([&](const std::atomic<bool>& stop) {
      Player reader(server.Port());
      while (!stop) {
        const auto answer = reader.Http().Get("/api/v1/ranking?period=day");
        if (!answer || answer->status != 200) ++readFailures;
      }
    });
  load.Start([&](const std::atomic<bool>& stop) {
    Player submitter(server.Port());
    for (const PreparedRun& run : runs) {
      for (int attempt = 0; attempt < 100 && !stop; ++attempt) {
        const auto [status, body] = submitter.Submit(run.replay, run.name);
        if (status == 201 || status == 200) {
          std::lock_guard lock(mutex);
          accepted[body["run"].get<int64_t>()] = run.replay;
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const auto restart = std::chrono::steady_clock::now();
  const int restarted = std::system(restartCommand);
  EXPECT_EQ(restarted, 0) << "PostgreSQL did not come back (its log is above)";
  if (restarted != 0) return;  // the load threads stop with `load`
  const auto databaseUp = std::chrono::steady_clock::now();
  double recovered = -1;
  for (int poll = 0; poll < 200 && recovered < 0; ++poll) {
    const auto health = player.Http().Get("/healthz");
    if (health && health->status == 200)
      recovered =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - databaseUp).count();
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  load.JoinLast();
  load.Stop();
  std::printf(
      "PostgreSQL restart: %.2f s down, served again %.3f s after it was up; %d reads failed\n",
      std::chrono::duration<double>(databaseUp - restart).count(), recovered, readFailures.load());
  EXPECT_GE(recovered, 0);
  EXPECT_LT(recovered, 5);
  std::lock_guard lock(mutex);
  EXPECT_EQ(accepted.size(), runs.size());
  ExpectKept(player, accepted);
}
