// Load on a real moravin-server over loopback, bounded in clients and time; it prints figures
// and asserts none of them. It fails only when the server answers wrongly (an error status).
//   server_load SERVER_EXE readers [CLIENTS [SECONDS [RUNS]]]
//   server_load SERVER_EXE verify [RUNS]
//   server_load SERVER_EXE flood [SECONDS]
//   server_load SERVER_EXE fill DATABASE RUNS
// readers: RUNS runs of 300 players over two weeks are put in the server's SQLite file, then
// CLIENTS clients each read a ranking (all time, week or day in turn), wait 0.5 to 1.5 s, and
// read again, for SECONDS; the latency of every read is measured.
// verify: RUNS games of up to 3,000 frames are verified one after the other, each by a worker
// process of its own as the server starts them: verifications a second on one core.
// flood: 8 clients submit valid runs, first alone, then while 16 others flood the server with
// invalid ones (garbage, seeds never issued, and forged scores on issued seeds, which cost a
// full verification each); the valid runs' outcomes and latency are compared.
// fill: puts RUNS runs over the last two weeks straight into an SQLite file (for the page's test).
#include <httplib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "run_maker.h"
#include "server/store.h"
#include "server_process.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

uint32_t SeedOf(const std::string& body) {
  return nlohmann::json::parse(body)["seed"].get<uint32_t>();
}

struct Latencies {
  std::mutex mutex;
  std::vector<double> ms;
  std::atomic<int> errors = 0;

  void Add(double value) {
    std::lock_guard lock(mutex);
    ms.push_back(value);
  }
  double Percentile(double p) {
    if (ms.empty()) return 0;
    std::sort(ms.begin(), ms.end());
    return ms[std::min(ms.size() - 1, static_cast<size_t>(p * static_cast<double>(ms.size())))];
  }
};

const char* const kNames[] = {"ぴぴる", "Mora",       "ひげぶー", "はねぶー", "Zed",      "ニコ",
                              "Lilac",  "ムスライン", "Kana",     "ラリ",     "Beardboo", "Iron"};

void FillRanking(const std::string& database, int runs) {
  DatabasePool pool(database, 1);
  Store store(pool);
  const int64_t now = NowMs();
  store.Migrate(now);
  std::mt19937 random(1);
  uint32_t seed = 1;
  for (int i = 0; i < runs; ++i) {
    const int64_t at = now - static_cast<int64_t>(random() % (14 * 86'400'000u));
    const int64_t score = random() % 100'000;
    const uint32_t issued = *store.IssueSeed(at - 600'000, [&] { return seed++; });
    NewRun run{issued,
               {0, std::string(kNames[i % 12]) + (i < 12 ? "" : std::to_string(random() % 25)),
                score, score / 7, 4, 20'000, "1.0.0", 0},
               {1, 2, 3}};
    int64_t id = 0;
    store.Accept(run, at, id);
  }
}

// The CPU time of the children this process has waited for, in seconds.
double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int Readers(const std::string& exe, int clients, int seconds, int runs) {
  TemporaryFolder folder;
  const std::string database = (folder.Path() / "ranking.db").string();
  const auto fillStart = Clock::now();
  FillRanking(database, runs);
  std::printf("filled %d runs in %.1f s\n", runs,
              std::chrono::duration<double>(Clock::now() - fillStart).count());
  Latencies latencies;
  const double cpuBefore = ChildrenCpuSeconds();
  {
    ServerProcess server(
        exe, "database = " + database + "\nrequests_per_minute = 1000000\nhttp_threads = 64\n");
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
      threads.emplace_back([&, c] {
        std::mt19937 random(c);
        const char* periods[] = {"all", "week", "day"};
        httplib::Client client("127.0.0.1", server.Port());
        client.set_connection_timeout(10);
        client.set_read_timeout(10);
        // Clients arrive spread over the first second.
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 1000));
        for (int n = 0; Clock::now() < deadline; ++n) {
          const auto start = Clock::now();
          const auto result = client.Get(std::string("/api/v1/ranking?period=") + periods[n % 3]);
          const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
          if (!result || result->status != 200) {
            ++latencies.errors;
          } else {
            latencies.Add(ms);
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(500 + random() % 1000));
        }
      });
    }
    for (std::thread& t : threads) t.join();
  }  // the server stops here, and its CPU time is counted
  const double serverCpu = ChildrenCpuSeconds() - cpuBefore;
  const size_t reads = latencies.ms.size();
  std::printf("readers: %d clients, %d s, %zu reads (%.0f/s), %d errors\n", clients, seconds, reads,
              static_cast<double>(reads) / seconds, latencies.errors.load());
  std::printf("latency ms: p50 %.1f  p90 %.1f  p99 %.1f  max %.1f\n", latencies.Percentile(0.5),
              latencies.Percentile(0.9), latencies.Percentile(0.99), latencies.Percentile(1.0));
  std::printf("server CPU: %.2f s, %.0f us a read\n", serverCpu,
              reads ? serverCpu * 1e6 / static_cast<double>(reads) : 0.0);
  return latencies.errors == 0 ? 0 : 1;
}

