// Settings of one run that automation can change; the defaults are the game's own behaviour.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "replay/replay.h"

class IDemoPlayer;
class IHttpClient;

struct RunSettings {
  bool seedGiven = false;  // seed the random generator with `seed` instead of the clock
  uint32_t seed = 0;
  int32_t fps = 50;             // frame rate of the pacing; 0 runs as fast as the machine goes
  std::string saveDir;          // the save's folder; empty = the user's data folder
  bool timeFrames = false;      // measure every frame's phases for the observer's FrameTimed
  std::optional<Replay> watch;  // a replay to show, with the normal screens, instead of the logo
  IDemoPlayer* demoPlayer = nullptr;  // plays the title's demo when no replay is kept
  // The world ranking's way to its server; without one the game offers no ranking.
  IHttpClient* http = nullptr;
  // A scripted or headless run: the window's focus and controllers coming and going change
  // nothing, so that the run goes the same way every time.
  bool ignoreFocusAndDevices = false;
};

// How long the phases of one frame took, in microseconds of the high-resolution clock.
struct FrameTimes {
  uint32_t updateUs = 0;   // Tick: input, the scene step, the display-mode follow-up
  uint32_t drawUs = 0;     // clear, the scene's drawing, end of scene
  uint32_t presentUs = 0;  // showing the picture, with any reset of a lost device
  uint32_t frameUs = 0;    // the whole frame without the pacing wait
  uint32_t lateUs = 0;     // how long after its scheduled time the wait let the frame go
  bool paced = false;      // false when the frame rate is 0: there is no schedule
};

// Told about every frame that ran (after it was presented); frames count from 1.
class IFrameObserver {
 public:
  virtual ~IFrameObserver() = default;
  virtual void AfterFrame(uint32_t frame) = 0;
  // With RunSettings::timeFrames, called just before AfterFrame with the frame's times.
  virtual void FrameTimed(uint32_t frame, const FrameTimes& times) {}
};
