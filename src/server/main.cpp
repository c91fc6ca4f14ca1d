// moravin-server: the world ranking. It issues seeds, replays every submitted run with the game's
// own play code in a worker process, and ranks what the replay reaches.
//   moravin-server [--config FILE]     serve (the configuration file's keys: server/config.h)
//   moravin-server --verify-worker     one verification: a replay on stdin, a verdict on stdout
#include <signal.h>
#include <sys/random.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "server/api.h"
#include "server/http_server.h"
#include "server/worker_pool.h"

namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

uint32_t RandomSeed() {
  uint32_t seed = 0;
  while (getrandom(&seed, sizeof seed, 0) != sizeof seed) {}
  return seed;
}

std::string OwnExecutable() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : "";
}

bool LoadConfig(int argc, char** argv, ServerConfig& config) {
  if (argc == 1) return true;
  if (argc != 3 || std::strcmp(argv[1], "--config") != 0) {
    std::fprintf(stderr, "usage: moravin-server [--config FILE]\n");
    return false;
  }
  std::ifstream file(argv[2]);
  std::stringstream text;
  text << file.rdbuf();
  std::string error;
  if (!file || !ParseConfig(text.str(), config, error)) {
    std::fprintf(stderr, "moravin-server: %s: %s\n", argv[2],
                 file ? error.c_str() : std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--verify-worker") == 0) return RunVerificationWorker();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("moravin-server %s\n", VerifiedGameVersion().c_str());
    return 0;
  }
  ServerConfig config;
  if (!LoadConfig(argc, argv, config)) return 2;

  // A worker that dies while its replay is written must not end the server; SIGTERM and SIGINT
  // are taken by a thread of their own, which stops the server.
  signal(SIGPIPE, SIG_IGN);
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  Metrics metrics;
  DatabasePool pool(config.database, static_cast<size_t>(config.httpThreads));
  Store store(pool);
  try {
    store.Migrate(NowMs());
  } catch (const DatabaseError& e) {
    std::fprintf(stderr, "moravin-server: %s\n", e.what());
    return 1;
  }
  WorkerPool workers(OwnExecutable(), config.verifyWorkers, config.queueSize,
                     {config.workerCpuSeconds, config.workerMemoryMb}, metrics);
  metrics.SetQueueLength([&workers] { return workers.QueueLength(); });
  RateLimiter limiter(config.requestsPerMinute, config.submissionsPerMinute);
  Api api(config, VerifiedGameVersion(), {store, workers, limiter, metrics, NowMs, RandomSeed});

  StopSwitch stop;
  std::atomic<bool> finished = false;
  std::thread signals([&] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    // Until the server has stopped: a stop asked for while it starts takes effect once it runs.
    while (!finished) {
      stop.Request();
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  const bool served = Serve(
      api, config, ApiLimits{}.maxBodyBytes,
      [&](int port) {
        std::printf("moravin-server %s: listening on http://%s:%d\n", VerifiedGameVersion().c_str(),
                    config.listenHost.c_str(), port);
        std::fflush(stdout);
      },
      stop);
  finished = true;
  // The signal thread waits for a signal: send it the one it waits for.
  pthread_kill(signals.native_handle(), SIGTERM);
  signals.join();
  return served ? 0 : 1;
}
