// Every sound the game carries: rate, length, and how it is made.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "system/resource_ids.h"
#include "wave.h"

using WaveSpec = WaveResource;

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
