// Holds the game loop to a fixed frame rate, exact to the millisecond.
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

  IClock* clock;
  int32_t targetFps = 60;
  uint32_t framePeriod = 0;        // 16.16 fixed-point milliseconds
  uint32_t frameBase = 0;          // scheduled start of the current frame
  uint32_t periodAccumulator = 0;  // carries the fraction of a millisecond
};
