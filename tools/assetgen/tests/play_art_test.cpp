// The play field's pictures, checked where the game's drawing code depends on them: where
// characters stand, which pixels show through, what tells the pieces apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "decoded.h"
#include "rects.h"

namespace {

const ArtRect& Cut(int id, const std::string& name) {
  for (const ArtRect& r : ArtRectsOf(id))
    if (name == r.name) return r;
  throw std::runtime_error("no cut " + name + " in " + std::to_string(id));
}

Box BoxOf(const ArtRect& r) { return {r.x, r.y, r.w, r.h}; }

// The bounding box of the opaque pixels inside `area`, relative to its corner.
struct Ink {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Ink InkOf(const Image& image, Box area) {
  Ink ink;
  for (int y = 0; y < area.h; ++y)
    for (int x = 0; x < area.w; ++x)
      if (!IsTransparent(image.At(area.x + x, area.y + y))) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
  return ink;
}

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 255); }

// HSV saturation of one pixel, 0..1.
double Saturation(uint32_t argb) {
  int hi = std::max({Channel(argb, 16), Channel(argb, 8), Channel(argb, 0)});
  int lo = std::min({Channel(argb, 16), Channel(argb, 8), Channel(argb, 0)});
  return hi == 0 ? 0 : (hi - lo) / static_cast<double>(hi);
}

double MeanSaturation(const Image& image, Box area) {
  double sum = 0;
  int n = 0;
  for (int y = area.y; y < area.y + area.h; ++y)
    for (int x = area.x; x < area.x + area.w; ++x)
      if (!IsTransparent(image.At(x, y))) {
        sum += Saturation(image.At(x, y));
        ++n;
      }
  return n ? sum / n : 0;
}

struct Rgb3 {
  double r, g, b;
};

Rgb3 MeanColour(const Image& image, Box area) {
  Rgb3 sum{0, 0, 0};
  int n = 0;
  for (int y = area.y; y < area.y + area.h; ++y)
    for (int x = area.x; x < area.x + area.w; ++x)
      if (uint32_t p = image.At(x, y); !IsTransparent(p)) {
        sum.r += Channel(p, 16);
        sum.g += Channel(p, 8);
        sum.b += Channel(p, 0);
        ++n;
      }
  return {sum.r / n, sum.g / n, sum.b / n};
}

// How many pixels of two equal-sized areas differ.
int DifferingPixels(const Image& image, Box a, Box b) {
  int n = 0;
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x) n += image.At(a.x + x, a.y + y) != image.At(b.x + x, b.y + y);
  return n;
}

// Characters are drawn with frame pixel (42, 53) on their centre, which stands 36 px above
// the top of the cell under them; the stone art starts 8 px higher still. Soles on rows 80-84
// therefore rest on the stone's top face.
TEST(PlayCharacters, GroundedFramesStandOnRows80To84) {
  const std::vector<std::pair<int, std::string>> grounded = {
      {115, "walk 1"},  {115, "walk 2"},   {115, "walk 3"},   {115, "walk 4"},
      {115, "bumped"},  {115, "caught 1"}, {115, "caught 2"}, {107, "beard A"},
      {107, "beard B"}, {107, "wing A"},   {107, "wing B"},   {122, "diamond"}};
  for (const auto& [id, name] : grounded) {
    Ink ink = InkOf(Sheet(id), BoxOf(Cut(id, name)));
    EXPECT_GE(ink.bottom, 80) << id << " " << name << " floats above the stone";
    EXPECT_LE(ink.bottom, 84) << id << " " << name;
  }
}

