// The ranking's periods: all time, this week and today, in UTC. Weeks begin on Monday.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

enum class Period { AllTime, Week, Day };

inline constexpr Period kPeriods[] = {Period::AllTime, Period::Week, Period::Day};

// Milliseconds since 1970-01-01 00:00 UTC at which the period holding `nowMs` began.
int64_t PeriodStart(Period period, int64_t nowMs);

// "all", "week", "day" and back.
std::string_view PeriodName(Period period);
std::optional<Period> ParsePeriod(std::string_view name);
