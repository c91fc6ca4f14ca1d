// The generated resources are exactly in the formats and sizes the game reads, and the
// generator gives the same bytes every time.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bitmaps.h"
#include "decoded.h"
#include "rects.h"
#include "resource_set.h"
#include "sounds.h"
#include "system/embedded_resources.h"

namespace {

class BitmapFormat : public testing::TestWithParam<BitmapSpec> {};

// In both languages: the English copy of a bitmap with words has the Japanese one's format.
TEST_P(BitmapFormat, IsAHeaderlessDibOfTheListedSizeAndDepth) {
  const BitmapSpec spec = GetParam();
  for (Language language : kBothLanguages) {
    SCOPED_TRACE(NameOf(language));
    const std::span<const uint8_t> dib = EmbeddedBitmap(spec.id, language);
    ASSERT_GE(dib.size(), 40u);
    EXPECT_EQ(Le32(dib, 0), 40u);
    EXPECT_EQ(static_cast<int>(Le32(dib, 4)), spec.width);
    EXPECT_EQ(static_cast<int>(Le32(dib, 8)), spec.height);  // positive: bottom-up
    EXPECT_EQ(Le16(dib, 12), 1);
    EXPECT_EQ(Le16(dib, 14), spec.bitsPerPixel);
    EXPECT_EQ(Le32(dib, 16), 0u);  // BI_RGB
    EXPECT_EQ(Le32(dib, 32), 0u);  // biClrUsed 0: a full table
    const size_t palette = spec.bitsPerPixel == 24 ? 0 : (size_t{4} << spec.bitsPerPixel);
    const size_t rowBytes = ((size_t(spec.width) * spec.bitsPerPixel + 31) / 32) * 4;
    EXPECT_EQ(dib.size(), 40 + palette + rowBytes * spec.height);
  }
}

INSTANTIATE_TEST_SUITE_P(All, BitmapFormat,
                         testing::ValuesIn(BitmapSpecs().begin(), BitmapSpecs().end()),
                         [](const auto& info) { return std::to_string(info.param.id); });

std::vector<BitmapSpec> IndexedBitmaps() {
  std::vector<BitmapSpec> indexed;
  for (const BitmapSpec& spec : BitmapSpecs())
    if (spec.bitsPerPixel != 24) indexed.push_back(spec);
  return indexed;
}

class IndexedBitmap : public testing::TestWithParam<BitmapSpec> {};

TEST_P(IndexedBitmap, OnlyPaletteEntryZeroIsPureBlack) {
  const BitmapSpec spec = GetParam();
  for (Language language : kBothLanguages) {
    const std::span<const uint8_t> dib = EmbeddedBitmap(spec.id, language);
    EXPECT_EQ(Le32(dib, 40) & 0xFFFFFF, 0u) << NameOf(language);
    for (int i = 1; i < (1 << spec.bitsPerPixel); ++i)
      EXPECT_NE(Le32(dib, 40 + i * 4) & 0xFFFFFF, 0u) << NameOf(language) << " entry " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(All, IndexedBitmap, testing::ValuesIn(IndexedBitmaps()),
                         [](const auto& info) { return std::to_string(info.param.id); });

class WaveFormatTest : public testing::TestWithParam<WaveSpec> {};

TEST_P(WaveFormatTest, IsSixteenBitStereoPcmOfTheListedRateAndLength) {
  const WaveSpec spec = GetParam();
  const std::span<const uint8_t> wave = EmbeddedWave(spec.id);
  ASSERT_GE(wave.size(), kWaveHeaderSize);
  EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
  EXPECT_EQ(Le32(wave, 4), wave.size() - 8);
  EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le32(wave, 16), 16u);
  EXPECT_EQ(Le16(wave, 20), 1);  // PCM
  EXPECT_EQ(Le16(wave, 22), 2);
  EXPECT_EQ(static_cast<int>(Le32(wave, 24)), spec.rate);
  EXPECT_EQ(Le32(wave, 28), static_cast<uint32_t>(spec.rate) * 4);
  EXPECT_EQ(Le16(wave, 32), 4);
  EXPECT_EQ(Le16(wave, 34), 16);
  EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
  const auto frames = static_cast<uint32_t>(std::llround(spec.rate * spec.seconds));
  EXPECT_EQ(Le32(wave, 40), frames * 4);
  EXPECT_EQ(wave.size(), kWaveHeaderSize + frames * 4);
}

INSTANTIATE_TEST_SUITE_P(All, WaveFormatTest,
                         testing::ValuesIn(WaveSpecs().begin(), WaveSpecs().end()),
                         [](const auto& info) { return std::to_string(info.param.id); });

TEST(IconFormat, IsFortyEightSquareArgbWithSomethingVisible) {
  const std::span<const uint8_t> icon = EmbeddedResources().Find(ResourceType::Icon, kIconId);
  ASSERT_EQ(icon.size(), 8u + 48 * 48 * 4);
  EXPECT_EQ(Le32(icon, 0), 48u);
  EXPECT_EQ(Le32(icon, 4), 48u);
  int opaque = 0;
  for (size_t i = 8; i < icon.size(); i += 4) opaque += (Le32(icon, i) >> 24) == 255;
  EXPECT_GT(opaque, 48 * 48 / 4);
}

TEST(ResourceSet, HoldsEveryBitmapSoundAndTheIconOnce) {
  const std::vector<ResourceEntry> all = AllResources();
  EXPECT_EQ(all.size(), 31u + 17u + 12u + 1u);  // 17 bitmaps with words have an English copy
  for (int id = 101; id <= 131; ++id) {
    EXPECT_FALSE(EmbeddedBitmap(id).empty()) << id;
    EXPECT_EQ(EmbeddedResources().Find(ResourceType::Bitmap, EnglishBitmapId(id)).empty(),
              !HasWords(id))
        << id;
  }
  for (int id = 201; id <= 212; ++id) EXPECT_FALSE(EmbeddedWave(id).empty()) << id;
  EXPECT_TRUE(EmbeddedResources().Find(ResourceType::Bitmap, 132).empty());
  EXPECT_TRUE(EmbeddedResources().Find(ResourceType::Wave, 101).empty());
}

// The build generated the embedded copy in another process; generating again here must give
// the very same bytes.
class Determinism : public testing::TestWithParam<ResourceEntry> {};

TEST_P(Determinism, RegeneratingGivesTheEmbeddedBytesAlsoOnceForgotten) {
  const ResourceEntry entry = GetParam();
  const std::span<const uint8_t> embedded = EmbeddedResources().Find(entry.type, entry.id);
  const std::vector<uint8_t> fresh = GenerateResource(entry);
  ASSERT_EQ(fresh.size(), embedded.size());
  EXPECT_TRUE(std::equal(fresh.begin(), fresh.end(), embedded.begin()));
  // Forgotten bytes come back from the executable unchanged. A sound is unpacked into memory
  // of the program's own, which forgetting must leave alone.
  EmbeddedResources().Forget(embedded);
  EXPECT_TRUE(std::equal(fresh.begin(), fresh.end(), embedded.begin())) << "once forgotten";
}

std::string ResourceName(const testing::TestParamInfo<ResourceEntry>& info) {
  const ResourceEntry& entry = info.param;
  const char* kind = entry.type == ResourceType::Bitmap ? "bitmap"
                     : entry.type == ResourceType::Wave ? "wave"
                                                        : "icon";
  return kind + std::to_string(entry.id);
}

INSTANTIATE_TEST_SUITE_P(All, Determinism, testing::ValuesIn(AllResources()), ResourceName);

}  // namespace
