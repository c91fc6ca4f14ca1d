// Games recorded through the real scenes (the play, the title as its pause menu) verify when
// played again by the verifier, which has no scene at all; and every kind of tampering is caught.
#include "replay/verify.h"

#include <gtest/gtest.h>

#include <functional>

#include "automation/planner.h"
#include "automation/play_view.h"
#include "fakes/test_environment.h"
#include "replay/recorder.h"
#include "scenes/play.h"
#include "system/random.h"

namespace {

constexpr uint16_t kUp = 1 << Up, kDown = 1 << Down, kRight = 1 << Right, kSpeed = 1 << Button1,
                   kEscape = 1 << Button3 | 1 << Back;

// The buttons of a frame; the play is null in the frame that creates it.
using ButtonsOf = std::function<uint16_t(uint32_t frame, const CPlay* play)>;

class VerifyTest : public GameTest {
 protected:
  // Plays a game as the game loop does, from the frame that creates the play to the one that
  // asks for the game over (or to `maxFrames`, a quit), holding `buttons` in each frame, and
  // records it as the game does.
  Replay Record(uint32_t seed, const ButtonsOf& buttons, uint32_t maxFrames) {
    GameSrand(seed);
    g_sceneManager.RequestScene(Play, false);
    ReplayRecorder recorder;
    HoldButtons(input, buttons(0, nullptr));
    recorder.Begin(GameRandState(), input);
    const uint16_t first = HeldButtons(input);
    EXPECT_TRUE(RunFrame());
    CPlay* play = CurrentAs<CPlay>();
    recorder.Frame(first, PointerFrame{}, true, *play);
    for (uint32_t frame = 1; frame < maxFrames; ++frame) {
      HoldButtons(input, buttons(frame, play));
      const uint16_t held = HeldButtons(input);
      EXPECT_TRUE(RunFrame());
      recorder.Frame(held, PointerFrame{}, Current() == play, *play);
      if (g_sceneManager.requestedScene == GameOver)
        return *recorder.Finish(play->phase == PhaseCutOff ? GameEnd::CutOff : GameEnd::Caught);
    }
    return *recorder.Finish(GameEnd::Quit);
  }

  // The autoplayer's planner plays (it keeps a game going for thousands of frames); Esc pauses
  // the game in frame 300 and resumes it from the pause menu in frame 390.
  ButtonsOf Planned() {
    return [this](uint32_t frame, const CPlay* play) -> uint16_t {
      if (frame == 300 || frame == 390) return kEscape;
      if (!play || g_sceneManager.currentScene.get() != play) return 0;
      const PlayButtons planned = planner_.Decide(ViewOfPlay(*play));
      return static_cast<uint16_t>(
          (planned & kHoldUp ? kUp : 0) | (planned & kHoldDown ? kDown : 0) |
          (planned & kHoldLeft ? 1 << Left : 0) | (planned & kHoldRight ? kRight : 0) |
          (planned & kHoldSpeed ? kSpeed : 0));
    };
  }
  static uint16_t Idle(uint32_t, const CPlay*) { return 0; }

  static Verification Verify(const Replay& replay) {
    Replay read;
    std::string error;
    EXPECT_TRUE(DecodeReplay(EncodeReplay(replay), read, error)) << error;
    return VerifyReplay(read);
  }

