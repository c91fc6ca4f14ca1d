// What the API needs of verification, whoever does it: the worker processes, or a fake in tests.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "server/database.h"
#include "server/verification.h"

class RunVerifier {
 public:
  virtual ~RunVerifier() = default;
  virtual bool ReadClaims(std::span<const uint8_t> bytes, RunClaims& claims,
                          std::string& error) = 0;
  // The verdict; nullopt when the queue is full. The runs of `proven` submitters (from an
  // address that had a run accepted lately) mostly go first: forged runs are rejected, so a
  // flood of them from many addresses never earns that, and cannot starve the players.
  virtual std::optional<Verdict> Verify(const Blob& replay, bool proven) = 0;
  // When to try again after a full queue.
  virtual int RetryAfterSeconds() = 0;
  // Runs waiting or in verification.
  virtual int QueueLength() = 0;
};
