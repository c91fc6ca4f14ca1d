// Packs a 16-bit PCM WAVE file without loss (see system/packed_wave.h for the layout).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Throws std::invalid_argument when the file is no 16-bit mono or stereo PCM WAVE.
std::vector<uint8_t> PackWave(std::span<const uint8_t> wave);
