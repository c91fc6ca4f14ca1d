// Load on a real moravin-server over loopback, bounded in clients and time; it prints figures
// and asserts none of them. It fails only when the server answers wrongly (an error status).
//   server_load SERVER_EXE readers [CLIENTS [SECONDS [RUNS]]]
// readers: RUNS runs of 300 players over two weeks are put in the server's SQLite file, then
// CLIENTS clients each read a ranking (all time, week or day in turn), wait 0.5 to 1.5 s, and
// read again, for SECONDS; the latency of every read is measured.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "server/store.h"
#include "server_process.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
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
    NewRun run{
        issued,
        {0, "player" + std::to_string(random() % 300), score, score / 7, 4, 20'000, "1.0.0", 0},
        {1, 2, 3}};
    int64_t id = 0;
    store.Accept(run, at, id);
  }
}

int Readers(const std::string& exe, int clients, int seconds, int runs) {
  TemporaryFolder folder;
  const std::string database = (folder.Path() / "ranking.db").string();
  const auto fillStart = Clock::now();
  FillRanking(database, runs);
  std::printf("filled %d runs in %.1f s\n", runs,
              std::chrono::duration<double>(Clock::now() - fillStart).count());
  ServerProcess server(
      exe, "database = " + database + "\nrequests_per_minute = 1000000\nhttp_threads = 64\n");
  Latencies latencies;
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
  const size_t reads = latencies.ms.size();
  std::printf("readers: %d clients, %d s, %zu reads (%.0f/s), %d errors\n", clients, seconds, reads,
              static_cast<double>(reads) / seconds, latencies.errors.load());
  std::printf("latency ms: p50 %.1f  p90 %.1f  p99 %.1f  max %.1f\n", latencies.Percentile(0.5),
              latencies.Percentile(0.9), latencies.Percentile(0.99), latencies.Percentile(1.0));
  return latencies.errors == 0 ? 0 : 1;
}

int Number(int argc, char** argv, int index, int fallback, int limit) {
  return argc > index ? std::clamp(std::atoi(argv[index]), 1, limit) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: server_load SERVER_EXE readers [CLIENTS [SECONDS [RUNS]]]\n");
    return 2;
  }
  const std::string scenario = argv[2];
  if (scenario == "readers")
    return Readers(argv[1], Number(argc, argv, 3, 500, 1000), Number(argc, argv, 4, 10, 60),
                   Number(argc, argv, 5, 1000, 100'000));
  std::fprintf(stderr, "server_load: unknown scenario %s\n", scenario.c_str());
  return 2;
}
