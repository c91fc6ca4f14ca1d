#include "wave_packer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "resource_set.h"
#include "system/packed_wave.h"
#include "wave.h"

namespace {

// A 16-bit PCM WAVE file of the given interleaved samples, with an optional chunk after the
// samples (which the packing must keep too).
std::vector<uint8_t> WaveFile(const std::vector<int16_t>& samples, int channels,
                              bool trailingChunk = false) {
  std::vector<uint8_t> out;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
  };
  auto put16 = [&](uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
  };
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(t[i]));
  };
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  tag("RIFF");
  put32(36 + dataBytes + (trailingChunk ? 12 : 0));
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);
  put16(uint16_t(channels));
  put32(22050);
  put32(22050u * 2 * unsigned(channels));
  put16(uint16_t(2 * channels));
  put16(16);
  tag("data");
  put32(dataBytes);
  for (int16_t s : samples) put16(uint16_t(s));
  if (trailingChunk) {
    tag("note");
    put32(4);
    tag("abcd");
  }
  return out;
}

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& wave) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(UnpackWave(PackWave(wave), out));
  return out;
}

// Signals at the edges of the format: silence, full-scale extremes that flip every sample
// (the largest residuals and side values there are), noise, and lengths around a block.
TEST(WavePacker, UnpacksToTheSameBytes) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> any(-32768, 32767);
  for (int channels : {1, 2}) {
    for (size_t frames : {size_t{1}, size_t{4095}, size_t{4096}, size_t{9001}}) {
      std::vector<int16_t> silence(frames * size_t(channels), 0), extremes, noise, tone;
      for (size_t i = 0; i < frames * size_t(channels); ++i) {
        extremes.push_back(int16_t((i / size_t(channels) + i % 2) % 2 ? 32767 : -32768));
        noise.push_back(int16_t(any(random)));
        tone.push_back(int16_t(20000 * std::sin(double(i / size_t(channels)) * 0.01)));
      }
      for (const auto& samples : {silence, extremes, noise, tone}) {
        const std::vector<uint8_t> wave = WaveFile(samples, channels, frames == 9001);
        EXPECT_EQ(RoundTrip(wave), wave) << channels << " channels, " << frames << " frames";
      }
    }
  }
}

// Every sound of the game comes back exactly, and the packing is worth carrying.
TEST(WavePacker, GameSoundsComeBackExactlyAndSmaller) {
  size_t original = 0, packed = 0;
  for (const ResourceEntry& entry : AllResources()) {
    if (entry.type != ResourceType::Wave) continue;
    const std::vector<uint8_t> wave = GenerateResource(entry);
    const std::vector<uint8_t> pack = PackWave(wave);
    std::vector<uint8_t> out;
    ASSERT_TRUE(UnpackWave(pack, out)) << entry.id;
    EXPECT_EQ(out, wave) << entry.id;
    original += wave.size();
    packed += pack.size();
  }
  EXPECT_LT(packed, original * 6 / 10);
}

TEST(WavePacker, RefusesWhatIsNoSixteenBitPcm) {
  std::vector<uint8_t> wave = WaveFile({1, 2, 3, 4}, 2);
  wave[34] = 8;  // bits per sample
  EXPECT_THROW(PackWave(wave), std::invalid_argument);
  EXPECT_THROW(PackWave(std::vector<uint8_t>{'R', 'I', 'F', 'F'}), std::invalid_argument);
}

// Damaged packings are refused, never read past their end, and leave nothing behind: every
// truncation, and random bytes changed in the coded samples.
TEST(WavePacker, DamagedPackingsAreRefused) {
  std::vector<int16_t> samples;
  for (int i = 0; i < 6000; ++i) samples.push_back(int16_t(i * 37 % 20000 - 10000));
  const std::vector<uint8_t> pack = PackWave(WaveFile(samples, 2));
  std::vector<uint8_t> out;
  for (size_t length = 0; length < pack.size(); length += 7) {
    EXPECT_FALSE(UnpackWave(std::span(pack).first(length), out)) << length;
    EXPECT_TRUE(out.empty());
  }
  std::vector<uint8_t> longer = pack;
  longer.push_back(0);
  EXPECT_FALSE(UnpackWave(longer, out));

  std::mt19937 random(11);
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<uint8_t> damaged = pack;
    std::uniform_int_distribution<size_t> at(4, damaged.size() - 1);
    damaged[at(random)] ^= uint8_t(1 + random() % 255);
    if (UnpackWave(damaged, out)) {
      EXPECT_EQ(out.size(), WaveFile(samples, 2).size());  // a change the format cannot notice
    } else {
      EXPECT_TRUE(out.empty());
    }
  }
}

TEST(WavePacker, RefusesHugeClaims) {
  std::vector<uint8_t> pack = PackWave(WaveFile({5, -5}, 2));
  // The frame count follows the magic, the prefix length and the 44-byte prefix.
  const size_t frames = 4 + 4 + 44;
  pack[frames + 3] = 0x7F;
  std::vector<uint8_t> out;
  EXPECT_FALSE(UnpackWave(pack, out));
}

}  // namespace
