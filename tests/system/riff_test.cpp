#include "system/riff.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "fakes/fake_resources.h"

namespace {

std::vector<uint8_t> Samples(size_t n) {
  std::vector<uint8_t> pcm(n);
  for (size_t i = 0; i < n; ++i) pcm[i] = uint8_t(i * 7 + 1);
  return pcm;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

// Offsets in a file made by BuildWave.
constexpr size_t kRiffSize = 4, kFmtSize = 16, kFormatTag = 20, kBlockAlign = 32, kDataSize = 40,
                 kData = 44;

}  // namespace

TEST(ParseWave, ReadsFormatAndSamples) {
  const auto pcm = Samples(400);
  const auto file = BuildWave(44100, 2, 16, pcm);
  WaveData wave;
  ASSERT_TRUE(ParseWave(file, wave));
  EXPECT_EQ(wave.format.formatTag, 1);
  EXPECT_EQ(wave.format.channels, 2);
  EXPECT_EQ(wave.format.samplesPerSec, 44100u);
  EXPECT_EQ(wave.format.avgBytesPerSec, 44100u * 4);
  EXPECT_EQ(wave.format.blockAlign, 4);
  EXPECT_EQ(wave.format.bitsPerSample, 16);
  ASSERT_EQ(wave.pcm.size(), pcm.size());
  EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), wave.pcm.begin()));
  EXPECT_EQ(wave.pcm.data(), file.data() + kData);  // a view, no copy
}

TEST(ParseWave, SkipsOtherChunksAndTakesAnExtendedFormat) {
  auto file = BuildWave(32000, 1, 16, Samples(10));
  // An 18-byte "fmt " (with the extra-size word) and a "LIST" chunk of odd size before "data".
  std::vector<uint8_t> out(file.begin(), file.begin() + 36);
  out[kFmtSize] = 18;
  out.insert(out.end(), {0, 0});
  const uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  out.insert(out.end(), std::begin(list), std::end(list));
  out.insert(out.end(), file.begin() + 36, file.end());
  Put32(out, kRiffSize, uint32_t(out.size() - 8));
  WaveData wave;
  ASSERT_TRUE(ParseWave(out, wave));
  EXPECT_EQ(wave.format.samplesPerSec, 32000u);
  EXPECT_EQ(wave.pcm.size(), 10u);
}

TEST(ParseWave, ClipsDataToWhatIsThereInWholeFrames) {
  auto file = BuildWave(44100, 2, 16, Samples(400));
  Put32(file, kDataSize, 1000000);  // claims far more than the file holds
  file.resize(kData + 203);         // and the file ends inside a frame
  Put32(file, kRiffSize, 1000000);
  WaveData wave;
  ASSERT_TRUE(ParseWave(file, wave));
  EXPECT_EQ(wave.pcm.size(), 200u);
  EXPECT_EQ(wave.pcm.data() + wave.pcm.size(), file.data() + kData + 200);
}

TEST(ParseWave, RejectsWhatIsNoPcmWave) {
  const auto good = BuildWave(44100, 2, 16, Samples(16));
  WaveData wave;
  auto with = [&](size_t at, uint8_t value) {
    auto b = good;
    b[at] = value;
    return b;
  };
  EXPECT_FALSE(ParseWave(with(0, 'X'), wave));          // not RIFF
  EXPECT_FALSE(ParseWave(with(8, 'X'), wave));          // not WAVE
  EXPECT_FALSE(ParseWave(with(12, 'X'), wave));         // no "fmt "
  EXPECT_FALSE(ParseWave(with(kFormatTag, 3), wave));   // IEEE float, not PCM
  EXPECT_FALSE(ParseWave(with(kFmtSize, 14), wave));    // format chunk too short
  EXPECT_FALSE(ParseWave(with(kBlockAlign, 0), wave));  // frames of no size
  EXPECT_FALSE(ParseWave(with(36, 'X'), wave));         // no "data"
  auto empty = good;
  Put32(empty, kDataSize, 0);
  EXPECT_FALSE(ParseWave(empty, wave));  // not one whole frame
  auto huge = good;
  Put32(huge, kFmtSize, 0xFFFFFFF0u);  // a chunk size that would wrap
  EXPECT_FALSE(ParseWave(huge, wave));
  for (size_t n = 0; n <= kData; ++n) EXPECT_FALSE(ParseWave(std::span(good.data(), n), wave)) << n;
}
