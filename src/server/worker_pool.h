// Verification in worker processes: each replay is played in a process of its own, started for
// it under hard limits of CPU time and memory (setrlimit), so that no replay can hold the server
// or exhaust its memory, and a crash costs one verification. At most `workers` run at once;
// at most `queueSize` more wait, and beyond that the server is busy.
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
  std::optional<Verdict> Verify(const Blob& replay) override;
  int RetryAfterSeconds() override;
  int QueueLength() override;

 private:
  Verdict RunWorker(const Blob& replay);

  std::string command_;
  int workers_, queueSize_;
  WorkerLimits limits_;
  Metrics& metrics_;
  std::mutex mutex_;
  std::condition_variable freed_;
  int running_ = 0, waiting_ = 0;
  double averageSeconds_ = 0.5;  // of recent verifications, for Retry-After
};

// The worker's side: reads one replay on stdin, writes its verdict as one JSON line on stdout.
int RunVerificationWorker();
