#include "system/mixer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <span>
#include <vector>

namespace {

// A voice whose every frame holds the same left and right sample.
std::vector<int16_t> Constant(size_t frames, int16_t left, int16_t right) {
  std::vector<int16_t> samples;
  for (size_t i = 0; i < frames; ++i) {
    samples.push_back(left);
    samples.push_back(right);
  }
  return samples;
}

// A voice counting 0, 1, 2 ... on both channels, so the output tells which frame was played.
std::vector<int16_t> Ramp(size_t frames) {
  std::vector<int16_t> samples;
  for (size_t i = 0; i < frames; ++i) {
    samples.push_back(static_cast<int16_t>(i));
    samples.push_back(static_cast<int16_t>(i));
  }
  return samples;
}

std::vector<int16_t> MixFrames(Mixer& mixer, size_t frames) {
  std::vector<int16_t> out(frames * 2, 12345);
  mixer.Mix(out.data(), frames);
  return out;
}

}  // namespace

TEST(MixerVolume, AttenuationInHundredthsOfDecibelBecomesGain) {
  EXPECT_DOUBLE_EQ(VolumeToGain(0), 1.0);
  EXPECT_NEAR(VolumeToGain(-600), 0.501, 0.001);   // -6 dB is about half
  EXPECT_NEAR(VolumeToGain(-2000), 0.1, 1e-12);    // -20 dB is a tenth
  EXPECT_NEAR(VolumeToGain(-10000), 1e-5, 1e-12);  // the floor
  EXPECT_DOUBLE_EQ(VolumeToGain(250), 1.0);        // no amplification
  EXPECT_DOUBLE_EQ(VolumeToGain(-12000), VolumeToGain(-10000));
}

TEST(MixerVolume, VoiceVolumeScalesItsSamples) {
  Mixer mixer;
  MixerVoice voice(Constant(8, 10000, -10000));
  mixer.Attach(&voice);
  voice.SetVolume(-2000);
  voice.Play(false);
  const auto out = MixFrames(mixer, 4);
  EXPECT_NEAR(out[0], 1000, 1);
  EXPECT_NEAR(out[1], -1000, 1);
  voice.SetVolume(-10000);
  EXPECT_EQ(MixFrames(mixer, 1)[0], 0);  // the floor is silence at 16 bits
  EXPECT_EQ(voice.Volume(), -10000);
}

TEST(MixerPlayback, SilentWhenNothingPlaysAndStoppedVoicesDoNotAdvance) {
  Mixer mixer;
  MixerVoice voice(Ramp(16));
  mixer.Attach(&voice);
  EXPECT_EQ(MixFrames(mixer, 4), std::vector<int16_t>(8, 0));
  EXPECT_EQ(voice.Position(), 0u);
  EXPECT_FALSE(voice.IsPlaying());
}

TEST(MixerPlayback, OneShotStopsAtItsEndAndRewinds) {
  Mixer mixer;
  MixerVoice voice(Ramp(5));
  mixer.Attach(&voice);
  voice.Play(false);
  const auto out = MixFrames(mixer, 8);
  EXPECT_EQ(out, (std::vector<int16_t>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(voice.IsPlaying());
  EXPECT_EQ(voice.Position(), 0u);
}

TEST(MixerPlayback, EndingExactlyOnTheLastFrameReportsStoppedAtOnce) {
  Mixer mixer;
  MixerVoice voice(Ramp(4));
  mixer.Attach(&voice);
  voice.Play(false);
  MixFrames(mixer, 4);
  EXPECT_FALSE(voice.IsPlaying());
}

TEST(MixerPlayback, LoopingWrapsAroundWithinOneMix) {
  Mixer mixer;
  MixerVoice voice(Ramp(3));
  mixer.Attach(&voice);
  voice.SetPosition(1);
  voice.Play(true);
  const auto out = MixFrames(mixer, 7);
  EXPECT_EQ(out, (std::vector<int16_t>{1, 1, 2, 2, 0, 0, 1, 1, 2, 2, 0, 0, 1, 1}));
  EXPECT_TRUE(voice.IsPlaying());
  EXPECT_EQ(voice.Position(), 2u);
}

TEST(MixerPlayback, StopKeepsThePositionAndPlayResumesThere) {
  Mixer mixer;
  MixerVoice voice(Ramp(10));
  mixer.Attach(&voice);
  voice.Play(false);
  MixFrames(mixer, 3);
  voice.Stop();
  EXPECT_EQ(MixFrames(mixer, 2), std::vector<int16_t>(4, 0));
  EXPECT_EQ(voice.Position(), 3u);
  voice.Play(false);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{3, 3}));
  voice.SetPosition(0);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{0, 0}));
}

