#include "server/worker_pool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <vector>

#include "system/sanitizers.h"

namespace {

using Clock = std::chrono::steady_clock;

// The largest replay a worker reads: a request body's limit.
constexpr size_t kMaxReplayBytes = 1 << 20;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The child between fork and exec: only system calls. The limits are set before the worker's
// code runs at all, and the worker cannot raise them again.
[[noreturn]] void StartWorker(const char* command, int input, int output, WorkerLimits limits,
                              pid_t server) {
  // A worker ends with the server, even a killed one (strictly, with the thread that started
  // it: an HTTP thread, which lasts as long as the server).
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != server) _exit(127);
  const rlim_t cpu = static_cast<rlim_t>(limits.cpuSeconds);
  const rlimit cpuLimit{cpu, cpu + 1};  // SIGXCPU at the soft limit, SIGKILL a second later
  setrlimit(RLIMIT_CPU, &cpuLimit);
#ifndef MORAVIN_ADDRESS_SANITIZER
  // AddressSanitizer reserves terabytes of address space for its shadow memory: a sanitized
  // build goes without the memory limit.
  const rlim_t bytes = static_cast<rlim_t>(limits.memoryMb) << 20;
  const rlimit memoryLimit{bytes, bytes};
  setrlimit(RLIMIT_AS, &memoryLimit);
#endif
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  dup2(input, STDIN_FILENO);
  dup2(output, STDOUT_FILENO);
  close_range(3, ~0u, 0);
  char* const argv[] = {const_cast<char*>(command), const_cast<char*>("--verify-worker"), nullptr};
  execv(command, argv);
  _exit(127);
}