TEST(PlayCharacters, BodiesStayInsideTheCollisionBoxAndAroundTheCentre) {
  for (const char* name : {"walk 1", "walk 2", "walk 3", "walk 4"}) {
    Ink ink = InkOf(Sheet(115), BoxOf(Cut(115, name)));
    EXPECT_GE(ink.left, 6) << name;
    EXPECT_LE(ink.right, 78) << name;
    // About 60 px tall, with the centre row 53 inside the body.
    EXPECT_GE(ink.bottom - ink.top, 55) << name;
    EXPECT_LE(ink.bottom - ink.top, 70) << name;
    EXPECT_LT(ink.top, 53) << name;
  }
  for (const char* name : {"beard A", "wing A"}) {
    Ink ink = InkOf(Sheet(107), BoxOf(Cut(107, name)));
    EXPECT_LE(ink.left, 42) << name;
    EXPECT_GE(ink.right, 42) << name;
    EXPECT_LT(ink.top, 53) << name;
  }
}

// A frame whose ink touches its edge has been cut off by the cell.
TEST(PlayCharacters, NoFrameIsClippedByItsCell) {
  for (int id : {107, 115, 122}) {
    for (const ArtRect& r : ArtRectsOf(id)) {
      Ink ink = InkOf(Sheet(id), BoxOf(r));
      EXPECT_GE(ink.left, 1) << id << " " << r.name;
      EXPECT_GE(ink.top, 1) << id << " " << r.name;
      EXPECT_LE(ink.right, r.w - 2) << id << " " << r.name;
      EXPECT_LE(ink.bottom, r.h - 2) << id << " " << r.name;
    }
  }
}

// The diamond is placed by its centre like a character, the sparkle 3 px lower: both must be
// centred on column 42, the sparkle also on row 50.
TEST(PlayCharacters, DiamondAndSparklesAreCentredOnTheirAnchor) {
  for (const char* name : {"diamond", "sparkle A", "sparkle B"}) {
    Ink ink = InkOf(Sheet(122), BoxOf(Cut(122, name)));
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 42, 2) << name;
    if (std::string(name) != "diamond") {
      EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 50, 2) << name;
    }
  }
}

// An egg is solid ground: its top must reach the top-face rows (art row 8 is the cell's top),
// or a character standing on it would float above the shell.
TEST(PlayStones, EggsReachTheTopFace) {
  for (const char* name : {"egg A", "egg B"}) {
    Box cell = BoxOf(Cut(106, name));
    int top = 0;
    while (top < cell.h && IsTransparent(Sheet(106).At(cell.x + 42, cell.y + top))) ++top;
    EXPECT_LE(top, 8) << name;
  }
}

// The unused alternative sheet keeps the layout of the stone sheet in other colours.
TEST(PlayStones, EveningSheetHasTheSameCellsInOtherColours) {
  for (const ArtRect& r : ArtRectsOf(106)) {
    Box cell = BoxOf(r);
    int maskDiffers = 0, colourDiffers = 0;
    for (int y = cell.y; y < cell.y + cell.h; ++y)
      for (int x = cell.x; x < cell.x + cell.w; ++x) {
        uint32_t day = Sheet(106).At(x, y), evening = Sheet(109).At(x, y);
        maskDiffers += IsTransparent(day) != IsTransparent(evening);
        colourDiffers += !IsTransparent(day) && day != evening;
      }
    EXPECT_LT(maskDiffers, cell.w * cell.h / 50) << r.name;
    EXPECT_GT(colourDiffers, cell.w * cell.h / 3) << r.name;
  }
}

// Every animation must actually move: a frame pasted twice would freeze it.
TEST(PlayAnimations, FramesOfOneAnimationDiffer) {
  const std::vector<std::pair<int, std::vector<std::string>>> animations = {
      {115, {"walk 1", "walk 2", "walk 3", "walk 4"}},
      {115, {"fall A", "fall B"}},
      {115, {"caught 1", "caught 2"}},
      {115, {"cut off A", "cut off B"}},
      {106, {"egg A", "egg B"}},
      {107, {"beard A", "beard B"}},
      {107, {"wing A", "wing B"}},
      {122, {"sparkle A", "sparkle B"}},
      {113, {"10000 f0", "10000 f1", "10000 f2", "10000 f3"}},
      {119, {"start 0", "start 1", "start 2", "start 3"}},
      {119, {"finish 0", "finish 1", "finish 2", "finish 3"}},
      {108, {"cursor 0", "cursor 1", "cursor 2", "cursor 3"}},
  };
  for (const auto& [id, frames] : animations) {
    for (size_t i = 0; i < frames.size(); ++i)
      for (size_t j = i + 1; j < frames.size(); ++j)
        EXPECT_GT(DifferingPixels(Sheet(id), BoxOf(Cut(id, frames[i])), BoxOf(Cut(id, frames[j]))),
                  20)
            << id << ": " << frames[i] << " and " << frames[j];
  }
}

