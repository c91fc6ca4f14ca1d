#include "replay/verify.h"

#include <algorithm>

#include "game/play_round.h"
#include "media/input.h"
#include "replay/play_hash.h"
#include "replay/recorder.h"
#include "save/save_data.h"
#include "system/random.h"

namespace {

// The save record the rules write the run's score to, in place of whatever the process had.
class ScratchSave {
 public:
  ScratchSave() : previous_(g_saveData) { g_saveData = &save_; }
  ~ScratchSave() { g_saveData = previous_; }
  ScratchSave(const ScratchSave&) = delete;
  ScratchSave& operator=(const ScratchSave&) = delete;
  const SaveData& Save() const { return save_; }

 private:
  SaveData save_{};
  SaveData* previous_;
};

// What the play does in one frame.
struct Turn {
  bool takesInput;
  bool updates;
  bool sceneChanges;  // the play is created, paused or resumed: a gesture in progress ends
};

const char* EndName(GameEnd end) {
  switch (end) {
    case GameEnd::CutOff: return "a cut-off";
    case GameEnd::Caught: return "a catch";
    default: return "a quit";
  }
}

class Replayer {
 public:
  explicit Replayer(const Replay& replay) : replay_(replay), pointer_(replay.pointer) {}
  Verification Run();

 private:
  bool PlayAll();
  Turn TurnOf(uint32_t frame);
  bool PlayFrame(uint32_t frame, uint16_t buttons);
  void Update();
  bool Fail(std::string reason);
  void CompareResult();

  const Replay& replay_;
  ScratchSave scratch_;
  CPlayRound round_;
  CInput input_;
  PointerPlayback pointer_;
  Verification v_;
  size_t nextPause_ = 0;
  bool gameOverDue_ = false;
};

Verification Replayer::Run() {
  GameSrand(replay_.seed);
  round_.Start();
  for (int b = 0; b < ButtonCount; ++b) input_.holdFrames[b] = replay_.holdFrames[b];
  const bool complete = PlayAll();
  ReplayResult& reached = v_.reached;
  reached.score = scratch_.Save().score;
  reached.distance = scratch_.Save().distance;
  reached.end = !gameOverDue_                 ? GameEnd::Quit
                : round_.phase == PhaseCutOff ? GameEnd::CutOff
                                              : GameEnd::Caught;
  if (complete) CompareResult();
  v_.ok = v_.reason.empty();
  return v_;
}

bool Replayer::PlayAll() {
  uint32_t frame = 0;
  for (const InputRun& run : replay_.input)
    for (uint32_t i = 0; i < run.frames; ++i, ++frame)
      if (!PlayFrame(frame, run.buttons)) return false;
  return true;
}

Turn Replayer::TurnOf(uint32_t frame) {
  if (frame == 0) return {false, true, true};  // the frame the play is created in
  if (nextPause_ < replay_.pauses.size()) {
    const Pause& pause = replay_.pauses[nextPause_];
    if (frame == pause.begin) return {true, false, true};
    if (frame > pause.begin && frame < pause.resume) return {false, false, false};
    if (frame == pause.resume) {
      ++nextPause_;
      return {false, true, true};
    }
  }
  return {true, true, false};
}

bool Replayer::PlayFrame(uint32_t frame, uint16_t buttons) {
  const Turn turn = TurnOf(frame);
  HoldButtons(input_, buttons);
  input_.MapPointer(pointer_.Next());
  if (turn.takesInput) {
    // The game pauses itself on the pause button, and when its window is left; it cannot
    // pause during its ending.
    if (!turn.updates && round_.phase != PhasePlaying)
      return Fail("it pauses at frame " + std::to_string(frame) + ", after the game was lost");
    if (round_.TakeInput(input_) && turn.updates)
      return Fail("the game pauses at frame " + std::to_string(frame) +
                  ", where the replay plays on");
  }
  input_.EndFrame();
  if (turn.sceneChanges) input_.CancelPointerGesture();
  if (turn.updates) {
    if (gameOverDue_)
      return Fail("the game was over after " + std::to_string(v_.reached.playFrames) +
                  " play frames, where the replay goes on");
    Update();
  }
  v_.frames = frame + 1;
  return true;
}

void Replayer::Update() {
  gameOverDue_ = round_.Step();
  ReplayResult& reached = v_.reached;
  reached.playFrames += 1;
  reached.longestChain = std::max(reached.longestChain, scratch_.Save().diamondChain);
  if (reached.playFrames % Replay::kCheckpointFrames != 0 || v_.firstBadCheckpoint) return;
  const uint32_t index = reached.playFrames / Replay::kCheckpointFrames;
  if (HashPlayState(round_, scratch_.Save()) == replay_.checkpoints[index - 1]) return;
  v_.firstBadCheckpoint = static_cast<int32_t>(index);
  Fail("checkpoint " + std::to_string(index) + " (play frame " +
       std::to_string(reached.playFrames) + ") differs");
}

bool Replayer::Fail(std::string reason) {
  if (v_.reason.empty()) v_.reason = std::move(reason);
  if (replay_.gameVersion != GameVersion() && v_.reason.find("recorded by") != 0)
    v_.reason = "recorded by version " + replay_.gameVersion + ", which this version (" +
                GameVersion() + ") does not reproduce: " + v_.reason;
  return false;
}

void Replayer::CompareResult() {
  const ReplayResult& claimed = replay_.result;
  const ReplayResult& reached = v_.reached;
  const auto differs = [this](const char* what, int64_t claims, int64_t reaches) {
    Fail("it claims " + std::string(what) + " " + std::to_string(claims) + ", the game reaches " +
         std::to_string(reaches));
  };
  if (claimed.end != reached.end)
    Fail(std::string("it claims ") + EndName(claimed.end) +
         (reached.end == GameEnd::Quit
              ? ", the game is not over at its end"
              : std::string(", the game ends in ") + EndName(reached.end)));
  if (claimed.score != reached.score) differs("score", claimed.score, reached.score);
  if (claimed.distance != reached.distance) differs("distance", claimed.distance, reached.distance);
  if (claimed.longestChain != reached.longestChain)
    differs("a chain of", claimed.longestChain, reached.longestChain);
}

}  // namespace

const char* GameVersion() { return MORAVIN_VERSION; }

Verification VerifyReplay(const Replay& replay) { return Replayer(replay).Run(); }

Verification VerifyReplayFile(std::span<const uint8_t> bytes) {
  Replay replay;
  Verification failed;
  if (!DecodeReplay(bytes, replay, failed.reason)) return failed;
  return VerifyReplay(replay);
}
