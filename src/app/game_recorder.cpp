#include "app/game_recorder.h"

#include <algorithm>
#include <chrono>

#include "scenes/play.h"
#include "scenes/scene_manager.h"
#include "system/random.h"

namespace {

bool IsSuspended(const CScene* scene) {
  const auto& suspended = g_sceneManager.suspended;
  return std::any_of(suspended.begin(), suspended.end(),
                     [scene](const auto& s) { return s.get() == scene; });
}

}  // namespace

void GameRecorder::BeforeStep(const CInput& input, const PointerFrame& pointer) {
  buttons_ = HeldButtons(input);
  pointer_ = pointer;
  creatingPlay_ = g_sceneManager.requestedScene == Play;
  if (!creatingPlay_) return;
  seed_ = GameRandState();
  startInput_ = input;
}

void GameRecorder::AfterStep() {
  const CScene* current = g_sceneManager.currentScene.get();
  if (creatingPlay_) {
    creatingPlay_ = false;
    play_ = dynamic_cast<const CPlay*>(current);
    if (play_) recorder_.Begin(seed_, startInput_);
  }
  if (!play_) return;
  const bool updated = current == play_;
  // A game too long for a replay stops being recorded; one whose scene went away without an
  // end is no game.
  if (!recorder_.Recording() || (!updated && !IsSuspended(play_))) {
    play_ = nullptr;
    return;
  }
  recorder_.Frame(buttons_, pointer_, updated, *play_);
  if (updated && g_sceneManager.requestedScene == GameOver)
    Keep(play_->phase == PhaseCutOff ? GameEnd::CutOff : GameEnd::Caught);
}

void GameRecorder::Close() {
  if (play_ && recorder_.Recording()) Keep(GameEnd::Quit);
  if (kept_) kept_->FinishKeeping();
}

void GameRecorder::Keep(GameEnd end) {
  play_ = nullptr;
  std::optional<Replay> replay = recorder_.Finish(end);
  if (replay && finished_) finished_(*replay);
  if (!replay || !kept_) return;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  kept_->StartKeeping(*replay,
                      ReplayNameAt(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
}
