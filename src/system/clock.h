// Millisecond clock and sleep, behind an interface so pacing can be tested with a fake clock.
#pragma once

#include <cstdint>

class IClock {
 public:
  virtual ~IClock() = default;
  // Milliseconds since some start, wrapping at 2^32 like the Windows multimedia timer.
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};
