#include "automation/frame_audio.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

WaveFormat Pcm(uint32_t rate) { return {1, 2, rate, rate * 4, 4, 16}; }

class FrameAudioTest : public ::testing::Test {
 protected:
  // A stereo 16-bit sound of `frames` sample frames.
  std::unique_ptr<FrameAudioBuffer> Sound(uint32_t rate, uint32_t frames) {
    pcm.assign(size_t{frames} * 4, 0);
    std::unique_ptr<IAudioBuffer> buffer = device.CreateBuffer(Pcm(rate), pcm);
    return std::unique_ptr<FrameAudioBuffer>(static_cast<FrameAudioBuffer*>(buffer.release()));
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) clock->AdvanceFrame();
  }

  std::shared_ptr<FrameAudioClock> clock = std::make_shared<FrameAudioClock>();
  FrameAudioDevice device{clock};
  std::vector<uint8_t> pcm;
};

TEST_F(FrameAudioTest, ASoundPlaysForItsLengthInFramesThenStopsAndRewinds) {
  auto jingle = Sound(22050, 2205);  // 0.1 s: five frames of 1/50 s
  jingle->Play(false);
  Frames(4);
  EXPECT_TRUE(jingle->IsPlaying());
  EXPECT_EQ(jingle->Position(), 4 * 441u);
  Frames(1);
  EXPECT_FALSE(jingle->IsPlaying());
  EXPECT_EQ(jingle->Position(), 0u);
}

TEST_F(FrameAudioTest, RatesThatDoNotDivideByFiftyAdvanceExactly) {
  auto sound = Sound(11025, 100000);
  sound->Play(false);
  Frames(1);
  EXPECT_EQ(sound->Position(), 220u);  // 220.5 frames
  Frames(1);
  EXPECT_EQ(sound->Position(), 441u);
}

TEST_F(FrameAudioTest, LoopingWrapsAndStopKeepsThePosition) {
  auto music = Sound(44100, 1000);
  music->Play(true);
  Frames(1);  // 882
  Frames(1);  // 1764 wraps to 764
  EXPECT_TRUE(music->IsPlaying());
  EXPECT_EQ(music->Position(), 764u);
  music->Stop();
  Frames(3);
  EXPECT_EQ(music->Position(), 764u);
  music->Play(true);
  Frames(1);
  EXPECT_EQ(music->Position(), (764u + 882u) % 1000u);
}

TEST_F(FrameAudioTest, PositionsPastTheEndAreClamped) {
  auto sound = Sound(22050, 500);
  sound->SetPosition(100000);
  EXPECT_EQ(sound->Position(), 500u);
  sound->Play(false);
  Frames(1);
  EXPECT_FALSE(sound->IsPlaying());
  sound->SetPosition(0);
  EXPECT_EQ(sound->Position(), 0u);
}

TEST_F(FrameAudioTest, OnlyLiveBuffersAdvance) {
  auto kept = Sound(22050, 100000);
  Sound(22050, 100000)->Play(true);  // destroyed at once: the clock must forget it
  kept->Play(false);
  Frames(2);
  EXPECT_EQ(kept->Position(), 882u);
}

TEST_F(FrameAudioTest, RefusesWhatARealDeviceCannotPlay) {
  std::vector<uint8_t> bytes(16);
  WaveFormat compressed = Pcm(22050);
  compressed.formatTag = 2;
  EXPECT_EQ(device.CreateBuffer(compressed, bytes), nullptr);
  WaveFormat noBlocks = Pcm(22050);
  noBlocks.blockAlign = 0;
  EXPECT_EQ(device.CreateBuffer(noBlocks, bytes), nullptr);
  EXPECT_EQ(device.CreateBuffer(Pcm(0), bytes), nullptr);
}

}  // namespace
