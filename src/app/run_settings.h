// Settings of one run that automation can change; the defaults are the game's own behaviour.
#pragma once

#include <cstdint>
#include <string>

struct RunSettings {
  bool seedGiven = false;  // seed the random generator with `seed` instead of the clock
  uint32_t seed = 0;
  int32_t fps = 50;     // frame rate of the pacing; 0 runs as fast as the machine goes
  std::string saveDir;  // the save's folder; empty = the user's data folder
};

// Told about every frame that ran (after it was presented); frames count from 1.
class IFrameObserver {
 public:
  virtual ~IFrameObserver() = default;
  virtual void AfterFrame(uint32_t frame) = 0;
};
