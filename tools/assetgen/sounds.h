// Every sound the game carries: rate, length, and how it is made.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "wave.h"

struct WaveSpec {
  int id;
  int rate;
  double seconds;
  bool music;  // played at the music volume; the others sit above it as effects
  bool loops;  // the whole buffer repeats, so its end must flow into its start
};

std::span<const WaveSpec> WaveSpecs();
const WaveSpec* FindWaveSpec(int id);

// round(rate x seconds): the exact frame count of the sound.
size_t FrameCount(const WaveSpec& spec);

// The finished sound at its final level.
Stereo RenderSound(int id);

// The WAVE resource.
std::vector<uint8_t> GenerateWave(int id);

// The peak every sound stays under (dBFS).
constexpr double kMaxPeakDb = -1.0;
