#include "system/dib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "fakes/fake_resources.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

uint32_t Opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

// A picture whose every pixel differs from its neighbours, so a row or column mix-up shows.
uint32_t Rgb(int x, int y) { return uint32_t(x * 40 + 1) << 16 | uint32_t(y * 30 + 2) << 8 | 7; }

}  // namespace

TEST(DecodeDib, TrueColourRowsAreTurnedTopDown) {
  for (int bits : {24, 32}) {
    // Width 3 at 24 bits gives 9-byte rows padded to 12.
    const auto bytes = BuildDib(3, 2, bits, {}, Rgb);
    DecodedImage image;
    ASSERT_TRUE(DecodeDib(bytes, image)) << bits;
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(image.argb[y * 3 + x], Opaque(Rgb(x, y))) << bits;
  }
}

TEST(DecodeDib, PalettedDepthsUseTheirColourTable) {
  const uint32_t palette[4] = {0, kRed, kGreen, kBlue};
  for (int bits : {1, 4, 8}) {
    const int colours = bits == 1 ? 2 : 4;
    auto index = [colours](int x, int y) { return uint32_t((x + y) % colours); };
    // Width 5 leaves part of the last byte and padding unused.
    const auto bytes = BuildDib(5, 3, bits, std::span(palette, colours), index);
    DecodedImage image;
    ASSERT_TRUE(DecodeDib(bytes, image)) << bits;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.argb[y * 5 + x], Opaque(palette[index(x, y)]))
            << bits << " " << x << "," << y;
  }
}

TEST(DecodeDib, FullColourTableWhenClrUsedIsZero) {
  std::vector<uint32_t> palette(16, kWhite);
  palette[15] = kGreen;
  const auto bytes = BuildDib(2, 1, 4, palette, [](int x, int) { return x ? 15u : 0u; });
  DecodedImage image;
  ASSERT_TRUE(DecodeDib(bytes, image));
  EXPECT_EQ(image.argb[0], Opaque(kWhite));
  EXPECT_EQ(image.argb[1], Opaque(kGreen));
}

TEST(DecodeDib, IndexBeyondAShortTableIsBlack) {
  const uint32_t palette[2] = {kRed, kBlue};
  const auto bytes = BuildDib(2, 1, 8, palette, [](int x, int) { return x ? 200u : 1u; });
  DecodedImage image;
  ASSERT_TRUE(DecodeDib(bytes, image));
  EXPECT_EQ(image.argb[0], Opaque(kBlue));
  EXPECT_EQ(image.argb[1], 0xFF000000u);
}

// The colour key: black, from the colour table, beyond a short table or in true colour, becomes
// 0; every other colour stays opaque, near-black included.
TEST(DecodeDib, TheKeyColourBecomesTransparentAtEveryDepth) {
  const uint32_t palette[3] = {0, kRed, 0x000001};
  for (int bits : {4, 8, 24, 32}) {
    auto pixel = [bits, &palette](int x, int) {
      return bits <= 8 ? uint32_t(x) : x < 3 ? palette[x] : 0u;  // index 3 lies beyond the table
    };
    const std::span<const uint32_t> table = bits <= 8 ? std::span(palette) : std::span(palette, 0);
    DecodedImage image;
    ASSERT_TRUE(DecodeDib(BuildDib(4, 1, bits, table, pixel), image, Opaque(0))) << bits;
    EXPECT_EQ(image.argb, (std::vector<uint32_t>{0, Opaque(kRed), Opaque(0x000001), 0})) << bits;
  }
}

TEST(DecodeDib, TopDownWhenHeightIsNegative) {
  auto bytes = BuildDib(1, 2, 24, {}, Rgb);
  // Flip the sign of the height; rows are then read top first.
  const int32_t h = -2;
  std::memcpy(bytes.data() + 8, &h, 4);
  DecodedImage image;
  ASSERT_TRUE(DecodeDib(bytes, image));
  EXPECT_EQ(image.argb[0], Opaque(Rgb(0, 1)));
  EXPECT_EQ(image.argb[1], Opaque(Rgb(0, 0)));
}

