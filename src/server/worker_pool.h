// Verification in worker processes: each replay is played in a process of its own, started for
// it under hard limits of CPU time and memory (setrlimit), so that no replay can hold the server
// or exhaust its memory, and a crash costs one verification. At most `workers` run at once.
// The runs that wait form two lanes of at most `queueSize` each: the runs of proven submitters,
// which mostly go first, and the others; beyond that the server is busy. (One address's runs
// are bounded by the rate limits, which come before.)
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

#include "server/database.h"
#include "server/metrics.h"
#include "server/run_verifier.h"

struct WorkerLimits {
  int cpuSeconds = 20;
  int memoryMb = 512;
};

class WorkerPool : public RunVerifier {
 public:
  // `workerCommand` is the server's own executable, started with --verify-worker.
  WorkerPool(std::string workerCommand, int workers, int queueSize, WorkerLimits limits,
             Metrics& metrics);

  bool ReadClaims(std::span<const uint8_t> bytes, RunClaims& claims, std::string& error) override;
  std::optional<Verdict> Verify(const Blob& replay, bool proven) override;
  int RetryAfterSeconds() override;
  int QueueLength() override;

 private:
  // Of every four verifications while both lanes wait, three are of proven submitters.
  static constexpr int kProvenPerOther = 3;

  // Runs wait in turn: each takes its lane's next ticket, and goes once `letGo` passes it.
  struct Lane {
    uint64_t nextTicket = 0, letGo = 0;
    int Waiting() const { return static_cast<int>(nextTicket - letGo); }
  };
  struct Place {
    Lane* lane;
    uint64_t ticket;
  };

  Verdict RunWorker(const Blob& replay);
  std::optional<Place> Admit(bool proven);
  void Dispatch();

  std::string command_;
  int workers_, queueSize_;
  WorkerLimits limits_;
  Metrics& metrics_;
  std::mutex mutex_;
  std::condition_variable freed_;
  int running_ = 0;  // let go, whether or not their workers have started yet
  Lane proven_, others_;
  int provenInARow_ = 0;
  double averageSeconds_ = 0.5;  // of recent verifications, for Retry-After
};

// The worker's side: reads one replay on stdin, writes its verdict as one JSON line on stdout.
int RunVerificationWorker();
