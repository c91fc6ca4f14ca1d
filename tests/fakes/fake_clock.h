// A clock that moves only when told: sleeps advance it, and every reading may advance it by a
// set step (so a busy-wait on it ends).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "system/clock.h"

class FakeClock : public IClock {
 public:
  explicit FakeClock(uint32_t startMs = 1000) { SetNow(startMs); }

  uint32_t Ticks() override {
    ++reads;
    const uint32_t t = Now();
    us += uint64_t{advancePerRead} * 1000;
    return t;
  }
  uint64_t Microseconds() override {
    ++reads;
    const uint64_t t = us;
    us += advancePerReadUs;
    return t;
  }
  void Sleep(uint32_t ms) override {
    sleeps.push_back(ms);
    us += uint64_t{ms} * 1000;
    if (onSleep) onSleep(ms);
  }
  void SleepMicroseconds(uint32_t sleepUs) override {
    microSleeps.push_back(sleepUs);
    us += sleepUs + oversleepUs;
  }
  void Advance(uint32_t ms) { us += uint64_t{ms} * 1000; }

  // The millisecond reading, wrapping at 2^32 as Ticks does.
  uint32_t Now() const { return static_cast<uint32_t>(us / 1000); }
  // Puts the clock at the start of millisecond `ms`.
  void SetNow(uint32_t ms) { us = uint64_t{ms} * 1000; }

  uint64_t us = 0;
  uint32_t advancePerRead = 1;     // milliseconds per Ticks reading
  uint32_t advancePerReadUs = 10;  // microseconds per Microseconds reading
  uint32_t oversleepUs = 0;        // how late each fine sleep wakes up
  int reads = 0;
  std::vector<uint32_t> sleeps;              // millisecond sleeps
  std::vector<uint32_t> microSleeps;         // fine sleeps
  std::function<void(uint32_t ms)> onSleep;  // lets a test act while the program sleeps
};
