// Requests per address, in token buckets: each address may burst a tenth of its minute's
// allowance, then goes at the allowance's pace. An address is remembered only while its
// buckets are not full again, and never more than `maxAddresses` at once: the server keeps no
// other record of addresses.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

class RateLimiter {
 public:
  enum class Kind { Any, Submission };

  RateLimiter(int requestsPerMinute, int submissionsPerMinute, size_t maxAddresses = 100'000);

  // Takes a token of `kind` (a submission takes one of each); false when there is none: the
  // request is refused, and `retryAfterSeconds` says when one will be.
  bool Allow(const std::string& address, Kind kind, int64_t nowMs, int& retryAfterSeconds);
  size_t Remembered();

 private:
  struct Bucket {
    double tokens;
    double capacity;
    double perMs;
    void Refill(int64_t elapsedMs);
    bool Full() const { return tokens >= capacity; }
  };
  struct Entry {
    Bucket any, submission;
    int64_t lastMs;
  };

  Bucket Fresh(int perMinute) const;
  void Forget(int64_t nowMs);

  // Addresses whose buckets filled again are forgotten at least this often.
  static constexpr int64_t kSweepMs = 60'000;

  int requestsPerMinute_, submissionsPerMinute_;
  size_t maxAddresses_;
  std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
  int64_t lastSweepMs_ = 0;
};
