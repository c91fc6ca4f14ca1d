// Reader of RIFF WAVE data held in memory.
#pragma once

#include <cstdint>
#include <span>

#include "system/audio_device.h"

struct WaveData {
  WaveFormat format;
  std::span<const uint8_t> pcm;  // a view into the parsed bytes
};

// Finds the "fmt " chunk (16 bytes or more; PCM only) and the "data" chunk after it. A chunk
// that claims more bytes than there are is clipped to what is there, and the samples are cut
// to whole frames. False when the data is no PCM WAVE or holds no whole frame.
bool ParseWave(std::span<const uint8_t> bytes, WaveData& wave);
