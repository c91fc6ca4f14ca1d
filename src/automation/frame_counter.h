// The number of the frame now running, shared by the scripted and recorded devices.
#pragma once

#include <cstdint>

// Advanced by the automation after every frame.
struct FrameCounter {
  uint32_t framesDone = 0;
  uint32_t Current() const { return framesDone + 1; }
};
