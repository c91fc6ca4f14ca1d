// A game shown rather than played: a replay watched (--replay FILE, ?replay=URL on the page) or
// the title's demo. Its frames take their buttons from the replay, or from a demo player,
// instead of the devices; the player's save is neither changed nor stored meanwhile.
#pragma once

#include <cstdint>
#include <optional>

#include "replay/recorder.h"
#include "replay/replay.h"
#include "save/save_data.h"

class CInput;
class CPlay;
class SaveFile;

// Plays a demo game when no replay was kept: the buttons of each frame of its play.
class IDemoPlayer {
 public:
  virtual ~IDemoPlayer() = default;
  // A new demo game begins.
  virtual void Reset() = 0;
  virtual uint16_t Buttons(const CPlay& play) = 0;
};

class ReplayShow {
 public:
  enum class Kind {
    Watch,  // the normal screens, the game over included; Esc leaves, Z runs at 4x
    Demo,   // the play alone; any input leaves
  };

  // Asks for the play scene, which the next frame creates. A demo without a replay is played by
  // `player`. Until the show is destroyed the scenes use a copy of `save`, and nothing stores.
  ReplayShow(Kind kind, std::optional<Replay> replay, IDemoPlayer* player, SaveData& save);
  ~ReplayShow();
  ReplayShow(const ReplayShow&) = delete;
  ReplayShow& operator=(const ReplayShow&) = delete;

  // The frame's buttons and pointer record, in place of the devices', before the scene takes
  // them. False in the frame that creates the play: no scene takes that frame's input.
  bool Feed(CInput& input, PointerFrame& pointer);
  // After the scene step.
  void AfterStep();
  // The show has run its course: back to the title. A watched game that ended goes on to its
  // game over screen and ends when that hands over to the title (TitleComing).
  bool Finished() const { return finished_; }
  // The replay still has frames to show.
  bool Showing() const { return replay_ && frame_ + 1 < replay_->Frames(); }

  const Kind kind;

 private:
  uint16_t ButtonsOfFrame();

  std::optional<Replay> replay_;
  std::optional<PointerPlayback> pointer_;  // of replay_
  IDemoPlayer* player_;
  SaveData copy_;
  SaveData* playerSave_;
  SaveFile* playerSaveFile_;
  const CPlay* play_ = nullptr;
  uint32_t frame_ = 0;     // of the replay, 0 when the play is created
  bool started_ = false;   // the play was created
  size_t run_ = 0;         // the input run of frame_
  uint32_t runFrame_ = 0;  // frame_'s place in it
  bool finished_ = false;
};