// Stacked cells abut with no gap, so each stone keeps a transparent seam at its sides and a
// solid top face (art rows 0-8) where the characters stand.
TEST(PlayStones, BlocksHaveASolidTopFaceAndSeparatingSeams) {
  const Image& sheet = Sheet(106);
  for (const char* name : {"hard stone x", "stone o", "drift stone"}) {
    Box cell = BoxOf(Cut(106, name));
    for (int y = 0; y < cell.h; ++y) {
      EXPECT_TRUE(IsTransparent(sheet.At(cell.x, cell.y + y))) << name << " row " << y;
      EXPECT_TRUE(IsTransparent(sheet.At(cell.x + cell.w - 1, cell.y + y))) << name << " row " << y;
    }
    for (int x = 20; x <= 64; ++x)
      EXPECT_FALSE(IsTransparent(sheet.At(cell.x + x, cell.y + 4))) << name << " top face " << x;
    for (int y = 8; y < 80; ++y)
      EXPECT_FALSE(IsTransparent(sheet.At(cell.x + 42, cell.y + y))) << name << " body row " << y;
  }
}

// A player must tell the three lines apart at speed: their average colours are far apart.
TEST(PlayStones, TheThreeKindsDifferInColour) {
  const Image& sheet = Sheet(106);
  std::vector<Rgb3> means;
  for (const char* name : {"hard stone x", "stone o", "drift stone"})
    means.push_back(MeanColour(sheet, BoxOf(Cut(106, name))));
  for (size_t i = 0; i < means.size(); ++i)
    for (size_t j = i + 1; j < means.size(); ++j) {
      double d =
          std::hypot(means[i].r - means[j].r, means[i].g - means[j].g, means[i].b - means[j].b);
      EXPECT_GT(d, 50) << "stones " << i << " and " << j;
    }
}

// Standard deviation of the luminance of the opaque pixels: how contrasty an area looks.
double LuminanceSpread(const Image& image, Box area) {
  double sum = 0, squares = 0;
  int n = 0;
  for (int y = area.y; y < area.y + area.h; ++y)
    for (int x = area.x; x < area.x + area.w; ++x)
      if (uint32_t p = image.At(x, y); !IsTransparent(p)) {
        double luma = 0.299 * Channel(p, 16) + 0.587 * Channel(p, 8) + 0.114 * Channel(p, 0);
        sum += luma;
        squares += luma * luma;
        ++n;
      }
  double mean = sum / n;
  return std::sqrt(squares / n - mean * mean);
}

// The backdrop must not compete with the pieces: less contrast than any of them, and less
// colour than the colourful ones (the iron stone is grey on purpose).
TEST(PlayField, BackgroundIsCalmerThanThePiecesOnIt) {
  const Box whole{0, 0, 800, 510};
  const double saturation = MeanSaturation(Sheet(105), whole);
  const double spread = LuminanceSpread(Sheet(105), whole);
  const std::vector<std::pair<int, std::string>> pieces = {
      {106, "hard stone x"}, {106, "stone o"}, {106, "drift stone"}, {107, "beard A"},
      {107, "wing A"},       {115, "walk 1"},  {122, "diamond"}};
  for (const auto& [id, name] : pieces) {
    const Box piece = BoxOf(Cut(id, name));
    EXPECT_LT(spread, LuminanceSpread(Sheet(id), piece)) << id << " " << name;
    if (name != "hard stone x") {
      EXPECT_LT(saturation, MeanSaturation(Sheet(id), piece)) << id << " " << name;
    }
  }
}

