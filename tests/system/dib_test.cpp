#include "system/dib.h"

#include <gtest/gtest.h>

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

TEST(DecodeDib, GarbageNeverDecodesOutOfBounds) {
  // Deterministic noise in every header field; the decoder must only say yes or no.
  uint32_t state = 12345;
  std::vector<uint8_t> bytes(256);
  for (int round = 0; round < 2000; ++round) {
    for (auto& b : bytes) {
      state = state * 1103515245u + 12345u;
      b = uint8_t(state >> 24);
    }
    bytes[0] = 40;
    bytes[1] = bytes[2] = bytes[3] = 0;
    bytes[12] = 1;
    bytes[13] = 0;
    DecodedImage image;
    if (DecodeDib(bytes, image))
      EXPECT_EQ(image.argb.size(), size_t(image.width) * size_t(image.height));
  }
}
