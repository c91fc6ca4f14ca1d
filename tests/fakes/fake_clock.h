// A clock that moves only when told: Sleep advances it, and every Ticks() read may advance it
// by a set step (so a busy-wait on it ends).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "system/clock.h"

class FakeClock : public IClock {
 public:
  explicit FakeClock(uint32_t start = 1000) : now(start) {}

  uint32_t Ticks() override {
    ++reads;
    const uint32_t t = now;
    now += advancePerRead;
    return t;
  }
  void Sleep(uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
    if (onSleep) onSleep(ms);
  }
  void Advance(uint32_t ms) { now += ms; }

  uint32_t now;
  uint32_t advancePerRead = 1;
  int reads = 0;
  std::vector<uint32_t> sleeps;
  std::function<void(uint32_t ms)> onSleep;  // lets a test act while the program sleeps
};
