// Sounds packed without loss: a RIFF WAVE file whose 16-bit PCM is stored as the residuals of
// a fixed polynomial predictor, Rice coded in blocks. Builds that must stay small (the browser
// download) carry their sounds this way; unpacking gives the original file byte for byte.
//
// Layout, little-endian: "MPW1"; u32 length and the bytes of the file before its samples;
// u32 frame count; u16 channels (1 or 2); the coded samples; u32 length and the bytes of the
// file after its samples. The samples come in blocks of kPackedBlockFrames frames. A block
// starts with a stereo mode bit (0 left/right, 1 mid/side; stereo only), then for each channel
// 3 bits of predictor order (0..4) and 5 bits of Rice parameter, then the channel's residuals.
// A residual r is zigzag mapped to u (0, -1, 1, -2 .. become 0, 1, 2, 3 ..), then written as
// u >> k in unary (ones ended by a zero) and the low k bits; a quotient of kPackedEscape or more
// is written as kPackedEscape ones and u in 32 bits. Bits are read most significant first.
// Predictors run across block boundaries; before the first sample every channel's history is 0.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

inline constexpr char kPackedWaveMagic[4] = {'M', 'P', 'W', '1'};
inline constexpr int kPackedBlockFrames = 4096;
inline constexpr int kPackedMaxOrder = 4;
inline constexpr uint32_t kPackedEscape = 32;
// The largest unpacked sample data accepted, so that damaged input cannot ask for gigabytes.
inline constexpr uint64_t kPackedMaxSampleBytes = 64u << 20;

// The prediction of a fixed polynomial predictor of `order` from the previous samples
// h[0] (latest) .. h[3].
inline int32_t PackedPrediction(int order, const int32_t (&h)[4]) {
  switch (order) {
    case 1: return h[0];
    case 2: return 2 * h[0] - h[1];
    case 3: return 3 * h[0] - 3 * h[1] + h[2];
    case 4: return 4 * h[0] - 6 * h[1] + 4 * h[2] - h[3];
    default: return 0;
  }
}

bool IsPackedWave(std::span<const uint8_t> bytes);
// The original file; false (and `out` empty) when the bytes are not a whole, valid packing.
bool UnpackWave(std::span<const uint8_t> packed, std::vector<uint8_t>& out);
