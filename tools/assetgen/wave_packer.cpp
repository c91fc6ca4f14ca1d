#include "wave_packer.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "system/little_endian.h"
#include "system/packed_wave.h"
#include "system/riff.h"

namespace {

class BitWriter {
 public:
  void Bits(uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) Bit((value >> i) & 1);
  }
  void Bit(uint32_t bit) {
    if (used_ % 8 == 0) bytes_.push_back(0);
    if (bit) bytes_.back() |= uint8_t(0x80 >> (used_ % 8));
    ++used_;
  }
  void Residual(int32_t residual, int k) {
    const uint32_t zigzag = Zigzag(residual);
    const uint32_t quotient = zigzag >> k;
    if (quotient >= kPackedEscape) {
      Bits(~0u, int(kPackedEscape));
      Bits(zigzag, 32);
      return;
    }
    for (uint32_t i = 0; i < quotient; ++i) Bit(1);
    Bit(0);
    Bits(zigzag & ((1u << k) - 1), k);
  }
  static uint32_t Zigzag(int32_t r) { return (uint32_t(r) << 1) ^ uint32_t(r >> 31); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  uint64_t used_ = 0;
};

uint64_t RiceBits(const std::vector<int32_t>& residuals, int k) {
  uint64_t bits = 0;
  for (int32_t r : residuals) {
    const uint32_t quotient = BitWriter::Zigzag(r) >> k;
    bits += quotient >= kPackedEscape ? kPackedEscape + 32 : quotient + 1 + unsigned(k);
  }
  return bits;
}

// The residuals of one channel's block under a predictor order, starting from `history`.
std::vector<int32_t> Residuals(const std::vector<int32_t>& samples, int order,
                               const int32_t (&history)[4]) {
  int32_t h[4] = {history[0], history[1], history[2], history[3]};
  std::vector<int32_t> residuals(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    residuals[i] = samples[i] - PackedPrediction(order, h);
    h[3] = h[2], h[2] = h[1], h[1] = h[0], h[0] = samples[i];
  }
  return residuals;
}

struct ChannelCoding {
  int order = 0;
  int k = 0;
  uint64_t bits = ~uint64_t{0};
  std::vector<int32_t> residuals;
};

// The cheapest order and Rice parameter for one channel's block. The best parameter lies near
// the logarithm of the mean residual; its neighbours are tried too.
ChannelCoding BestCoding(const std::vector<int32_t>& samples, const int32_t (&history)[4]) {
  ChannelCoding best;
  for (int order = 0; order <= kPackedMaxOrder; ++order) {
    std::vector<int32_t> residuals = Residuals(samples, order, history);
    uint64_t sum = 0;
    for (int32_t r : residuals) sum += BitWriter::Zigzag(r);
    const int guess = std::bit_width(sum / std::max<size_t>(1, residuals.size()));
    for (int k = std::max(0, guess - 2); k <= std::min(31, guess + 1); ++k) {
      const uint64_t bits = RiceBits(residuals, k);
      if (bits < best.bits) best = {order, k, bits, residuals};
    }
  }
  return best;
}

void Advance(int32_t (&history)[4], const std::vector<int32_t>& samples) {
  for (int32_t s : samples)
    history[3] = history[2], history[2] = history[1], history[1] = history[0], history[0] = s;
}

void PutRun(std::vector<uint8_t>& out, std::span<const uint8_t> run) {
  PutLe32(out, uint32_t(run.size()));
  out.insert(out.end(), run.begin(), run.end());
}

}  // namespace

std::vector<uint8_t> PackWave(std::span<const uint8_t> wave) {
  WaveData data;
  if (!ParseWave(wave, data) || data.format.bitsPerSample != 16 ||
      (data.format.channels != 1 && data.format.channels != 2))
    throw std::invalid_argument("not a 16-bit PCM WAVE file");
  const int channels = data.format.channels;
  const size_t begin = size_t(data.pcm.data() - wave.data());
  const uint32_t frames = uint32_t(data.pcm.size() / (2 * size_t(channels)));

  std::vector<uint8_t> out(kPackedWaveMagic, kPackedWaveMagic + 4);
  PutRun(out, wave.first(begin));
  PutLe32(out, frames);
  out.push_back(uint8_t(channels));
  out.push_back(0);

  BitWriter bits;
  int32_t history[2][2][4] = {};  // [mode][channel]: left/right and mid/side histories
  for (uint32_t start = 0; start < frames; start += kPackedBlockFrames) {
    const uint32_t count = std::min<uint32_t>(kPackedBlockFrames, frames - start);
    std::vector<int32_t> plain[2], midSide[2];
    for (uint32_t i = 0; i < count; ++i) {
      for (int c = 0; c < channels; ++c) {
        const size_t at = (size_t(start + i) * unsigned(channels) + unsigned(c)) * 2;
        plain[c].push_back(int16_t(data.pcm[at] | data.pcm[at + 1] << 8));
      }
      if (channels == 2) {
        midSide[0].push_back((plain[0][i] + plain[1][i]) >> 1);
        midSide[1].push_back(plain[0][i] - plain[1][i]);
      }
    }
    ChannelCoding codings[2][2];
    uint64_t cost[2] = {0, 0};
    for (int mode = 0; mode < (channels == 2 ? 2 : 1); ++mode) {
      for (int c = 0; c < channels; ++c) {
        codings[mode][c] = BestCoding(mode ? midSide[c] : plain[c], history[mode][c]);
        cost[mode] += codings[mode][c].bits;
      }
    }
    const int mode = channels == 2 && cost[1] < cost[0] ? 1 : 0;
    if (channels == 2) bits.Bit(uint32_t(mode));
    for (int c = 0; c < channels; ++c) {
      const ChannelCoding& coding = codings[mode][c];
      bits.Bits(uint32_t(coding.order), 3);
      bits.Bits(uint32_t(coding.k), 5);
      for (int32_t r : coding.residuals) bits.Residual(r, coding.k);
    }
    // Both histories follow the signal, so either mode can be chosen for the next block.
    for (int c = 0; c < channels; ++c) {
      Advance(history[0][c], plain[c]);
      if (channels == 2) Advance(history[1][c], midSide[c]);
    }
  }
  out.insert(out.end(), bits.Bytes().begin(), bits.Bytes().end());
  PutRun(out, wave.subspan(begin + data.pcm.size()));
  return out;
}
