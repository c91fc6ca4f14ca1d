#include "server/rate_limiter.h"

#include <gtest/gtest.h>

namespace {

TEST(RateLimiter, BurstsATenthOfTheMinuteThenKeepsPace) {
  RateLimiter limiter(600, 60);
  int retry = 0;
  for (int i = 0; i < 60; ++i) ASSERT_TRUE(limiter.Allow("a", RateLimiter::Kind::Any, 0, retry));
  EXPECT_FALSE(limiter.Allow("a", RateLimiter::Kind::Any, 0, retry));
  EXPECT_EQ(retry, 1);
  EXPECT_TRUE(limiter.Allow("b", RateLimiter::Kind::Any, 0, retry)) << "another address";
  // 600 a minute: one more every 100 ms.
  EXPECT_FALSE(limiter.Allow("a", RateLimiter::Kind::Any, 99, retry));
  EXPECT_TRUE(limiter.Allow("a", RateLimiter::Kind::Any, 200, retry));
}

TEST(RateLimiter, SubmissionsHaveTheirOwnSmallerAllowance) {
  RateLimiter limiter(600, 30);
  int retry = 0;
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(limiter.Allow("a", RateLimiter::Kind::Submission, 0, retry));
  EXPECT_FALSE(limiter.Allow("a", RateLimiter::Kind::Submission, 0, retry));
  EXPECT_EQ(retry, 2);  // one every 2 s
  EXPECT_TRUE(limiter.Allow("a", RateLimiter::Kind::Any, 0, retry));
}

TEST(RateLimiter, ForgetsAddressesOnceTheirBucketsAreFullAndStaysBounded) {
  RateLimiter limiter(60, 60, 100);
  int retry = 0;
  for (int i = 0; i < 1000; ++i)
    limiter.Allow("10.0.0." + std::to_string(i), RateLimiter::Kind::Any, i, retry);
  EXPECT_LE(limiter.Remembered(), 100u);
  // A minute on, every bucket has filled again: the next sweep forgets them all.
  limiter.Allow("x", RateLimiter::Kind::Any, 1000 + 120'000, retry);
  EXPECT_EQ(limiter.Remembered(), 1u);
}

}  // namespace
