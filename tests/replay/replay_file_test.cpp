// The replay file: what is written reads back the same, and anything damaged, cut short, foreign
// or impossible is refused with its reason.
#include <gtest/gtest.h>

#include "replay/replay.h"

namespace {

// A short game: held Down from the title, a pause from frame 40 to 90, then a cut-off.
Replay SmallReplay() {
  Replay replay;
  replay.gameVersion = "1.0.0";
  replay.seed = 0xC0FFEE;
  replay.holdFrames[1] = 7;
  replay.input = {{0x002, 3}, {0x000, 30}, {0x040 | 0x100, 2}, {0x000, 300}, {0x090, 45}};
  replay.pauses = {{40, 90}};
  replay.result = {123400, 17, 3, 0, GameEnd::CutOff};
  replay.result.playFrames = replay.PlayFramesOf();
  replay.pointer = {{35, 400, 300, PointerSample::kTapped}, {100, 799, 599, PointerSample::kDown}};
  replay.checkpoints = {0x0123456789ABCDEFull};
  return replay;
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  Replay replay;
  std::string error;
  if (DecodeReplay(bytes, replay, error)) return "";
  EXPECT_EQ(replay, Replay{}) << "a refused file leaves no half-read replay";
  EXPECT_EQ(error.find('\n'), std::string::npos);
  return error;
}

// Encodes a replay that may break the rules, as a forger would, with a valid checksum.
std::vector<uint8_t> Forged(const Replay& replay) { return EncodeReplay(replay); }

TEST(ReplayFile, ReadsBackWhatWasWritten) {
  const Replay written = SmallReplay();
  ASSERT_EQ(ReplayProblem(written), "");
  EXPECT_EQ(written.Frames(), 380u);
  EXPECT_EQ(written.PlayFramesOf(), 330u);
  Replay read;
  std::string error;
  ASSERT_TRUE(DecodeReplay(EncodeReplay(written), read, error)) << error;
  EXPECT_EQ(read, written);
}

TEST(ReplayFile, HalfAnHourOfBusyInputFitsIn64Kilobytes) {
  // A change of buttons every 10 frames for 90,000 frames, one checkpoint every 250.
  Replay replay;
  replay.gameVersion = "1.0.0";
  for (uint32_t frame = 0; frame < 90000; frame += 10)
    replay.input.push_back({static_cast<uint16_t>(frame / 10 % 512), 10});
  replay.result.playFrames = 90000;
  replay.checkpoints.assign(360, 0xFFFFFFFFFFFFFFFFull);
  ASSERT_EQ(ReplayProblem(replay), "");
  EXPECT_LE(EncodeReplay(replay).size(), 64u * 1024);
}

TEST(ReplayFile, EverySingleBitFlipIsRefused) {
  const std::vector<uint8_t> good = EncodeReplay(SmallReplay());
  for (size_t bit = 0; bit < good.size() * 8; ++bit) {
    std::vector<uint8_t> damaged = good;
    damaged[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    EXPECT_NE(DecodeError(damaged), "") << "bit " << bit;
  }
}

TEST(ReplayFile, DamageIsNamed) {
  const std::vector<uint8_t> good = EncodeReplay(SmallReplay());
  std::vector<uint8_t> flipped = good;
  flipped[20] ^= 4;
  EXPECT_EQ(DecodeError(flipped), "damaged: its checksum does not match");
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_EQ(DecodeError(longer), "damaged: 1 bytes after its end");
  for (size_t size : {good.size() - 1, size_t{30}, size_t{14}})
    EXPECT_EQ(DecodeError({good.begin(), good.begin() + static_cast<ptrdiff_t>(size)}),
              "truncated: " + std::to_string(size) + " bytes of " + std::to_string(good.size()));
  EXPECT_EQ(DecodeError({good.begin(), good.begin() + 9}), "truncated: 9 bytes, not even a header");
  // Cut anywhere, it is refused.
  for (size_t size = 0; size < good.size(); ++size)
    EXPECT_NE(DecodeError({good.begin(), good.begin() + static_cast<ptrdiff_t>(size)}), "");
}

TEST(ReplayFile, ForeignFilesAreNotReplays) {
  EXPECT_EQ(DecodeError({}), "not a replay file");
  const std::string png = "\x89PNG\r\n\x1a\n and the rest";
  EXPECT_EQ(DecodeError({png.begin(), png.end()}), "not a replay file");
  std::vector<uint8_t> newer = EncodeReplay(SmallReplay());
  newer[8] = 2;
  EXPECT_EQ(DecodeError(newer),
            "replay format 2 is not one this version reads (1): made by a newer version");
}

TEST(ReplayFile, ImpossibleReplaysAreRefusedEvenWithAGoodChecksum) {
  Replay billion = SmallReplay();
  billion.input.back().frames = 1'000'000'000;
  EXPECT_EQ(DecodeError(Forged(billion)), "impossible: more than 10000000 frames in all");

  Replay claimsMore = SmallReplay();
  claimsMore.result.playFrames = 1'000'000'000;
  EXPECT_EQ(DecodeError(Forged(claimsMore)),
            "impossible: 1000000000 play frames, more than 1000000");

  Replay wrongCount = SmallReplay();
  wrongCount.result.playFrames += 1;
  EXPECT_EQ(DecodeError(Forged(wrongCount)),
            "impossible: a result of 331 play frames where its input has 330");

  Replay pauseAtStart = SmallReplay();
  pauseAtStart.pauses = {{0, 5}};
  pauseAtStart.result.playFrames = pauseAtStart.PlayFramesOf();
  pauseAtStart.checkpoints.clear();
  EXPECT_EQ(DecodeError(Forged(pauseAtStart)), "impossible: a pause out of order (frames 0 to 5)");

  Replay overGame = SmallReplay();
  overGame.pauses = {{40, 90}, {100, overGame.Frames()}};
  overGame.result.playFrames = overGame.PlayFramesOf();
  EXPECT_EQ(DecodeError(Forged(overGame)), "impossible: a game over under the pause menu");

  Replay noCheckpoints = SmallReplay();
  noCheckpoints.checkpoints.clear();
  EXPECT_EQ(DecodeError(Forged(noCheckpoints)), "impossible: 0 checkpoints for 330 play frames");

  Replay badButtons = SmallReplay();
  badButtons.input[0].buttons = 0x200;
  EXPECT_NE(DecodeError(Forged(badButtons)), "") << "a tenth button";
  Replay offScreen = SmallReplay();
  offScreen.pointer[1].x = 800;
  EXPECT_EQ(DecodeError(Forged(offScreen)), "impossible: pointer input off the screen (frame 100)");
  Replay downAndTapped = SmallReplay();
  downAndTapped.pointer[0].flags = PointerSample::kDown | PointerSample::kTapped;
  EXPECT_EQ(DecodeError(Forged(downAndTapped)),
            "impossible: pointer input that cannot be (frame 35)");
  Replay twice = SmallReplay();
  twice.pointer[1].frame = 35;
  EXPECT_EQ(DecodeError(Forged(twice)), "impossible: pointer input out of order (frame 35)");

  Replay badCounter = SmallReplay();
  badCounter.holdFrames[0] = 11;
  EXPECT_EQ(DecodeError(Forged(badCounter)), "impossible: a hold counter out of range");
}

}  // namespace
