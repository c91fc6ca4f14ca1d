// What the server's tests share: a fresh database of either kind, and a fake verifier.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "server/run_verifier.h"
#include "server/store.h"

// A fresh database: an SQLite file in a temporary folder, or, for "postgres", a schema of its
// own on the server whose URL tests/server/with_postgres.sh puts in MORAVIN_TEST_POSTGRES_URL
// (the test is skipped without one).
class TestDatabase {
 public:
  explicit TestDatabase(const std::string& kind);
  ~TestDatabase();
  const std::string& Location() const { return location_; }
  bool Available() const { return !location_.empty(); }

 private:
  std::string location_;
  std::filesystem::path folder_;
  std::string adminUrl_, schema_;
};

// Replays as the fake verifier reads them: "seed version playFrames score".
Blob FakeReplay(uint32_t seed, const std::string& version, int64_t playFrames, int64_t score);

class FakeVerifier : public RunVerifier {
 public:
  bool ReadClaims(std::span<const uint8_t> bytes, RunClaims& claims, std::string& error) override;
  std::optional<Verdict> Verify(const Blob& replay, bool proven) override;
  int RetryAfterSeconds() override { return 7; }
  int QueueLength() override { return 0; }

  bool busy = false;
  std::string rejection;  // when set, every replay is rejected with it
  int verified = 0;
  bool lastProven = false;
};
