// Encoding of keyed pictures: row order and padding, the reserved transparent entry, and
// how close the reduced palette stays to the picture.
#include "dib.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "bitmaps.h"
#include "decoded.h"

namespace {

Image Blank(int width, int height, uint32_t argb) {
  Image image;
  image.width = width;
  image.height = height;
  image.argb.assign(static_cast<size_t>(width) * height, argb);
  return image;
}

int ChannelError(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift <= 16; shift += 8)
    worst = std::max(worst, std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)));
  return worst;
}

TEST(EncodeDib, RoundTripsEveryDepthWithOddWidthsAndTopRowLast) {
  for (int bits : {24, 8, 4}) {
    Image image = Blank(5, 3, 0xFF2040C0);
    image.argb[0] = 0;            // top-left transparent
    image.argb[14] = 0xFFF0E010;  // bottom-right another colour
    const std::vector<uint8_t> dib = EncodeDib(image, bits);
    const size_t rowBytes = bits == 24 ? 16 : 8 == bits ? 8 : 4;
    const size_t palette = bits == 24 ? 0 : (size_t{4} << bits);
    ASSERT_EQ(dib.size(), 40 + palette + rowBytes * 3) << bits;
    const Image back = DecodeDib(dib);
    for (size_t i = 0; i < image.argb.size(); ++i)
      EXPECT_EQ(back.argb[i], image.argb[i]) << bits << " bits, pixel " << i;
    // The file stores the bottom row first: the bottom-right pixel opens the last row.
    if (bits == 24) {
      EXPECT_EQ(dib[40 + 4 * 3], 0x10);
    }
  }
}

TEST(EncodeDib, TransparentPixelsUseEntryZeroAndNearBlackStaysVisible) {
  Image image = Blank(16, 16, 0xFF000000u | kNearBlack);
  for (int i = 0; i < 128; ++i) image.argb[i * 2] = 0;
  for (int bits : {8, 4}) {
    const std::vector<uint8_t> dib = EncodeDib(image, bits);
    const Image back = DecodeDib(dib);
    for (size_t i = 0; i < image.argb.size(); ++i)
      EXPECT_EQ(IsTransparent(back.argb[i]), IsTransparent(image.argb[i]))
          << bits << " bits, " << i;
  }
}

TEST(EncodeDib, AFullyOpaquePictureStillReservesEntryZero) {
  Image image = Blank(64, 64, 0);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      image.argb[y * 64 + x] = 0xFF000000u | (x * 4 << 16) | (y * 4 << 8) | ((x + y) * 2);
  image.argb[0] = 0xFF000000u | kNearBlack;
  const Image back = DecodeDib(EncodeDib(image, 8));
  int worst = 0;
  for (size_t i = 0; i < image.argb.size(); ++i) {
    ASSERT_FALSE(IsTransparent(back.argb[i])) << i;
    worst = std::max(worst, ChannelError(back.argb[i], image.argb[i]));
  }
  EXPECT_LE(worst, 24);  // 4096 colours into 255 entries, dithered
}

TEST(EncodeDib, SixteenColourPictureKeepsItsFifteenColoursExactly) {
  Image image = Blank(15, 4, 0);
  for (int x = 0; x < 15; ++x)
    for (int y = 0; y < 4; ++y) image.argb[y * 15 + x] = 0xFF000000u | (0x111111u * (x + 1));
  image.argb[0] = 0;
  const Image back = DecodeDib(EncodeDib(image, 4));
  for (size_t i = 0; i < image.argb.size(); ++i) EXPECT_EQ(back.argb[i], image.argb[i]) << i;
}

TEST(ColourKey, HalfTransparentGoesEitherWayAndOpaqueBlackIsLifted) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 1);
  cairo_t* cr = cairo_create(surface);
  const double alphas[] = {127 / 255.0, 128 / 255.0, 1.0, 1.0};
  const double reds[] = {1.0, 1.0, 0.0, 0.5};
  for (int x = 0; x < 4; ++x) {
    cairo_set_source_rgba(cr, reds[x], 0, 0, alphas[x]);
    cairo_rectangle(cr, x, 0, 1, 1);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const Image image = ReadKeyedPixels(surface);
  cairo_surface_destroy(surface);
  EXPECT_EQ(image.argb[0], 0u);                         // under half: transparent
  EXPECT_EQ(image.argb[1], 0xFFFF0000u);                // half or more: opaque, unpremultiplied
  EXPECT_EQ(image.argb[2], 0xFF000000u | kNearBlack);   // black stays visible
  EXPECT_EQ(image.argb[3] & 0xFF00FFFFu, 0xFF000000u);  // other colours keep their value
  EXPECT_NEAR(static_cast<int>((image.argb[3] >> 16) & 255), 128, 1);
}

TEST(EncodeDib, RejectsDepthsTheGameCannotRead) {
  EXPECT_THROW(EncodeDib(Blank(2, 2, 0), 16), std::invalid_argument);
}

}  // namespace
