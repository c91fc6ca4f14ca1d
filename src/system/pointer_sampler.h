// Gathers a pointer's events between two frames into the frame's PointerFrame. The events
// come in game-screen pixels; a press, a release and a move may all happen within one frame.
#pragma once

#include <cstdint>

#include "system/input_devices.h"

class PointerSampler {
 public:
  void MoveTo(int x, int y);
  // A press outside the picture (in a black bar) starts nothing, nor does a second one.
  void Press(int x, int y, bool inside);
  void Release(int x, int y);
  // The pointer is lost (the window lost the focus): up, and no tap comes of the press.
  void LetGo();
  bool Down() const { return down_; }
  // The frame's record; starts the next frame.
  PointerFrame Sample();

 private:
  int16_t x_ = 0, y_ = 0;          // where the pointer is
  int16_t lastX_ = 0, lastY_ = 0;  // where it was at the last sample
  int16_t tapX_ = 0, tapY_ = 0;    // where a tap within the frame ended
  bool down_ = false;
  bool wentDown_ = false;  // pressed since the last sample
  bool tapped_ = false;    // pressed and released since the last sample
};
