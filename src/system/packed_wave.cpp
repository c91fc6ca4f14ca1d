#include "system/packed_wave.h"

#include <algorithm>
#include <cstring>

#include "system/little_endian.h"

namespace {

class BitReader {
 public:
  explicit BitReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  // False once a read has run past the end; every later read gives 0.
  bool Ok() const { return ok_; }
  size_t BytePosition() const { return (bit_ + 7) / 8; }

  uint32_t Bits(int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 1) | Bit();
    return value;
  }

  uint32_t Bit() {
    if (bit_ >= bytes_.size() * 8) {
      ok_ = false;
      return 0;
    }
    const uint32_t value = (bytes_[bit_ / 8] >> (7 - bit_ % 8)) & 1;
    ++bit_;
    return value;
  }

  // A Rice-coded residual with parameter k.
  int32_t Residual(int k) {
    uint32_t quotient = 0;
    while (quotient < kPackedEscape && Bit() == 1 && ok_) ++quotient;
    uint32_t zigzag = 0;
    if (quotient == kPackedEscape) {
      zigzag = Bits(32);
    } else {
      zigzag = (quotient << k) | Bits(k);
    }
    return static_cast<int32_t>(zigzag >> 1) ^ -static_cast<int32_t>(zigzag & 1);
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t bit_ = 0;
  bool ok_ = true;
};

// Reads a length-prefixed run of bytes at `at` into `out`; false when it does not fit.
bool ReadRun(std::span<const uint8_t> packed, size_t& at, std::vector<uint8_t>& out) {
  if (packed.size() - at < 4) return false;
  const uint32_t length = ReadLe32(packed, at);
  at += 4;
  if (packed.size() - at < length) return false;
  out.insert(out.end(), packed.begin() + ptrdiff_t(at), packed.begin() + ptrdiff_t(at + length));
  at += length;
  return true;
}

void PutSample(std::vector<uint8_t>& out, int32_t sample) {
  const auto value = static_cast<uint16_t>(static_cast<int16_t>(sample));
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Advance(int32_t (&h)[4], int32_t sample) {
  std::memmove(&h[1], &h[0], 3 * sizeof h[0]);
  h[0] = sample;
}

// Decodes one channel of a block into `samples`; false on damaged data.
bool DecodeChannel(BitReader& bits, const int32_t (&history)[4], std::vector<int32_t>& samples) {
  const int order = static_cast<int>(bits.Bits(3));
  const int k = static_cast<int>(bits.Bits(5));
  if (order > kPackedMaxOrder || !bits.Ok()) return false;
  int32_t h[4] = {history[0], history[1], history[2], history[3]};
  for (int32_t& sample : samples) {
    const int64_t value = int64_t{PackedPrediction(order, h)} + bits.Residual(k);
    // Side samples reach 17 bits; anything wider is damage.
    if (value < -(1 << 17) || value >= (1 << 17)) return false;
    sample = static_cast<int32_t>(value);
    Advance(h, sample);
  }
  return bits.Ok();
}

// Decodes the samples of every block; false on damaged data or samples out of 16-bit range.
// Both the left/right and the mid/side histories follow the signal, as the packer keeps them,
// since each block may choose either.
bool DecodeSamples(BitReader& bits, uint32_t frames, int channels, std::vector<uint8_t>& out) {
  int32_t history[2][2][4] = {};  // [mode][channel]
  std::vector<int32_t> block[2];
  for (uint32_t start = 0; start < frames; start += kPackedBlockFrames) {
    const uint32_t count = std::min<uint32_t>(kPackedBlockFrames, frames - start);
    const int mode = channels == 2 ? static_cast<int>(bits.Bit()) : 0;
    for (int c = 0; c < channels; ++c) {
      block[c].resize(count);
      if (!DecodeChannel(bits, history[mode][c], block[c])) return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
      int32_t left = block[0][i];
      int32_t right = channels == 2 ? block[1][i] : 0;
      if (mode == 1) {
        const int32_t side = right;
        const int32_t mid = left * 2 | (side & 1);
        left = (mid + side) >> 1;
        right = (mid - side) >> 1;
      }
      if (left < -32768 || left > 32767 || right < -32768 || right > 32767) return false;
      PutSample(out, left);
      Advance(history[0][0], left);
      if (channels == 2) {
        PutSample(out, right);
        Advance(history[0][1], right);
        Advance(history[1][0], (left + right) >> 1);
        Advance(history[1][1], left - right);
      }
    }
  }
  return true;
}

}  // namespace

bool IsPackedWave(std::span<const uint8_t> bytes) {
  return bytes.size() >= 4 && std::memcmp(bytes.data(), kPackedWaveMagic, 4) == 0;
}

bool UnpackWave(std::span<const uint8_t> packed, std::vector<uint8_t>& out) {
  out.clear();
  size_t at = 4;
  if (!IsPackedWave(packed) || !ReadRun(packed, at, out) || packed.size() - at < 6) {
    out.clear();
    return false;
  }
  const uint32_t frames = ReadLe32(packed, at);
  const int channels = ReadLe16(packed, at + 4);
  at += 6;
  if ((channels != 1 && channels != 2) ||
      uint64_t{frames} * unsigned(channels) * 2 > kPackedMaxSampleBytes) {
    out.clear();
    return false;
  }
  out.reserve(out.size() + size_t{frames} * unsigned(channels) * 2);
  BitReader bits(packed.subspan(at));
  if (!DecodeSamples(bits, frames, channels, out)) {
    out.clear();
    return false;
  }
  at += bits.BytePosition();
  if (!ReadRun(packed, at, out) || at != packed.size()) {
    out.clear();
    return false;
  }
  return true;
}
