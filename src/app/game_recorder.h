// Records every game the player plays, from the frame its play scene is created to its end (the
// game over, or the program closing), and keeps it as a replay.
#pragma once

#include <cstdint>
#include <functional>

#include "media/input.h"
#include "replay/kept_replays.h"
#include "replay/recorder.h"

class CPlay;

class GameRecorder {
 public:
  // Told of every game recorded to its end, as it ends (the world ranking sends it).
  using Finished = std::function<void(const Replay& replay)>;
  // Replays are kept in `kept`; none are when it is null.
  explicit GameRecorder(KeptReplays* kept, Finished finished = nullptr)
      : kept_(kept), finished_(std::move(finished)) {}

  // Each frame after the scene took its input (the devices' buttons and the pointer's record
  // of the frame) and before the input frame ends.
  void BeforeStep(const CInput& input, const PointerFrame& pointer);
  // Each frame after the scene step.
  void AfterStep();
  // The program closes: a game still recorded is kept as a quit, before this returns.
  void Close();

 private:
  void Keep(GameEnd end);

  KeptReplays* kept_;
  Finished finished_;
  ReplayRecorder recorder_;
  const CPlay* play_ = nullptr;  // the scene of the game recorded
  bool creatingPlay_ = false;    // the scene step is to create a play scene
  uint16_t buttons_ = 0;
  PointerFrame pointer_;
  uint32_t seed_ = 0;
  CInput startInput_;  // the input as the frame that creates the play took it
};