// Runs one worker on `replay` as the server does; true when it accepted it.
bool RunWorker(const std::string& exe, const std::vector<uint8_t>& replay) {
  const std::string file = "/tmp/moravin-load-" + std::to_string(getpid()) + ".replay";
  FILE* out = std::fopen(file.c_str(), "wb");
  std::fwrite(replay.data(), 1, replay.size(), out);
  std::fclose(out);
  const std::string command = exe + " --verify-worker < " + file + " | grep -q '\"ok\":true'";
  const bool ok = std::system(command.c_str()) == 0;
  std::remove(file.c_str());
  return ok;
}

int Verify(const std::string& exe, int runs) {
  std::vector<std::vector<uint8_t>> replays;
  uint64_t frames = 0;
  for (int i = 0; i < runs; ++i) {
    const Replay replay = PlayRun(static_cast<uint32_t>(i * 7919), static_cast<uint32_t>(i), 3000);
    frames += replay.result.playFrames;
    replays.push_back(EncodeReplay(replay));
  }
  const double cpuBefore = ChildrenCpuSeconds();
  const auto start = Clock::now();
  int accepted = 0;
  for (const auto& replay : replays) accepted += RunWorker(exe, replay);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpu = ChildrenCpuSeconds() - cpuBefore;
  std::printf("verify: %d runs, %.0f play frames each on average, %d accepted\n", runs,
              static_cast<double>(frames) / runs, accepted);
  std::printf("  %.3f s wall, %.3f s CPU: %.1f verifications/s per core, %.0f play frames/s\n",
              wall, cpu, runs / cpu, static_cast<double>(frames) / cpu);
  return accepted == runs ? 0 : 1;
}

struct Outcomes {
  std::mutex mutex;
  std::map<int, int> statuses;
  std::vector<double> ms;
  void Add(int status, double latency) {
    std::lock_guard lock(mutex);
    ++statuses[status];
    if (status == 201) ms.push_back(latency);
  }
  std::string Describe() {
    std::sort(ms.begin(), ms.end());
    std::string text;
    for (const auto& [status, count] : statuses)
      text += std::to_string(status) + ": " + std::to_string(count) + "  ";
    char figures[96] = "";
    if (!ms.empty())
      std::snprintf(figures, sizeof figures, "accepted in p50 %.0f ms, p99 %.0f ms",
                    ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)]);
    return text + figures;
  }
};

