#include "app/replay_show.h"

#include "media/input.h"
#include "replay/recorder.h"
#include "save/save_file.h"
#include "scenes/play.h"
#include "scenes/scene_manager.h"
#include "system/random.h"

ReplayShow::ReplayShow(Kind showKind, std::optional<Replay> replay, IDemoPlayer* player,
                       SaveData& save)
    : kind(showKind),
      replay_(std::move(replay)),
      player_(player),
      copy_(save),
      playerSave_(g_saveData),
      playerSaveFile_(g_saveFile) {
  g_saveData = &copy_;
  g_saveFile = nullptr;
  if (replay_) pointer_.emplace(replay_->pointer);
  if (!replay_ && player_) player_->Reset();
  g_sceneManager.RequestScene(Play, false);
}

ReplayShow::~ReplayShow() {
  g_saveData = playerSave_;
  g_saveFile = playerSaveFile_;
}

bool ReplayShow::Feed(CInput& input, PointerFrame& pointer) {
  if (!started_) {
    started_ = true;
    if (replay_) {
      GameSrand(replay_->seed);
      for (int b = 0; b < ButtonCount; ++b) input.holdFrames[b] = replay_->holdFrames[b];
      HoldButtons(input, replay_->input.front().buttons);
      pointer = pointer_->Next();
    }
    return false;
  }
  ++frame_;
  if (!replay_) {
    const bool playing = play_ && g_sceneManager.currentScene.get() == play_;
    HoldButtons(input, playing && player_ ? player_->Buttons(*play_) : 0);
    pointer = PointerFrame{};  // the demo player plays by keys
  } else if (frame_ < replay_->Frames()) {
    HoldButtons(input, ButtonsOfFrame());
    pointer = pointer_->Next();
  }
  return true;
}

uint16_t ReplayShow::ButtonsOfFrame() {
  if (++runFrame_ == replay_->input[run_].frames) {
    ++run_;
    runFrame_ = 0;
  }
  return replay_->input[run_].buttons;
}

void ReplayShow::AfterStep() {
  if (!play_) play_ = dynamic_cast<const CPlay*>(g_sceneManager.currentScene.get());
  const bool replayOver = replay_ && frame_ + 1 >= replay_->Frames();
  // A demo shows the play alone; a watched game that was left unfinished has nothing more.
  if (kind == Kind::Demo)
    finished_ = replayOver || (!replay_ && g_sceneManager.requestedScene == GameOver);
  else
    finished_ = replayOver && replay_->result.end == GameEnd::Quit;
}
