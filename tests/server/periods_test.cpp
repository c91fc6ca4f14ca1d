#include "server/periods.h"

#include <gtest/gtest.h>

namespace {

// 2026-03-16 was a Monday.
constexpr int64_t kMonday = 1'773'619'200'000;
constexpr int64_t kDay = 86'400'000;

TEST(Periods, DaysAndWeeksBeginAtMidnightUtcWeeksOnMonday) {
  EXPECT_EQ(PeriodStart(Period::Day, kMonday), kMonday);
  EXPECT_EQ(PeriodStart(Period::Day, kMonday + kDay - 1), kMonday);
  EXPECT_EQ(PeriodStart(Period::Day, kMonday - 1), kMonday - kDay);
  for (int day = 0; day < 7; ++day)
    EXPECT_EQ(PeriodStart(Period::Week, kMonday + day * kDay + 12 * 3'600'000), kMonday) << day;
  EXPECT_EQ(PeriodStart(Period::Week, kMonday + 7 * kDay), kMonday + 7 * kDay);
  EXPECT_EQ(PeriodStart(Period::Week, kMonday - 1), kMonday - 7 * kDay);
  // The first week of 1970 began on Monday 1969-12-29.
  EXPECT_EQ(PeriodStart(Period::Week, 0), -3 * kDay);
  EXPECT_LT(PeriodStart(Period::AllTime, kMonday), 0);
}

TEST(Periods, NamesReadBack) {
  for (Period period : kPeriods) EXPECT_EQ(ParsePeriod(PeriodName(period)), period);
  EXPECT_EQ(ParsePeriod("month"), std::nullopt);
}

}  // namespace