// Valid runs from 8 clients for `seconds`, with `flooders` clients sending invalid ones.
void FloodRound(ServerProcess& server, int seconds, int flooders, Outcomes& valid,
                Outcomes& invalid) {
  httplib::Client setup("127.0.0.1", server.Port());
  const auto seed = [&] {
    return SeedOf(setup.Post("/api/v1/games", "", "application/octet-stream")->body);
  };
  std::vector<std::vector<uint8_t>> good, forged;
  for (int i = 0; i < 8 * seconds * 4; ++i) good.push_back(MakeRun(seed(), i, 60));
  for (int i = 0; i < flooders * seconds * 20; ++i) {
    Replay replay = PlayRun(seed(), i, 60);
    replay.result.score += 100;
    forged.push_back(EncodeReplay(replay));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(1300));
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  std::atomic<size_t> nextGood = 0, nextForged = 0;
  // Each client comes from an address of its own, as the server's trusted proxy says.
  const auto post = [&](httplib::Client& client, const std::string& address,
                        const std::vector<uint8_t>& body, Outcomes& into) {
    const auto start = Clock::now();
    const auto result =
        client.Post("/api/v1/runs?name=load", {{"X-Forwarded-For", address}},
                    std::string(body.begin(), body.end()), "application/octet-stream");
    into.Add(result ? result->status : 0,
             std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  };
  std::vector<std::thread> threads;
  for (int c = 0; c < 8; ++c)
    threads.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", server.Port());
      client.set_read_timeout(30);
      const std::string address = "10.0.0." + std::to_string(c + 1);
      for (size_t i; Clock::now() < deadline && (i = nextGood++) < good.size();) {
        post(client, address, good[i], valid);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
      }
    });
  for (int f = 0; f < flooders; ++f)
    threads.emplace_back([&, f] {
      httplib::Client client("127.0.0.1", server.Port());
      client.set_read_timeout(30);
      std::mt19937 random(f);
      const std::string address = "10.1.0." + std::to_string(f + 1);
      for (int n = 0; Clock::now() < deadline; ++n) {
        if (n % 3 == 2) {
          const size_t i = nextForged++;
          if (i < forged.size()) post(client, address, forged[i], invalid);
        } else {
          std::vector<uint8_t> garbage = MakeRun(random(), n, 10);
          if (n % 3 == 0) garbage[garbage.size() / 2] ^= 1;  // a checksum that fails
          post(client, address, garbage, invalid);
        }
      }
    });
  for (std::thread& t : threads) t.join();
}

int Flood(const std::string& exe, int seconds) {
  TemporaryFolder folder;
  ServerProcess server(exe,
                       "database = " + (folder.Path() / "ranking.db").string() +
                           "\nrequests_per_minute = 1000000\nsubmissions_per_minute = 1000000"
                           "\nverify_workers = 2\nqueue_size = 16\ntrusted_proxy = 127.0.0.1\n");
  Outcomes alone, alongside, flood;
  FloodRound(server, seconds, 0, alone, flood);
  std::printf("flood: valid runs alone:        %s\n", alone.Describe().c_str());
  FloodRound(server, seconds, 16, alongside, flood);
  std::printf("flood: valid runs in the flood: %s\n", alongside.Describe().c_str());
  std::printf("flood: the flood's answers:     %s\n", flood.Describe().c_str());
  return 0;
}

int Number(int argc, char** argv, int index, int fallback, int limit) {
  return argc > index ? std::clamp(std::atoi(argv[index]), 1, limit) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: server_load SERVER_EXE readers|verify|flood [...]\n");
    return 2;
  }
  const std::string scenario = argv[2];
  if (scenario == "readers")
    return Readers(argv[1], Number(argc, argv, 3, 500, 1000), Number(argc, argv, 4, 10, 60),
                   Number(argc, argv, 5, 1000, 100'000));
  if (scenario == "fill" && argc == 5) {
    FillRanking(argv[3], std::atoi(argv[4]));
    return 0;
  }
  if (scenario == "verify") return Verify(argv[1], Number(argc, argv, 3, 20, 1000));
  if (scenario == "flood") return Flood(argv[1], Number(argc, argv, 3, 10, 60));
  std::fprintf(stderr, "server_load: unknown scenario %s\n", scenario.c_str());
  return 2;
}