// The cursor is drawn over the stones at 62 % opacity: only its frame may cover them.
TEST(PlayField, CursorColumnIsAFrameWithAClearInside) {
  const Image& sheet = Sheet(108);
  for (int frame = 0; frame < 4; ++frame) {
    Box column = BoxOf(Cut(108, "cursor " + std::to_string(frame)));
    int covered = 0;
    for (int y = 40; y < 470; ++y)
      for (int x = 12; x < 73; ++x) covered += !IsTransparent(sheet.At(column.x + x, y));
    EXPECT_EQ(covered, 0) << "frame " << frame;
    Ink ink = InkOf(sheet, column);
    EXPECT_LE(ink.left, 2);
    EXPECT_GE(ink.right, 82);
    EXPECT_LE(ink.top, 2);
    EXPECT_GE(ink.bottom, 507);
  }
}

// Digits are drawn into the wells right-aligned to x 248 and 792 on rows 56-88 of the bar:
// the wells must be one plain colour, the same place in the play and results copies.
TEST(TopBar, DigitWellsArePlainInBothCopies) {
  const Box wells[] = {{34, 58 + 32, 212, 28}, {676, 58 + 32, 112, 28}};
  for (Language language : kBothLanguages)
    for (int id : {121, 125}) {
      SCOPED_TRACE(NameOf(language));
      const Image& sheet = Sheet(id, language);
      for (const Box& well : wells) {
        const uint32_t first = sheet.At(well.x, well.y);
        int other = 0;
        for (int y = well.y; y < well.y + well.h; ++y)
          for (int x = well.x; x < well.x + well.w; ++x) other += sheet.At(x, y) != first;
        EXPECT_EQ(other, 0) << id << " well at x " << well.x;
      }
    }
  EXPECT_NE(Sheet(121).At(400, 40), Sheet(125).At(400, 40))
      << "the results copy has its own colours";
}

TEST(TopBar, TenDistinctDigitsEachInsideItsCell) {
  const Image& sheet = Sheet(121);
  for (int d = 0; d < 10; ++d) {
    Box cell{24 * d, 0, 24, 32};
    Ink ink = InkOf(sheet, cell);
    EXPECT_GT(ink.left, 0) << d;  // a clear column on each side keeps neighbours apart
    EXPECT_LT(ink.right, 23) << d;
    EXPECT_GE(ink.bottom - ink.top, 22) << d << " is too small to read";
    for (int e = 0; e < d; ++e)
      EXPECT_GT(DifferingPixels(sheet, cell, {24 * e, 0, 24, 32}), 30) << d << " and " << e;
  }
}

// Pop-ups are placed by the cell's width, so the number must be centred in its cell.
TEST(ScorePopups, NumbersAreCentredInTheirCells) {
  for (const ArtRect& r : ArtRectsOf(113)) {
    Ink ink = InkOf(Sheet(113), BoxOf(r));
    EXPECT_GT(ink.left, 0) << r.name;
    EXPECT_LT(ink.right, r.w - 1) << r.name;
    EXPECT_NEAR((ink.left + ink.right) / 2.0, (r.w - 1) / 2.0, 3) << r.name;
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (r.h - 1) / 2.0, 4) << r.name;
  }
}

// The banners are drawn at a fixed place whatever their frame, so every frame must stay
// centred, and the unused rows below them must stay empty.
TEST(Banners, FramesStayCentredAndTheSpareRowsAreEmpty) {
  for (Language language : kBothLanguages) {
    SCOPED_TRACE(NameOf(language));
    const Image& sheet = Sheet(119, language);
    for (const ArtRect& r : ArtRectsOf(119)) {
      Ink ink = InkOf(sheet, BoxOf(r));
      EXPECT_NEAR((ink.left + ink.right) / 2.0, r.w / 2.0, 12) << r.name;
      EXPECT_GT(ink.right - ink.left, 200) << r.name;
    }
    Ink spare = InkOf(sheet, {0, 320, 800, 160});
    EXPECT_EQ(spare.right, -1);
  }
}

}  // namespace
