#include "server/rate_limiter.h"

#include <algorithm>
#include <cmath>

RateLimiter::RateLimiter(int requestsPerMinute, int submissionsPerMinute, size_t maxAddresses)
    : requestsPerMinute_(requestsPerMinute),
      submissionsPerMinute_(submissionsPerMinute),
      maxAddresses_(maxAddresses) {}

void RateLimiter::Bucket::Refill(int64_t elapsedMs) {
  tokens =
      std::min(capacity, tokens + static_cast<double>(std::max<int64_t>(elapsedMs, 0)) * perMs);
}

RateLimiter::Bucket RateLimiter::Fresh(int perMinute) const {
  const double capacity = std::max(1.0, perMinute / 10.0);
  return {capacity, capacity, perMinute / 60'000.0};
}

bool RateLimiter::Allow(const std::string& address, Kind kind, int64_t nowMs,
                        int& retryAfterSeconds) {
  std::lock_guard lock(mutex_);
  if (nowMs - lastSweepMs_ >= kSweepMs) Forget(nowMs);
  auto found = entries_.find(address);
  if (found == entries_.end()) {
    if (entries_.size() >= maxAddresses_) Forget(nowMs);
    found =
        entries_
            .emplace(address, Entry{Fresh(requestsPerMinute_), Fresh(submissionsPerMinute_), nowMs})
            .first;
  }
  Entry& entry = found->second;
  entry.any.Refill(nowMs - entry.lastMs);
  entry.submission.Refill(nowMs - entry.lastMs);
  entry.lastMs = nowMs;
  Bucket* empty = entry.any.tokens < 1 ? &entry.any : nullptr;
  if (kind == Kind::Submission && entry.submission.tokens < 1) empty = &entry.submission;
  if (empty) {
    retryAfterSeconds =
        std::max(1, static_cast<int>(std::ceil((1 - empty->tokens) / empty->perMs / 1000)));
    return false;
  }
  entry.any.tokens -= 1;
  if (kind == Kind::Submission) entry.submission.tokens -= 1;
  return true;
}

size_t RateLimiter::Remembered() {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

// Drops the addresses whose buckets have filled again: they are as good as new. If that frees
// no room (a crowd of busy addresses), the longest idle goes.
void RateLimiter::Forget(int64_t nowMs) {
  lastSweepMs_ = nowMs;
  auto oldest = entries_.end();
  for (auto it = entries_.begin(); it != entries_.end();) {
    Entry copy = it->second;
    copy.any.Refill(nowMs - copy.lastMs);
    copy.submission.Refill(nowMs - copy.lastMs);
    if (copy.any.Full() && copy.submission.Full()) {
      it = entries_.erase(it);
      continue;
    }
    if (oldest == entries_.end() || it->second.lastMs < oldest->second.lastMs) oldest = it;
    ++it;
  }
  if (entries_.size() >= maxAddresses_ && oldest != entries_.end()) entries_.erase(oldest);
}
