// The worker processes' limits, with stand-in workers (shell scripts started as the server
// starts its own executable): a worker that spins is stopped at its CPU limit, one that eats
// memory at its memory limit, one outlives no killed server; the queue's two lanes.
#include "server/worker_pool.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <future>
#include <mutex>

#include "server_test_support.h"
#include "system/sanitizers.h"

namespace {

class WorkerPoolTest : public testing::Test {
 protected:
  ~WorkerPoolTest() override { std::filesystem::remove_all(folder_); }

  // A worker: a script of `body` that ignores the --verify-worker it is given.
  std::string Worker(const std::string& name, const std::string& body) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    chmod(path.c_str(), 0755);
    return path;
  }

  std::filesystem::path folder_ = [] {
    auto path = std::filesystem::temp_directory_path() /
                ("moravin_worker_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  Metrics metrics_;
};

TEST_F(WorkerPoolTest, AWorkerIsStoppedAtItsLimits) {
  WorkerPool spinning(Worker("spin", "while :; do :; done"), 1, 1, {1, 64}, metrics_);
  const auto start = std::chrono::steady_clock::now();
  const Verdict spun = *spinning.Verify({1, 2, 3}, false);
  EXPECT_EQ(spun.error, "the replay took more than 1 s of CPU time to verify");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

#ifndef MORAVIN_ADDRESS_SANITIZER
  // tail keeps all of an endless line: it fails once its 64 MB are used up (and, were the
  // memory limit lost, the CPU limit would stop it within 5 s).
  WorkerPool eating(Worker("eat", "exec tail -n 1 /dev/zero"), 1, 1, {5, 64}, metrics_);
  const Verdict ate = *eating.Verify({1}, false);
  EXPECT_TRUE(ate.workerFailed);
  EXPECT_FALSE(ate.ok);
#endif

  WorkerPool answering(Worker("answer", R"(cat >/dev/null; echo '{"ok":true,"score":42}')"), 1, 1,
                       {5, 64}, metrics_);
  const Verdict answered = *answering.Verify(Blob(200'000, 7), false);  // more than a pipe holds
  EXPECT_TRUE(answered.ok);
  EXPECT_EQ(answered.score, 42);
  EXPECT_NE(metrics_.Render().find("moravin_verifications_total{outcome=\"accepted\"} 1\n"),
            std::string::npos);
}

// Whether process `pid` still runs (a zombie has ended).
bool Running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const size_t state = line.rfind(')') + 2;
  return state < line.size() && line[state] != 'Z';
}

TEST_F(WorkerPoolTest, AWorkerEndsWithAKilledServer) {
  const auto pidFile = folder_ / "worker.pid";
  const std::string sleeper =
      Worker("sleep", "echo $$ >" + pidFile.string() + ".new; mv " + pidFile.string() + ".new " +
                          pidFile.string() + "; exec sleep 60");
  const pid_t server = fork();
  ASSERT_GE(server, 0);
  if (server == 0) {
    Metrics metrics;
    WorkerPool(sleeper, 1, 1, {60, 64}, metrics).Verify({1}, false);
    _exit(0);
  }
  pid_t worker = 0;
  for (int wait = 0; wait < 500 && !(std::ifstream(pidFile) >> worker); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  kill(server, SIGKILL);
  waitpid(server, nullptr, 0);
  ASSERT_GT(worker, 0) << "the worker did not start";
  bool ended = false;
  for (int wait = 0; wait < 500 && !ended; ++wait) {
    ended = !Running(worker);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(ended) << "worker " << worker << " outlived its server";
  if (!ended) kill(worker, SIGKILL);
}

// One worker and four places in each lane. Each verification takes 0.2 s and answers with the
// replay's first byte, so the order of the answers is the order of the verifications.
TEST_F(WorkerPoolTest, ProvenSubmittersGoFirstButNotForeverAndAFullLaneRefusesAtOnce) {
  WorkerPool slow(Worker("slow", R"(sleep 0.2; echo "{\"ok\":false,\"error\":\"$(head -c1)\"}")"),
                  1, 4, {5, 64}, metrics_);
  std::mutex mutex;
  std::string order;
  std::vector<std::future<void>> runs;
  const auto verify = [&](char replay, bool proven) {
    runs.push_back(std::async(std::launch::async, [&, replay, proven] {
      const auto verdict = slow.Verify({static_cast<uint8_t>(replay)}, proven);
      std::lock_guard lock(mutex);
      order += verdict ? verdict->error : "-";
    }));
    while (slow.QueueLength() < static_cast<int>(runs.size())) std::this_thread::yield();
  };
  verify('a', false);
  verify('b', false);
  for (char proven : std::string("defg")) verify(proven, true);
  EXPECT_EQ(slow.Verify({'h'}, true), std::nullopt) << "the proven lane is full";
  EXPECT_GE(slow.RetryAfterSeconds(), 1);
  for (auto& run : runs) run.get();
  EXPECT_EQ(order, "adefbg");
}

}  // namespace
