#include "server/periods.h"

namespace {

constexpr int64_t kDayMs = 86'400'000;

// Floor division, so that a moment before 1970 still falls in the day that holds it.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

}  // namespace

int64_t PeriodStart(Period period, int64_t nowMs) {
  const int64_t day = FloorDiv(nowMs, kDayMs);
  switch (period) {
    case Period::AllTime: return INT64_MIN;
    case Period::Day: return day * kDayMs;
    case Period::Week: {
      // 1970-01-01 was a Thursday, three days after a Monday.
      const int64_t sinceMonday = day + 3 - FloorDiv(day + 3, 7) * 7;
      return (day - sinceMonday) * kDayMs;
    }
  }
  return INT64_MIN;
}

std::string_view PeriodName(Period period) {
  switch (period) {
    case Period::AllTime: return "all";
    case Period::Week: return "week";
    case Period::Day: return "day";
  }
  return "all";
}

std::optional<Period> ParsePeriod(std::string_view name) {
  for (Period period : kPeriods)
    if (PeriodName(period) == name) return period;
  return std::nullopt;
}
