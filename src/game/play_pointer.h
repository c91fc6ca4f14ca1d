// The play by pointer, as rules: a tap on a line selects it, a drag up or down shifts it one
// cell for every cell the finger travels, under the game's own rules (a held key's speed, its
// blocked moves), and two controls in the top bar speed the field up and pause the game. The
// play scene draws the controls (scenes/play_controls.h); a replay's verifier runs these rules
// without any screen.
#pragma once

#include <cstdint>

#include "media/input.h"

class CMap;

class CPlayPointer {
 public:
  static constexpr ScreenRect kSpeedButton{271, 6, 182, 76};
  static constexpr ScreenRect kPauseButton{465, 6, 182, 76};

  // After the keys have had their say: acts on the frame's pointer. True when the pause
  // control was tapped.
  bool Input(const CInput& input, CMap& map);

  bool SpeedHeld() const { return speedHeld_; }
  bool PauseHeld() const { return pauseHeld_; }

 private:
  enum class Gesture { None, Line, Speed, Pause };
  void FollowDrag(CMap& map);

  Gesture gesture_ = Gesture::None;
  int32_t targetCells_ = 0;   // cells the finger travelled in the drag, down positive
  int32_t cellsShifted_ = 0;  // moves started for the drag
  bool speedHeld_ = false;
  bool pauseHeld_ = false;
};
