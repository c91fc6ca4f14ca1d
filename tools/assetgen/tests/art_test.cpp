// What the pictures must show, checked from the rectangle table on the embedded bitmaps.
// Placeholders are fully opaque, so the checks of transparency apply to finished art only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bitmaps.h"
#include "decoded.h"
#include "rects.h"

namespace {

const Image& Decoded(int id, Language language = Language::Japanese) {
  static std::map<std::pair<int, Language>, Image> cache;
  auto it = cache.find({id, language});
  if (it == cache.end())
    it = cache.emplace(std::pair{id, language}, DecodeDib(EmbeddedBitmap(id, language))).first;
  return it->second;
}

int CountTransparent(const Image& image, int x, int y, int w, int h) {
  int n = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) n += IsTransparent(image.At(i, j));
  return n;
}

std::string Describe(const ArtRect& r) {
  return std::to_string(r.id) + " '" + r.name + "' (" + std::to_string(r.x) + "," +
         std::to_string(r.y) + "," + std::to_string(r.w) + "," + std::to_string(r.h) + ")";
}

TEST(RectTable, EveryCutLiesInsideItsBitmapAndIsFoundById) {
  size_t found = 0;
  for (const BitmapSpec& spec : BitmapSpecs()) {
    for (const ArtRect& r : ArtRectsOf(spec.id)) {
      EXPECT_EQ(r.id, spec.id);
      EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= spec.width &&
                  r.y + r.h <= spec.height)
          << Describe(r);
      ++found;
    }
  }
  EXPECT_EQ(found, AllArtRects().size());  // none lost to a wrong id or order
  EXPECT_EQ(found, 173u);
  for (const ArtConstraint& c : ArtConstraints()) {
    const BitmapSpec* spec = FindBitmapSpec(c.id);
    ASSERT_NE(spec, nullptr);
    EXPECT_TRUE(c.x + c.w <= spec->width && c.y + c.h <= spec->height) << c.why;
  }
}

// The cuts and constraints hold for the English copies of the bitmaps with words too.
TEST(ArtContent, EveryShownCutHasVisiblePixels) {
  for (Language language : kBothLanguages)
    for (const ArtRect& r : AllArtRects()) {
      if (r.kind == RectKind::Hidden) continue;
      EXPECT_LT(CountTransparent(Decoded(r.id, language), r.x, r.y, r.w, r.h), r.w * r.h)
          << Describe(r) << " " << NameOf(language);
    }
}

TEST(ArtContent, OpaqueCutsHaveNoTransparentPixel) {
  for (Language language : kBothLanguages)
    for (const ArtRect& r : AllArtRects()) {
      if (r.kind != RectKind::Opaque) continue;
      EXPECT_EQ(CountTransparent(Decoded(r.id, language), r.x, r.y, r.w, r.h), 0)
          << Describe(r) << " " << NameOf(language);
    }
}

TEST(ArtContent, CharacterFramesHaveTransparentCorners) {
  int checked = 0;
  for (const ArtRect& r : AllArtRects()) {
    if (r.kind != RectKind::Character || !HasArtPainter(r.id)) continue;
    const Image& image = Decoded(r.id);
    constexpr int kCorner = 4;
    for (int cx : {r.x, r.x + r.w - kCorner})
      for (int cy : {r.y, r.y + r.h - kCorner})
        EXPECT_EQ(CountTransparent(image, cx, cy, kCorner, kCorner), kCorner * kCorner)
            << Describe(r) << " corner " << cx << "," << cy;
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "no character sheet is painted yet";
}

TEST(ArtContent, RegionsOtherSheetsRelyOnAreOpaqueOrTransparent) {
  int checked = 0;
  for (Language language : kBothLanguages)
    for (const ArtConstraint& c : ArtConstraints()) {
      if (!HasArtPainter(c.id)) continue;
      const int transparent = CountTransparent(Decoded(c.id, language), c.x, c.y, c.w, c.h);
      EXPECT_EQ(transparent, c.opaque ? 0 : c.w * c.h)
          << c.id << " " << NameOf(language) << ": " << c.why;
      ++checked;
    }
  if (checked == 0) GTEST_SKIP() << "none of these sheets is painted yet";
}

// Mean absolute difference of two columns over all rows and channels.
double ColumnDifference(const Image& image, int a, int b) {
  double sum = 0;
  for (int y = 0; y < image.height; ++y)
    for (int shift = 0; shift <= 16; shift += 8)
      sum += std::abs(int((image.At(a, y) >> shift) & 255) - int((image.At(b, y) >> shift) & 255));
  return sum / (image.height * 3.0);
}

TEST(ArtContent, PlayBackgroundWrapsWithoutASeam) {
  const Image& background = Decoded(105);
  std::vector<double> steps;
  for (int x = 0; x + 1 < background.width; ++x)
    steps.push_back(ColumnDifference(background, x, x + 1));
  std::sort(steps.begin(), steps.end());
  const double ordinary = steps[steps.size() * 99 / 100];
  EXPECT_LE(ColumnDifference(background, 799, 0), ordinary) << "column 799 against column 0";
}

}  // namespace
