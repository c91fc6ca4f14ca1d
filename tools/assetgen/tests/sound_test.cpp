// Levels, loop seams, attacks and endings of the sounds the game carries, and the note
// notation and loop folding of the music renderer.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "decoded.h"
#include "score.h"
#include "sounds.h"
#include "synth.h"

namespace {

const Stereo& Embedded(int id) {
  static std::map<int, Stereo> cache;
  auto it = cache.find(id);
  if (it == cache.end()) it = cache.emplace(id, DecodeWave(EmbeddedWave(id))).first;
  return it->second;
}

// RMS in dBFS of frames [from, to).
double RmsDb(const Stereo& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i)
    sum += double{s.left[i]} * s.left[i] + double{s.right[i]} * s.right[i];
  return 10 * std::log10(std::max(sum / (2.0 * (to - from)), 1e-18));
}

double PeakOf(const Stereo& s, size_t from, size_t to) {
  double peak = 0;
  for (size_t i = from; i < to; ++i)
    peak = std::max({peak, std::fabs(double{s.left[i]}), std::fabs(double{s.right[i]})});
  return peak;
}

TEST(SoundLevels, NoSampleReachesFullScaleAndPeaksStayUnderMinusOneDb) {
  for (const WaveSpec& spec : WaveSpecs()) {
    const Stereo& sound = Embedded(spec.id);
    const double peak = PeakOf(sound, 0, sound.Frames());
    EXPECT_LT(peak * 32767, 32767.0) << spec.id;
    EXPECT_LE(20 * std::log10(peak), kMaxPeakDb) << spec.id;
    EXPECT_GT(20 * std::log10(peak), -12.0) << spec.id << " is nearly silent";
  }
}

TEST(SoundLevels, EffectsSitAboveTheMusic) {
  const double music = std::max(Measure(Embedded(208)).loudDb, Measure(Embedded(211)).loudDb);
  for (int effect : {202, 204, 205, 206, 209})
    EXPECT_GE(Measure(Embedded(effect)).loudDb, music + 4.0) << effect;
}

TEST(SoundShape, MenuSoundsAreHeardAtOnce) {
  const Stereo& cursor = Embedded(205);
  const Stereo& decide = Embedded(206);
  // The cursor blip has reached its peak within 10 ms; the decide sound, cut 20 ms in when
  // a scene changes, has already played at nearly full loudness.
  EXPECT_GE(PeakOf(cursor, 0, 441), 0.9 * PeakOf(cursor, 0, cursor.Frames()));
  EXPECT_GE(RmsDb(decide, 0, 882), Measure(decide).loudDb - 3.0);
  // Auto-repeat restarts the blip every 60 ms: by then it has mostly died away.
  EXPECT_LE(RmsDb(cursor, 2646, 3528), RmsDb(cursor, 0, 882) - 12.0);
}

TEST(SoundShape, OneShotsEndInSilenceWithoutAClick) {
  for (const WaveSpec& spec : WaveSpecs()) {
    if (spec.loops) continue;
    const Stereo& sound = Embedded(spec.id);
    const size_t lastMs = sound.rate / 1000;
    EXPECT_LE(PeakOf(sound, sound.Frames() - lastMs, sound.Frames()), 0.002) << spec.id;
  }
}

TEST(SoundShape, MusicLoopsWithoutAJumpAtTheSeam) {
  for (int id : {208, 211}) {
    const Stereo& music = Embedded(id);
    // The last frame flows into the first like any ordinary pair of neighbours.
    EXPECT_LE(LoopSeamJump(music), StepQuantile(music, 0.9)) << id;
    // And there is no gap: the music plays through its first and last 50 ms.
    const size_t window = music.rate / 20;
    EXPECT_GT(RmsDb(music, 0, window), -40.0) << id;
    EXPECT_GT(RmsDb(music, music.Frames() - window, music.Frames()), -40.0) << id;
  }
}

TEST(ScoreNotation, ParsesKeysChordsRestsAndGate) {
  EXPECT_EQ(ParseKey("C4"), 60);
  EXPECT_EQ(ParseKey("Bb4"), 70);
  EXPECT_EQ(ParseKey("F#5"), 78);
  EXPECT_EQ(ParseKey("A0"), 21);
  EXPECT_THROW(ParseKey("H4"), std::invalid_argument);
  EXPECT_THROW(ParseKey("C"), std::invalid_argument);
  EXPECT_THROW(ParseKey("C#"), std::invalid_argument);

  Score score;
  const double end = score.AddLine(1, 2.0, "C4+E4:1 r:0.5 G4:1.5", 90, 0.5);
  EXPECT_DOUBLE_EQ(end, 5.0);
  ASSERT_EQ(score.notes.size(), 3u);
  EXPECT_EQ(score.notes[1].key, 64);
  EXPECT_DOUBLE_EQ(score.notes[1].beat, 2.0);
  EXPECT_DOUBLE_EQ(score.notes[1].length, 0.5);
  EXPECT_DOUBLE_EQ(score.notes[2].beat, 3.5);
  EXPECT_DOUBLE_EQ(score.notes[2].length, 0.75);
  EXPECT_THROW(score.AddLine(0, 0, "C4", 90), std::invalid_argument);
}

TEST(ScorePerformance, ALoopCarriesTheTailOfItsEndIntoItsStart) {
  constexpr int kRate = 22050;
  Score score;
  score.secondsPerBeat = 0.5;
  score.instruments = {{0, 48, 110, 64, 0}};
  score.AddNote(0, 3.0, 1.5, 60, 110);  // strings held past the end of a 4-beat loop
  const size_t frames = 4 * kRate / 2;
  const Stereo loop = PerformLoop(score, kRate, frames);
  const Stereo once = PerformOnce(score, kRate, frames);
  EXPECT_GT(RmsDb(loop, 0, kRate / 10), -50.0);   // the held note sounds at the start
  EXPECT_LT(RmsDb(once, 0, kRate / 10), -100.0);  // but not when played once
  EXPECT_LE(LoopSeamJump(loop), StepQuantile(loop, 0.99));
}

TEST(Synth, NoiseAndEffectsRepeatExactly) {
  Noise a(7), b(7);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(), b.Next());
  const Stereo first = RenderSound(209), second = RenderSound(209);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(first.right, second.right);
}

}  // namespace