TEST(MixerPlayback, PositionPastTheEndIsClampedAndPlaysNothing) {
  Mixer mixer;
  MixerVoice voice(Ramp(4));
  mixer.Attach(&voice);
  voice.SetPosition(100);
  EXPECT_EQ(voice.Position(), 4u);
  voice.Play(false);
  EXPECT_EQ(MixFrames(mixer, 2), std::vector<int16_t>(4, 0));
  EXPECT_FALSE(voice.IsPlaying());
}

TEST(MixerPlayback, EmptyLoopingVoiceDoesNotHang) {
  Mixer mixer;
  MixerVoice voice(std::vector<int16_t>{});
  mixer.Attach(&voice);
  voice.Play(true);
  EXPECT_EQ(MixFrames(mixer, 3), std::vector<int16_t>(6, 0));
  EXPECT_FALSE(voice.IsPlaying());
}

// A voice can read its samples where they lie, at any alignment (a resource's), without a copy:
// what is there when it plays is what is heard.
TEST(MixerPlayback, AVoiceReadsBytesWhereTheyLie) {
  const std::vector<int16_t> frames = Constant(3, 1000, -32768);
  std::vector<uint8_t> bytes(1 + frames.size() * sizeof(int16_t) + 1);  // odd start, odd tail
  std::memcpy(bytes.data() + 1, frames.data(), frames.size() * sizeof(int16_t));
  MixerVoice voice(std::span<const uint8_t>(bytes).subspan(1), nullptr);
  EXPECT_EQ(voice.FrameCount(), 3u) << "the byte short of a frame is no frame";

  Mixer mixer;
  mixer.Attach(&voice);
  voice.Play(false);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{1000, -32768}));
  const int16_t changed = 32767;
  std::memcpy(bytes.data() + 1 + 4, &changed, sizeof changed);  // the second frame's left
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{32767, -32768, 1000, -32768}));
  EXPECT_FALSE(voice.IsPlaying());
}

TEST(MixerSum, TwoVoicesAddAndTheSumIsClamped) {
  Mixer mixer;
  MixerVoice a(Constant(4, 1000, -30000));
  MixerVoice b(Constant(4, 2000, -30000));
  mixer.Attach(&a);
  mixer.Attach(&b);
  a.Play(false);
  b.Play(false);
  auto out = MixFrames(mixer, 1);
  EXPECT_EQ(out[0], 3000);
  EXPECT_EQ(out[1], -32768);

  MixerVoice c(Constant(4, 30000, 0));
  MixerVoice d(Constant(4, 30000, 0));
  Mixer loud;
  loud.Attach(&c);
  loud.Attach(&d);
  c.Play(false);
  d.Play(false);
  EXPECT_EQ(MixFrames(loud, 1)[0], 32767);
}

TEST(MixerSum, MixesLongRequestsInChunksWithoutLosingFrames) {
  Mixer mixer;
  MixerVoice voice(Ramp(3000));
  mixer.Attach(&voice);
  voice.Play(false);
  const auto out = MixFrames(mixer, 2500);
  for (size_t frame : {0u, 1023u, 1024u, 2048u, 2499u}) {
    EXPECT_EQ(out[frame * 2], static_cast<int16_t>(frame)) << frame;
  }
  EXPECT_EQ(voice.Position(), 2500u);
}

TEST(MixerVoices, DetachedVoicesAreNotHeardAndAttachIsIdempotent) {
  Mixer mixer;
  MixerVoice voice(Constant(4, 500, 500));
  mixer.Attach(&voice);
  mixer.Attach(&voice);
  EXPECT_EQ(mixer.VoiceCount(), 1u);
  voice.Play(false);
  EXPECT_EQ(MixFrames(mixer, 1)[0], 500);
  mixer.Detach(&voice);
  EXPECT_EQ(MixFrames(mixer, 1)[0], 0);
  EXPECT_EQ(mixer.VoiceCount(), 0u);
}

TEST(MixerVoices, SkipAdvancesTimeLikeMixing) {
  Mixer mixer;
  MixerVoice once(Ramp(10));
  MixerVoice looped(Ramp(4));
  mixer.Attach(&once);
  mixer.Attach(&looped);
  once.Play(false);
  looped.Play(true);
  mixer.Skip(6);
  EXPECT_EQ(once.Position(), 6u);
  EXPECT_EQ(looped.Position(), 2u);
  mixer.Skip(10);
  EXPECT_FALSE(once.IsPlaying());
  EXPECT_TRUE(looped.IsPlaying());
}
