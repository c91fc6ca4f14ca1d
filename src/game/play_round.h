// One game's rules and state without its screen or its sounds: the field, the heroine, the
// character tables' turn in each frame, the phase of the game and its ending. The play scene
// drives a round and shows it; the replay verifier drives one with no screen at all.
#pragma once

#include <cstdint>

#include "game/map.h"
#include "game/play_pointer.h"
#include "game/player.h"

class CInput;

enum PlayPhase : int32_t { PhaseNone = 0, PhasePlaying = 1, PhaseCutOff = 2, PhaseCaught = 3 };

class CPlayRound {
 public:
  // Frames of the ending: the game over is due after the 101st.
  static constexpr int32_t kEndingFrames = 100;
  static constexpr int32_t kFinishBannerFrame = 50;

  // A new game: the opening columns, the heroine at her start, the run's score, distance and
  // chain at 0 (the best score as it was).
  void Start();
  // One frame's buttons: the cursor and the lines, while the game is played. True when the
  // pause button was pressed.
  bool TakeInput(const CInput& input);
  // One frame of the game. True once the ending is over and the game over is due.
  bool Step();

  CMap map;
  CPlayer player;
  CPlayPointer pointerPlay;
  int32_t phase = PhaseNone;
  int32_t phaseFrame = 0;  // frames since the phase began

 private:
  void PlayingStep();
  bool EndingStep();
};
