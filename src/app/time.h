// Holds the game loop to a fixed frame rate: frames start on millisecond boundaries of the
// schedule, met to within microseconds.
#pragma once

#include <cstdint>

#include "system/clock.h"

class CTime {
 public:
  // 60 frames per second, timed from now. Without a clock WaitFrame never waits.
  explicit CTime(IClock* clock);
  virtual ~CTime() = default;

  // Sets targetFps and its framePeriod together; 0 switches waiting off.
  void SetFps(int32_t fps);
  // Starts the schedule afresh from now.
  void Restart();
  // Waits until the current frame has lasted its period, then schedules the next one. Called
  // once per frame, after drawing and before presenting.
  void WaitFrame();
  // For loops that the display calls back (a browser's animation frames) instead of waiting:
  // whether a frame is due now, and if so, schedules the next one. The callbacks come at the
  // display's rate (60, 120, 144 Hz ...), so a frame may start up to a few milliseconds early;
  // the schedule itself advances by whole periods and keeps the average rate exact. A frame
  // that comes more than a period late (a slow machine, the page back from the background)
  // restarts the schedule from now: no catch-up burst.
  bool TakeDueFrame();

  IClock* clock;
  int32_t targetFps = 60;
  uint32_t framePeriod = 0;        // 16.16 fixed-point milliseconds
  uint32_t frameBase = 0;          // scheduled start of the current frame
  uint32_t periodAccumulator = 0;  // carries the fraction of a millisecond
  // How long after its scheduled time the last WaitFrame released the frame, in microseconds
  // (0 when waiting is off).
  uint32_t lateUs = 0;

 private:
  // From `now`, sleeps until shortly before `boundaryUs`, then spins to it; returns the time
  // it saw then.
  uint64_t WaitUntil(uint64_t now, uint64_t boundaryUs);
};