  AutoPlanner planner_;
};

TEST_F(VerifyTest, AGamePlayedThroughTheScenesVerifies) {
  const Replay replay = Record(2024, Planned(), 1200);
  ASSERT_EQ(ReplayProblem(replay), "");
  ASSERT_EQ(replay.pauses.size(), 1u);
  EXPECT_EQ(replay.pauses[0].begin, 300u);
  EXPECT_EQ(replay.pauses[0].resume, 391u) << "the pause menu's cancel pops it a frame later";
  EXPECT_EQ(replay.result.end, GameEnd::Quit) << "still playing";
  EXPECT_EQ(replay.result.playFrames, 1200u - 91u);
  EXPECT_EQ(replay.checkpoints.size(), 4u);
  EXPECT_EQ(replay.result.score, save.score);
  EXPECT_GT(replay.result.distance, 10);

  const Verification v = Verify(replay);
  EXPECT_TRUE(v.ok) << v.reason;
  EXPECT_EQ(v.reached, replay.result);
  EXPECT_EQ(v.frames, replay.Frames());
  EXPECT_EQ(v.firstBadCheckpoint, 0);
}

TEST_F(VerifyTest, AButtonHeldFromTheTitleRepeatsAsItDid) {
  // Right held for 30 frames before the play and on into it: its hold counter decides whether
  // the cursor moves on in the first frames of play.
  for (int i = 0; i < 30; ++i) {
    input.held[Right] = true;
    input.EndFrame();
  }
  const ButtonsOf planned = Planned();
  const Replay replay = Record(
      7,
      [&](uint32_t frame, const CPlay* play) { return frame < 12 ? kRight : planned(frame, play); },
      600);
  EXPECT_EQ(replay.holdFrames[Right], 9) << "counted 1 to 10, then 8, 9, 10 again";
  EXPECT_TRUE(Verify(replay).ok);
  Replay forgotten = replay;
  forgotten.holdFrames[Right] = 0;
  EXPECT_EQ(Verify(forgotten).firstBadCheckpoint, 1);
}

TEST_F(VerifyTest, TamperingIsCaughtWithItsReason) {
  const Replay replay = Record(99, Planned(), 800);
  ASSERT_TRUE(Verify(replay).ok);

  Replay score = replay;
  score.result.score += 100;
  Verification v = Verify(score);
  EXPECT_FALSE(v.ok);
  EXPECT_EQ(v.reached.score, replay.result.score) << "the score reached, not the one claimed";
  EXPECT_EQ(v.reason, "it claims score " + std::to_string(score.result.score) +
                          ", the game reaches " + std::to_string(replay.result.score));

  Replay inputs = replay;
  inputs.input[1].buttons ^= kUp;  // another shift early on
  v = Verify(inputs);
  EXPECT_FALSE(v.ok);
  EXPECT_EQ(v.firstBadCheckpoint, 1);
  EXPECT_EQ(v.reason, "checkpoint 1 (play frame 250) differs");

  Replay seed = replay;
  seed.seed += 1;
  EXPECT_EQ(Verify(seed).firstBadCheckpoint, 1) << "another field from the first column";

  Replay pointed = replay;  // a tap that selects another line is played too
  pointed.pointer = {{10, 100, 300, PointerSample::kTapped}};
  EXPECT_EQ(Verify(pointed).firstBadCheckpoint, 1);

  Replay older = inputs;
  older.gameVersion = "0.9.0";
  EXPECT_EQ(Verify(older).reason,
            std::string("recorded by version 0.9.0, which this version (") + GameVersion() +
                ") does not reproduce: checkpoint 1 (play frame 250) differs");
}

TEST_F(VerifyTest, TheGameDecidesWhenItPausesAndEnds) {
  const Replay played = Record(5, Planned(), 500);
  Replay noPause = played;  // the same frames with the pause taken out
  noPause.pauses.clear();
  noPause.result.playFrames = noPause.PlayFramesOf();
  noPause.checkpoints.resize(noPause.result.playFrames / Replay::kCheckpointFrames);
  EXPECT_EQ(Verify(noPause).reason, "the game pauses at frame 300, where the replay plays on");

  const Replay replay = Record(5, Idle, 20000);
  ASSERT_NE(replay.result.end, GameEnd::Quit) << "left alone, the heroine is lost";
  EXPECT_TRUE(Verify(replay).ok);

  Replay longer = replay;  // frames after the game over
  longer.input.push_back({0, 50});
  longer.result.playFrames = longer.PlayFramesOf();
  longer.checkpoints.resize(longer.result.playFrames / Replay::kCheckpointFrames);
  EXPECT_EQ(Verify(longer).reason, "the game was over after " +
                                       std::to_string(replay.result.playFrames) +
                                       " play frames, where the replay goes on");

  Replay unfinished = replay;  // claims the end before it came
  unfinished.input.back().frames -= 10;
  unfinished.result.playFrames = unfinished.PlayFramesOf();
  unfinished.checkpoints.resize(unfinished.result.playFrames / Replay::kCheckpointFrames);
  const Verification v = Verify(unfinished);
  EXPECT_FALSE(v.ok);
  EXPECT_EQ(v.reached.end, GameEnd::Quit);
  EXPECT_NE(v.reason.find(", the game is not over at its end"), std::string::npos) << v.reason;
}

TEST_F(VerifyTest, AGameLeftUnderThePauseMenuIsAQuit) {
  const Replay replay = Record(
      11, [](uint32_t frame, const CPlay*) -> uint16_t { return frame == 100 ? kEscape : 0; }, 180);
  ASSERT_EQ(replay.pauses.size(), 1u);
  EXPECT_EQ(replay.pauses[0].resume, replay.Frames()) << "never resumed";
  EXPECT_EQ(replay.result.end, GameEnd::Quit);
  EXPECT_EQ(replay.result.playFrames, 100u);
  EXPECT_TRUE(Verify(replay).ok);
}

}  // namespace