// Feeds `input` to the worker and collects what it prints, until it closes its output or the
// deadline passes. False when the deadline passed.
bool Exchange(int toWorker, int fromWorker, const Blob& input, std::string& output,
              Clock::time_point deadline) {
  size_t written = 0;
  if (input.empty()) close(toWorker), toWorker = -1;
  for (;;) {
    pollfd fds[2] = {{fromWorker, POLLIN, 0}, {toWorker, POLLOUT, 0}};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    if (poll(fds, toWorker >= 0 ? 2 : 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
      break;
    if (toWorker >= 0 && fds[1].revents) {
      const ssize_t n = write(toWorker, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<size_t>(n);
      if (n < 0 || written == input.size()) close(toWorker), toWorker = -1;
    }
    if (fds[0].revents) {
      char buffer[4096];
      const ssize_t n = read(fromWorker, buffer, sizeof buffer);
      if (n <= 0) {
        if (toWorker >= 0) close(toWorker);
        return true;
      }
      if (output.size() < 65536) output.append(buffer, static_cast<size_t>(n));
    }
  }
  if (toWorker >= 0) close(toWorker);
  return false;
}

Verdict Failed(std::string error) {
  Verdict verdict;
  verdict.error = std::move(error);
  return verdict;
}

// The worker gave no verdict on the replay.
Verdict Broken(std::string error) {
  Verdict verdict = Failed(std::move(error));
  verdict.workerFailed = true;
  return verdict;
}

Verdict ParseVerdict(const std::string& line) {
  const auto json = nlohmann::json::parse(line, nullptr, false);
  if (!json.is_object() || !json.contains("ok")) return Broken("the verifier gave no verdict");
  Verdict verdict;
  verdict.ok = json.value("ok", false);
  verdict.error = json.value("error", "");
  verdict.score = json.value("score", int64_t{0});
  verdict.distance = json.value("distance", int64_t{0});
  verdict.longestChain = json.value("longest_chain", int64_t{0});
  verdict.playFrames = json.value("play_frames", int64_t{0});
  return verdict;
}

}  // namespace

WorkerPool::WorkerPool(std::string workerCommand, int workers, int queueSize, WorkerLimits limits,
                       Metrics& metrics)
    : command_(std::move(workerCommand)),
      workers_(workers),
      queueSize_(queueSize),
      limits_(limits),
      metrics_(metrics) {}

bool WorkerPool::ReadClaims(std::span<const uint8_t> bytes, RunClaims& claims, std::string& error) {
  return ReadRunClaims(bytes, claims, error);
}

// Under the lock: the run's place in its lane, if there is room.
std::optional<WorkerPool::Place> WorkerPool::Admit(bool proven) {
  Lane& lane = proven ? proven_ : others_;
  if (running_ >= workers_ && lane.Waiting() >= queueSize_) return std::nullopt;
  return Place{&lane, lane.nextTicket++};
}

// Under the lock: lets the next waiting runs go while a worker is free. The proven lane goes
// first, but never more than `kProvenPerOther` times in a row while others wait: a new player's
// first run is served in the end, however busy the proven lane is.
void WorkerPool::Dispatch() {
  while (running_ < workers_ && (proven_.Waiting() > 0 || others_.Waiting() > 0)) {
    const bool proven =
        proven_.Waiting() > 0 && (others_.Waiting() == 0 || provenInARow_ < kProvenPerOther);
    ++(proven ? proven_ : others_).letGo;
    provenInARow_ = proven ? provenInARow_ + 1 : 0;
    ++running_;
  }
}

std::optional<Verdict> WorkerPool::Verify(const Blob& replay, bool proven) {
  {
    std::unique_lock lock(mutex_);
    const std::optional<Place> place = Admit(proven);
    if (!place) return std::nullopt;
    Dispatch();
    freed_.wait(lock, [&] { return place->ticket < place->lane->letGo; });
  }
  const auto start = Clock::now();
  Verdict verdict = RunWorker(replay);
  const double seconds = SecondsSince(start);
  metrics_.CountVerification(
      verdict.ok ? "accepted" : (verdict.workerFailed ? "failed" : "rejected"), seconds);
  {
    std::lock_guard lock(mutex_);
    --running_;
    averageSeconds_ = 0.9 * averageSeconds_ + 0.1 * seconds;
    Dispatch();
  }
  // Every waiter looks, since only those let go may run.
  freed_.notify_all();
  return verdict;
}

int WorkerPool::RetryAfterSeconds() {
  std::lock_guard lock(mutex_);
  // The time the queue ahead takes to drain.
  const double seconds =
      (running_ + proven_.Waiting() + others_.Waiting()) * averageSeconds_ / workers_;
  return std::max(1, static_cast<int>(std::ceil(seconds)));
}

int WorkerPool::QueueLength() {
  std::lock_guard lock(mutex_);
  return running_ + proven_.Waiting() + others_.Waiting();
}

Verdict WorkerPool::RunWorker(const Blob& replay) {
  int toWorker[2], fromWorker[2];
  if (pipe2(toWorker, O_CLOEXEC) != 0) return Broken("the verifier could not be started");
  if (pipe2(fromWorker, O_CLOEXEC) != 0) {
    close(toWorker[0]), close(toWorker[1]);
    return Broken("the verifier could not be started");
  }
  const pid_t server = getpid();
  const pid_t pid = fork();
  if (pid == 0) StartWorker(command_.c_str(), toWorker[0], fromWorker[1], limits_, server);
  close(toWorker[0]);
  close(fromWorker[1]);
  if (pid < 0) {
    close(toWorker[1]), close(fromWorker[0]);
    return Broken("the verifier could not be started");
  }
  // The CPU limit ends a busy worker; this ends one that waits instead.
  const auto deadline = Clock::now() + std::chrono::seconds(2 * limits_.cpuSeconds + 5);
  std::string output;
  const bool finished = Exchange(toWorker[1], fromWorker[0], replay, output, deadline);
  close(fromWorker[0]);
  if (!finished) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    if (signal == SIGXCPU || (signal == SIGKILL && finished))
      return Failed("the replay took more than " + std::to_string(limits_.cpuSeconds) +
                    " s of CPU time to verify");
    if (!finished) return Broken("the verifier did not answer in time");
    return Broken("the verifier stopped (signal " + std::to_string(signal) + ")");
  }
  return ParseVerdict(output);
}

int RunVerificationWorker() {
  Blob replay;
  uint8_t buffer[65536];
  for (ssize_t n; (n = read(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      return 1;
    }
    replay.insert(replay.end(), buffer, buffer + n);
    if (replay.size() > kMaxReplayBytes) break;
  }
  const Verdict verdict =
      replay.size() > kMaxReplayBytes
          ? Failed("a replay of more than " + std::to_string(kMaxReplayBytes) + " bytes")
          : VerifyRun(replay);
  nlohmann::json json = {{"ok", verdict.ok}};
  if (verdict.ok) {
    json["score"] = verdict.score;
    json["distance"] = verdict.distance;
    json["longest_chain"] = verdict.longestChain;
    json["play_frames"] = verdict.playFrames;
  } else {
    json["error"] = verdict.error;
  }
  const std::string line = json.dump() + "\n";
  return std::fwrite(line.data(), 1, line.size(), stdout) == line.size() && std::fflush(stdout) == 0
             ? 0
             : 1;
}
