// Stereo sound in floating point, its levels, and the RIFF WAVE files the game reads
// (16-bit stereo PCM, a 16-byte "fmt " chunk, then "data").
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Stereo {
  int rate = 44100;
  std::vector<float> left, right;

  Stereo() = default;
  Stereo(int sampleRate, size_t frames) : rate(sampleRate), left(frames), right(frames) {}
  size_t Frames() const { return left.size(); }
};

struct Levels {
  double peakDb;  // the largest sample, in dB relative to full scale
  double rmsDb;   // over the whole sound
  double loudDb;  // RMS of the loudest 50 ms: how loud it is heard
};

Levels Measure(const Stereo& sound);

// The jump from the last frame to the first, as heard when the sound loops (largest of the
// two channels).
double LoopSeamJump(const Stereo& sound);
// The given quantile (0..1) of the sample-to-sample changes inside the sound.
double StepQuantile(const Stereo& sound, double quantile);

// The jump from the last frame to the first, as heard when the sound loops (largest of the
// two channels).
double LoopSeamJump(const Stereo& sound);
// The given quantile (0..1) of the sample-to-sample changes inside the sound.
double StepQuantile(const Stereo& sound, double quantile);

// Scales the sound uniformly so that its loudest 50 ms sit at `loudDb`, but never lets the
// peak exceed `maxPeakDb`.
void ScaleToLoudness(Stereo& sound, double loudDb, double maxPeakDb);

// 16-bit samples, rounded; anything beyond full scale is clamped.
std::vector<uint8_t> EncodeWave(const Stereo& sound);

constexpr size_t kWaveHeaderSize = 44;
