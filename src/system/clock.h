// The game's clocks and sleeps, behind an interface so pacing can be tested with a fake clock.
#pragma once

#include <cstdint>

class IClock {
 public:
  virtual ~IClock() = default;
  // Milliseconds since some start, wrapping at 2^32 like the Windows multimedia timer.
  virtual uint32_t Ticks() = 0;
  // The same clock in microseconds, without the wrap: Ticks() is the low 32 bits of
  // Microseconds() / 1000, so a millisecond boundary can be waited for to the microsecond.
  virtual uint64_t Microseconds() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // A sleep finer than a millisecond; it may end a little late, never early.
  virtual void SleepMicroseconds(uint32_t us) = 0;
};
