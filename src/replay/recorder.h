// Writes down a game as it is played, frame by frame, into a Replay; the buttons of a frame as
// the replay keeps them; and the pointer's records of a replay's frames, played back.
#pragma once

#include <cstdint>
#include <optional>

#include "replay/replay.h"
#include "system/input_devices.h"

class CInput;
class CPlayRound;

// The buttons held in the frame, bit b for Button b.
uint16_t HeldButtons(const CInput& input);
// Holds exactly those buttons in the frame.
void HoldButtons(CInput& input, uint16_t buttons);

// The pointer device's record of each frame of a replay, from frame 0 on, rebuilt from its
// samples: a frame without one has the last position and nothing down.
class PointerPlayback {
 public:
  explicit PointerPlayback(const std::vector<PointerSample>& samples) : samples_(samples) {}
  PointerFrame Next();

 private:
  const std::vector<PointerSample>& samples_;
  size_t next_ = 0;
  uint32_t frame_ = 0;
  int16_t x_ = 0, y_ = 0;
};

class ReplayRecorder {
 public:
  // The play is being created in this frame: the random generator's state before it was, and
  // the buttons' hold counters as the frame took them (before its EndFrame).
  void Begin(uint32_t seed, const CInput& input);
  // Every frame from Begin's on, after the scenes' step: the buttons the frame held, the
  // pointer device's record of it, and whether the play updated (then `round` is its state
  // after the update).
  void Frame(uint16_t buttons, const PointerFrame& pointer, bool updated, const CPlayRound& round);
  // The game has ended after the last frame given: the replay, or none when the game ran past
  // the limits of a replay (it was then dropped as it passed them).
  std::optional<Replay> Finish(GameEnd end);
  bool Recording() const { return recording_; }

 private:
  void AddButtons(uint16_t buttons);
  void AddPointer(const PointerFrame& pointer);

  bool recording_ = false;
  Replay replay_;
  uint32_t frames_ = 0;
  bool paused_ = false;
  int16_t pointerX_ = 0, pointerY_ = 0;  // of the last pointer sample
};