TEST(DecodeDib, RejectsTruncatedAndMalformedInput) {
  const uint32_t palette[2] = {kRed, kBlue};
  const auto good = BuildDib(4, 4, 8, palette, [](int, int) { return 1u; });
  DecodedImage image;
  ASSERT_TRUE(DecodeDib(good, image));

  // Every truncation fails cleanly.
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(DecodeDib(std::span(good.data(), n), image)) << n;

  auto patched = [&](size_t at, uint32_t value) {
    auto b = good;
    std::memcpy(b.data() + at, &value, 4);
    return b;
  };
  EXPECT_FALSE(DecodeDib(patched(0, 12), image));           // header too small
  EXPECT_FALSE(DecodeDib(patched(0, 100000), image));       // header larger than the data
  EXPECT_FALSE(DecodeDib(patched(4, 0), image));            // zero width
  EXPECT_FALSE(DecodeDib(patched(4, 0x80000000u), image));  // negative width
  EXPECT_FALSE(DecodeDib(patched(8, 0), image));            // zero height
  EXPECT_FALSE(DecodeDib(patched(4, 1u << 20), image));     // absurd width
  EXPECT_FALSE(DecodeDib(patched(16, 1), image));           // compressed (RLE8)
  EXPECT_FALSE(DecodeDib(patched(32, 257), image));         // more colours than 8 bits hold
  auto depth = good;
  depth[14] = 16;
  EXPECT_FALSE(DecodeDib(depth, image));  // unsupported depth
}

// Deterministic mutations of valid bitmaps of every depth: changed pixel and palette bytes,
// header fields set to near and extreme values, data cut short or extended. Each result either
// decodes to exactly the picture its header describes, from bytes that are there, or is refused;
// enough of both happen that the decoder's paths are really taken.
TEST(DecodeDib, MutatedBitmapsDecodeAsTheirHeaderSaysOrAreRefused) {
  uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  const uint32_t palette[4] = {kRed, kGreen, kBlue, kWhite};
  int decodedDespiteHeaderOrLength = 0, refused = 0;
  for (int bits : {1, 4, 8, 24, 32}) {
    const auto colours = bits <= 8 ? std::span(palette, bits == 1 ? 2 : 4) : std::span(palette, 0);
    const auto good = BuildDib(7, 5, bits, colours, [](int x, int y) { return uint32_t(x + y); });
    for (int round = 0; round < 600; ++round) {
      auto bytes = good;
      const int kind = round % 3;
      switch (kind) {
        case 0:  // a byte of the colour table or the pixels
          bytes[40 + next() % (bytes.size() - 40)] = uint8_t(next());
          break;
        case 1: {  // a header field: size, width, height, planes and depth, compression, colours
          const size_t fields[] = {0, 4, 8, 12, 16, 32};
          const size_t at = fields[next() % std::size(fields)];
          uint32_t value;
          std::memcpy(&value, bytes.data() + at, 4);
          const uint32_t choices[] = {0,           1,           value + 1,
                                      value - 1,   value * 2,   0x7FFFFFFFu,
                                      0x80000000u, 0xFFFFFFFFu, 8192,
                                      8193,        next(),      value ^ (1u << (next() % 32))};
          value = choices[next() % std::size(choices)];
          std::memcpy(bytes.data() + at, &value, 4);
          break;
        }
        default:  // shorter or longer
          bytes.resize(next() % 2 ? next() % bytes.size() : bytes.size() + next() % 64, 0x5A);
          break;
      }
      DecodedImage image;
      const bool ok = DecodeDib(bytes, image);
      if (kind == 0) {
        ASSERT_TRUE(ok) << "pixel and palette bytes cannot make a bitmap invalid";
      }
      if (!ok) {
        ++refused;
        continue;
      }
      if (kind != 0) ++decodedDespiteHeaderOrLength;
      int32_t width, height;
      uint16_t depth;
      uint32_t headerSize, used;
      std::memcpy(&headerSize, bytes.data(), 4);
      std::memcpy(&width, bytes.data() + 4, 4);
      std::memcpy(&height, bytes.data() + 8, 4);
      std::memcpy(&depth, bytes.data() + 14, 2);
      std::memcpy(&used, bytes.data() + 32, 4);
      ASSERT_EQ(image.width, width) << round;
      ASSERT_EQ(image.height, std::abs(height)) << round;
      ASSERT_EQ(image.argb.size(), size_t(image.width) * size_t(image.height)) << round;
      const size_t table = depth <= 8 ? (used ? used : 1u << depth) * 4 : 0;
      const size_t stride = (size_t(width) * depth + 31) / 32 * 4;
      EXPECT_LE(headerSize + table + stride * image.height, bytes.size()) << round;
    }
  }
  EXPECT_GT(decodedDespiteHeaderOrLength, 300);
  EXPECT_GT(refused, 500);
}
