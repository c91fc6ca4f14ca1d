#include "replay/recorder.h"

#include <algorithm>

#include "game/play_round.h"
#include "media/input.h"
#include "replay/play_hash.h"
#include "replay/verify.h"
#include "save/save_data.h"

namespace {

// Room taken at the start of a game, so that a game of half an hour grows no vector while it
// is played: a change of buttons every 9 frames, a checkpoint every 250, a pause a minute.
constexpr size_t kRunsReserved = 10000;
constexpr size_t kCheckpointsReserved = 400;
constexpr size_t kPausesReserved = 32;

}  // namespace

uint16_t HeldButtons(const CInput& input) {
  uint16_t buttons = 0;
  for (int b = 0; b < ButtonCount; ++b)
    if (input.held[b]) buttons |= static_cast<uint16_t>(1u << b);
  return buttons;
}

void HoldButtons(CInput& input, uint16_t buttons) {
  for (int b = 0; b < ButtonCount; ++b) input.held[b] = (buttons >> b & 1) != 0;
}

static_assert(PointerSample::kDown == PointerDown && PointerSample::kTapped == PointerTapped);

PointerFrame PointerPlayback::Next() {
  PointerFrame frame{x_, y_, 0};
  if (next_ < samples_.size() && samples_[next_].frame == frame_) {
    const PointerSample& sample = samples_[next_++];
    frame = {static_cast<int16_t>(sample.x), static_cast<int16_t>(sample.y), sample.flags};
  }
  if (frame.x != x_ || frame.y != y_) frame.flags |= PointerMoved;
  x_ = frame.x;
  y_ = frame.y;
  ++frame_;
  return frame;
}

void ReplayRecorder::Begin(uint32_t seed, const CInput& input) {
  static_assert(Replay::kButtons == ButtonCount);
  replay_ = Replay{};
  replay_.gameVersion = GameVersion();
  replay_.seed = seed;
  for (int b = 0; b < ButtonCount; ++b)
    replay_.holdFrames[b] =
        static_cast<uint8_t>(std::clamp(input.holdFrames[b], 0, Replay::kMaxHoldFrames));
  replay_.input.reserve(kRunsReserved);
  replay_.checkpoints.reserve(kCheckpointsReserved);
  replay_.pauses.reserve(kPausesReserved);
  frames_ = 0;
  paused_ = false;
  pointerX_ = pointerY_ = 0;
  recording_ = true;
}

void ReplayRecorder::Frame(uint16_t buttons, const PointerFrame& pointer, bool updated,
                           const CPlayRound& round) {
  if (!recording_) return;
  if (frames_ == Replay::kMaxFrames || replay_.result.playFrames == Replay::kMaxPlayFrames) {
    recording_ = false;  // too long to be kept
    return;
  }
  AddButtons(buttons);
  AddPointer(pointer);
  // A pause spans the frames without an update: it began in the first and ends in the frame
  // that updates again.
  if (!updated && !paused_) replay_.pauses.push_back({frames_, frames_});
  if (updated && paused_) replay_.pauses.back().resume = frames_;
  paused_ = !updated;
  ++frames_;
  if (!updated) return;
  ReplayResult& result = replay_.result;
  result.playFrames += 1;
  result.longestChain = std::max(result.longestChain, g_saveData->diamondChain);
  if (result.playFrames % Replay::kCheckpointFrames == 0)
    replay_.checkpoints.push_back(HashPlayState(round, *g_saveData));
}

void ReplayRecorder::AddButtons(uint16_t buttons) {
  if (!replay_.input.empty() && replay_.input.back().buttons == buttons) {
    replay_.input.back().frames += 1;
  } else {
    replay_.input.push_back({buttons, 1});
  }
}

// A frame whose record is "no pointer input" (nothing down, not moved) has no sample; whether
// it moved is left out, as the playback tells it from the positions.
void ReplayRecorder::AddPointer(const PointerFrame& pointer) {
  const uint8_t flags = pointer.flags & (PointerDown | PointerTapped);
  if (flags == 0 && pointer.x == pointerX_ && pointer.y == pointerY_) return;
  // The device keeps the pointer on the screen; a replay holds nothing else.
  const auto x = static_cast<uint16_t>(std::clamp<int>(pointer.x, 0, Replay::kScreenWidth - 1));
  const auto y = static_cast<uint16_t>(std::clamp<int>(pointer.y, 0, Replay::kScreenHeight - 1));
  replay_.pointer.push_back({frames_, x, y, flags});
  pointerX_ = pointer.x;
  pointerY_ = pointer.y;
}

std::optional<Replay> ReplayRecorder::Finish(GameEnd end) {
  if (!recording_ || frames_ == 0) {
    recording_ = false;
    return std::nullopt;
  }
  recording_ = false;
  if (paused_) replay_.pauses.back().resume = frames_;  // closed under the pause menu
  replay_.result.score = g_saveData->score;
  replay_.result.distance = g_saveData->distance;
  replay_.result.end = end;
  return std::move(replay_);
}
