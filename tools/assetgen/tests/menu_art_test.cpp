// The menu pictures, checked where the scenes depend on them: labels that pulse about their
// centre, panels pale enough for black text, highlight copies that cover the plain labels, a
// volume gauge that may be squeezed, and reward pictures that are told apart.
#include "art/menu_art.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "art/text.h"
#include "decoded.h"
#include "rects.h"
#include "system/key_help_sheet.h"

namespace {

std::string Where(int id, Box b) {
  return std::to_string(id) + " (" + std::to_string(b.x) + "," + std::to_string(b.y) + "," +
         std::to_string(b.w) + "," + std::to_string(b.h) + ")";
}

int CountOpaque(const Image& image, Box b) {
  int n = 0;
  for (int y = b.y; y < b.y + b.h; ++y)
    for (int x = b.x; x < b.x + b.w; ++x) n += !IsTransparent(image.At(x, y));
  return n;
}

// Perceived brightness, 0..255.
double Luma(uint32_t argb) {
  return 0.299 * ((argb >> 16) & 255) + 0.587 * ((argb >> 8) & 255) + 0.114 * (argb & 255);
}

// Lettering outlines are dark ink; plate faces, rims and paper are all much lighter.
constexpr double kInkLuma = 100;

TEST(MenuLabels, LettersAreCentredInTheirPlates) {
  // The highlighted item is scaled about its cell's centre, so off-centre lettering wobbles.
  const Box items[] = {
      {430, 253, 322, 48}, {430, 301, 322, 48}, {430, 349, 322, 48}, {430, 493, 322, 48}};
  const Box howTo[] = {{0, 144, 322, 48}, {0, 192, 322, 48}, {0, 240, 322, 48}, {0, 288, 322, 48}};
  Language language = Language::Japanese;
  auto check = [&language](int id, Box cell) {
    // Skip the plate's own outline and rim along the edges.
    const int inset = 8;
    int left = cell.w, right = -1, top = cell.h, bottom = -1;
    for (int y = inset; y < cell.h - inset; ++y)
      for (int x = inset; x < cell.w - inset; ++x) {
        uint32_t p = Sheet(id, language).At(cell.x + x, cell.y + y);
        if (IsTransparent(p) || Luma(p) >= kInkLuma) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    ASSERT_GE(right, left) << "no lettering in " << Where(id, cell);
    EXPECT_NEAR((left + right) / 2.0, (cell.w - 1) / 2.0, 2.0) << Where(id, cell);
    EXPECT_NEAR((top + bottom) / 2.0, (cell.h - 1) / 2.0, 2.5) << Where(id, cell);
    // Big enough to read: a Japanese word runs over a quarter of its plate; a short English
    // word ("Quit") is narrower, so its letters' height is what counts.
    if (language == Language::Japanese) {
      EXPECT_GT(right - left, cell.w / 4) << "lettering too small in " << Where(id, cell);
    }
    EXPECT_GT(bottom - top, cell.h / 3) << "lettering too small in " << Where(id, cell);
  };
  for (Language each : kBothLanguages) {
    SCOPED_TRACE(NameOf(each));
    language = each;
    for (Box b : items) check(124, b);
    for (Box b : howTo) check(116, b);
    check(117, {0, 0, 320, 47});
  }
}

// Every pixel of the box is opaque and at least this bright.
void ExpectPale(int id, Box box, double minLuma, Language language) {
  int dark = 0, transparent = 0;
  for (int y = box.y; y < box.y + box.h; ++y)
    for (int x = box.x; x < box.x + box.w; ++x) {
      uint32_t p = Sheet(id, language).At(x, y);
      transparent += IsTransparent(p);
      dark += !IsTransparent(p) && Luma(p) < minLuma;
    }
  EXPECT_EQ(transparent, 0) << Where(id, box);
  EXPECT_EQ(dark, 0) << Where(id, box);
}

TEST(MenuPanels, BlackTextLandsOnPaleGround) {
  for (Language language : kBothLanguages) {
    SCOPED_TRACE(NameOf(language));
    ExpectPale(114, {32, 24, 736, 336}, 200, language);   // reading text area of the panel
    ExpectPale(124, {60, 262, 330, 78}, 180, language);   // the title's typed description
    ExpectPale(126, {208, 554, 384, 33}, 200, language);  // the game-over comment
    ExpectPale(128, {776, 96, 24, 320}, 180, language);   // reading text overrunning the panel
  }
}

// Colours that differ by a few steps in every channel, as dithering leaves them.
bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > 12) return false;
  return true;
}

TEST(MenuPanels, FramesKeepAMarginAroundTheMessageWindows) {
  // The message windows' rectangles on the screen, their visible lines, and where their panel's
  // art lies: the sheet pixel under screen pixel (x, y) is (x - dx, y - dy). Text never passes
  // the rectangle's sides, and the frame (outline, rim or ornament) keeps 6 pixels of paper
  // beside the lines and above and below them.
  struct Window {
    int id, dx, dy;
    Box screen;
    int lines;
  };
  const Window windows[] = {{124, 0, 0, {64, 266, 320, 112}, 3},    // the title's balloon
                            {114, 0, 72, {32, 96, 736, 336}, 10}};  // the reading panel
  constexpr int kMargin = 6, kLineHeight = 32;
  for (Language language : kBothLanguages)
    for (const Window& w : windows) {
      SCOPED_TRACE(NameOf(language));
      const Image& sheet = Sheet(w.id, language);
      const int left = w.screen.x, right = w.screen.x + w.screen.w;
      const int top = w.screen.y, bottom = w.screen.y + w.lines * kLineHeight;
      const Box margins[] = {{left - kMargin, top, right - left + 2 * kMargin, bottom - top},
                             {left, top - kMargin, right - left, kMargin},
                             {left, bottom, right - left, kMargin}};
      for (Box box : margins) {
        for (int y = box.y; y < box.y + box.h; ++y) {
          // The paper's colour in this row (the balloon's shades from top to bottom).
          const uint32_t paper = sheet.At((left + right) / 2 - w.dx, y - w.dy);
          for (int x = box.x; x < box.x + box.w; ++x) {
            const uint32_t p = sheet.At(x - w.dx, y - w.dy);
            ASSERT_TRUE(!IsTransparent(p) && Near(p, paper))
                << Where(w.id, w.screen) << ": frame at screen " << x << ", " << y;
          }
        }
      }
    }
}

TEST(MenuPanels, ReadingPanelInteriorIsOneFlatColour) {
  // The panel sits at different heights in different scenes: no pattern may line up with text.
  for (Language language : kBothLanguages) {
    std::set<uint32_t> colours;
    for (int y = 24; y < 360; ++y)
      for (int x = 32; x < 768; ++x) colours.insert(Sheet(114, language).At(x, y));
    EXPECT_EQ(colours.size(), 1u) << NameOf(language);
  }
}

TEST(MenuLogos, SwayingLogosKeepATransparentBorder) {
  // Rotated by up to 3.6 degrees, a logo samples one texel past its right and bottom edges.
  const Box logos[][2] = {{{0, 0, 800, 210}, {0, 0, 0, 0}}, {{0, 60, 640, 160}, {0, 0, 0, 0}}};
  const int ids[] = {124, 117};
  for (Language language : kBothLanguages)
    for (int i = 0; i < 2; ++i) {
      SCOPED_TRACE(NameOf(language));
      Box b = logos[i][0];
      const Image& sheet = Sheet(ids[i], language);
      EXPECT_EQ(CountOpaque(sheet, {b.x, b.y, b.w, 2}), 0) << Where(ids[i], b) << " top";
      EXPECT_EQ(CountOpaque(sheet, {b.x, b.y + b.h - 2, b.w, 2}), 0)
          << Where(ids[i], b) << " bottom";
      EXPECT_EQ(CountOpaque(sheet, {b.x, b.y, 2, b.h}), 0) << Where(ids[i], b) << " left";
      EXPECT_EQ(CountOpaque(sheet, {b.x + b.w - 2, b.y, 2, b.h}), 0)
          << Where(ids[i], b) << " right";
      EXPECT_GT(CountOpaque(sheet, b), b.w * b.h / 8) << Where(ids[i], b) << " is nearly empty";
    }
}

TEST(CommonSheet, ArrowsPointTheirWay) {
  // An arrow's head is its narrow end: fewer opaque pixels in the half it points to.
  struct Arrow {
    Box cell;
    int dx, dy;
  };
  const Arrow arrows[] = {{{632, 8, 48, 48}, 0, 1},
                          {{632, 56, 48, 48}, 0, -1},
                          {{688, 8, 48, 48}, 1, 0},
                          {{736, 8, 48, 48}, -1, 0}};
  const Image& sheet = Sheet(116);
  for (const Arrow& a : arrows) {
    Box c = a.cell;
    Box first = a.dx != 0 ? Box{c.x, c.y, c.w / 2, c.h} : Box{c.x, c.y, c.w, c.h / 2};
    Box second =
        a.dx != 0 ? Box{c.x + c.w / 2, c.y, c.w / 2, c.h} : Box{c.x, c.y + c.h / 2, c.w, c.h / 2};
    int ahead = CountOpaque(sheet, a.dx + a.dy > 0 ? second : first);
    int behind = CountOpaque(sheet, a.dx + a.dy > 0 ? first : second);
    EXPECT_LT(ahead, behind * 0.8) << Where(116, c);
  }
}

TEST(CommonSheet, RoomCaptionWordsMeetAcrossTheirCuts) {
  // "ＣＧ" + "ルーム" and "ミュージック" + "ルーム" are two cuts drawn side by side: the first word
  // reaches its cut's right edge and "ルーム" starts at its left edge, so no gap opens between.
  // English words ("CG Room") keep one space between them across the seam.
  for (Language language : kBothLanguages) {
    SCOPED_TRACE(NameOf(language));
    const Image& sheet = Sheet(116, language);
    const auto inkColumns = [&](Box b) {
      std::vector<int> columns;
      for (int x = 0; x < b.w; ++x)
        if (CountOpaque(sheet, {b.x + x, b.y, 1, b.h}) > 0) columns.push_back(x);
      return columns;
    };
    const Box cg{368, 352, 96, 48}, music{472, 352, 208, 48}, room{600, 296, 144, 48};
    const int roomStart = inkColumns(room).front();
    for (Box first : {cg, music}) {
      const int gap = first.w - 1 - inkColumns(first).back() + roomStart;
      if (language == Language::Japanese) {
        EXPECT_LE(gap, 10);
      } else {
        EXPECT_GE(gap, 8);
        EXPECT_LE(gap, 24);
      }
    }
  }
}

TEST(CommonSheet, SharedKeyHelpTextStaysInRowsEveryReaderSees) {
  // The title footer reads rows 502-596, the CG room 512-591, the music room 520-599.
  for (Language language : kBothLanguages) {
    SCOPED_TRACE(NameOf(language));
    const Image& sheet = Sheet(116, language);
    int top = 600, bottom = -1;
    for (int y = 502; y < 600; ++y)
      for (int x = 16; x < 784; ++x) {
        uint32_t p = sheet.At(x, y);
        if (!IsTransparent(p) && Luma(p) < kInkLuma && Luma(p) > 40) {
          // Lettering ink (plum), not the near-black pill outline.
          if (((p >> 16) & 255) > 60 && y > 525 && y < 590)
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
      }
    ASSERT_GE(bottom, top) << "no key help text in the shared strip";
    EXPECT_GE(top, 520);
    EXPECT_LE(bottom, 591);
  }
}

TEST(OptionSheet, HighlightedLabelsCoverThePlainOnes) {
  // Drawn over the panel's label at the same spot: any ink of the plain label outside the
  // highlight's opaque pixels would show as a ghost around it.
  struct Pair {
    Box plain, lit;
  };
  const Pair pairs[] = {{{56, 104, 128, 48}, {0, 504, 128, 48}},
                        {{56, 152, 128, 48}, {128, 504, 128, 48}},
                        {{56, 232, 128, 48}, {256, 504, 128, 48}}};
  for (Language language : kBothLanguages)
    for (const Pair& pair : pairs) {
      SCOPED_TRACE(NameOf(language));
      const Image& sheet = Sheet(123, language);
      int plainInk = 0, uncovered = 0;
      for (int y = 0; y < pair.plain.h; ++y)
        for (int x = 0; x < pair.plain.w; ++x) {
          uint32_t plain = sheet.At(pair.plain.x + x, pair.plain.y + y);
          if (IsTransparent(plain) || Luma(plain) >= kInkLuma) continue;
          ++plainInk;
          uncovered += IsTransparent(sheet.At(pair.lit.x + x, pair.lit.y + y));
        }
      EXPECT_GT(plainInk, 100) << "no label on the panel at " << Where(123, pair.plain);
      EXPECT_EQ(uncovered, 0) << Where(123, pair.lit);
    }
}

// The item labels' cells are as wide as the wider language needs: in neither language do the
// labels shrink below the panel's heading.
TEST(OptionSheet, ItemLabelsAreNoSmallerThanTheHeadingInEitherLanguage) {
  for (Language language : kBothLanguages) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_t* cr = cairo_create(surface);
    art::SetPictureLanguage(cr, language);
    EXPECT_GE(art::OptionLabelSize(cr), art::kOptionHeadingSize) << NameOf(language);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
}

TEST(OptionSheet, VolumeGaugeIsUniformAlongItsLength) {
  // The game squeezes the gauge to the volume's share of its width: every column must look
  // the same, or a low volume shows a squashed picture instead of a shorter bar.
  const Image& sheet = Sheet(123);
  for (int y = 424; y < 456; ++y)
    for (int x = 9; x < 408; ++x)
      ASSERT_EQ(sheet.At(x, y), sheet.At(8, y)) << "row " << y << " column " << x;
}

TEST(OptionSheet, GaugeWellsAreEmptyAndFramed) {
  // A full gauge (248..648) exactly fills its well; the frame lies just outside it.
  const Image& sheet = Sheet(123);
  for (int wellY : {112, 160}) {
    const uint32_t wellColour = sheet.At(250, wellY + 2);
    EXPECT_NE(sheet.At(248 + 400 + 3, wellY + 16), sheet.At(647, wellY + 16))
        << "no frame right of the well at y " << wellY;
    EXPECT_NE(sheet.At(244, wellY + 16), sheet.At(248, wellY + 16))
        << "no frame left of the well at y " << wellY;
    // Along its top row the well is one colour: nothing printed in it.
    for (int x = 248; x < 648; ++x) ASSERT_EQ(sheet.At(x, wellY + 2), wellColour) << x;
  }
}

// Mean absolute RGB difference of two equal-sized pictures.
double PictureDifference(const Image& a, const Image& b) {
  double sum = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      for (int shift = 0; shift <= 16; shift += 8)
        sum += std::abs(int((a.At(x, y) >> shift) & 255) - int((b.At(x, y) >> shift) & 255));
  return sum / (a.width * a.height * 3.0);
}

TEST(RewardPictures, EveryGradeHasItsOwnPicture) {
  const int ids[] = {101, 102, 103, 104};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j)
      EXPECT_GT(PictureDifference(Sheet(ids[i]), Sheet(ids[j])), 20.0)
          << ids[i] << " and " << ids[j] << " look alike";
}

TEST(RewardPictures, CgTilesShowTheirGradesPicture) {
  // Tiles of one grade share a thumbnail; tiles of different grades do not.
  const Image& tiles = Sheet(120);
  auto tile = [&](int row, int col) {
    Image cut;
    cut.width = 180 - 16;
    cut.height = 60;
    for (int y = 0; y < cut.height; ++y)
      for (int x = 0; x < cut.width; ++x)
        cut.argb.push_back(tiles.At(col * 180 + 8 + x, row * 120 + 40 + y));
    return cut;
  };
  for (int col = 0; col < 4; ++col) {
    EXPECT_LT(PictureDifference(tile(0, col), tile(2, col)), 2.0) << "grade " << col;
    EXPECT_GT(PictureDifference(tile(0, col), tile(0, (col + 1) % 4)), 15.0) << "grade " << col;
  }
}

TEST(RankLabels, EveryRankHasItsOwnLabel) {
  for (Language language : kBothLanguages) {
    SCOPED_TRACE(NameOf(language));
    const Image& sheet = Sheet(126, language);
    auto cut = [&](int rank) {
      Image label;
      label.width = 200;
      label.height = 48;
      for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 200; ++x) label.argb.push_back(sheet.At(x, 48 * rank + y));
      return label;
    };
    for (int a = 0; a < 6; ++a)
      for (int b = a + 1; b < 6; ++b)
        EXPECT_GT(PictureDifference(cut(a), cut(b)), 3.0) << "ranks " << a << " and " << b;
  }
}

// The lettering helper, drawn on a surface of our own.
struct InkBounds {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

InkBounds Draw(const char* utf8, double cx, double cy, const art::LabelStyle& style) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 400, 200);
  cairo_t* cr = cairo_create(surface);
  art::DrawLabel(cr, utf8, cx, cy, style);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  InkBounds ink;
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 400; ++x)
      if (data[y * stride + 4 * x + 3] > 127) {  // alpha of a little-endian ARGB pixel
        ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
      }
  cairo_surface_destroy(surface);
  return ink;
}

TEST(Lettering, LabelsAreCentredOnTheirPoint) {
  art::LabelStyle style;
  style.sizePx = 48;
  for (const char* text : {"も", "ゲームスタート", "ー", "ＣＧ"}) {
    InkBounds ink = Draw(text, 200, 100, style);
    ASSERT_GE(ink.right, ink.left) << text;
    EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, 200, 1.5) << text;
    EXPECT_NEAR((ink.top + ink.bottom + 1) / 2.0, 100, 1.5) << text;
  }
}

TEST(Lettering, FittedLabelsStayInsideTheirBoxAndNeverGrow) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_t* cr = cairo_create(surface);
  art::LabelStyle style;
  style.sizePx = 60;
  style.outlineWidth = 3;
  double size = art::FitLabelSize(cr, "ミュージックルーム", style, 300, 40);
  EXPECT_LT(size, 60);
  style.sizePx = size;
  art::TextBox box = art::MeasureLabel(cr, "ミュージックルーム", style);
  EXPECT_LE(box.width + 2 * style.outlineWidth, 300.01);
  EXPECT_LE(box.height + 2 * style.outlineWidth, 40.01);
  EXPECT_GT(box.width + 2 * style.outlineWidth, 290) << "shrunk further than needed";

  style.sizePx = 20;
  EXPECT_EQ(art::FitLabelSize(cr, "もどる", style, 300, 100), 20);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

// The key-help sheet's blank pill and plate are laid over the painted bars at run time: they
// must hide every letter of the bar's default words, and show none of their own.
TEST(KeyHelpSheet, BlanksHideTheWordsOfEveryPaintedBar) {
  struct Bar {
    int id;
    Box words;  // the rows and columns the painted words take
    int blankX, blankY;
    bool plate;
  };
  const Bar bars[] = {{114, {40, 446, 720, 36}, 25, 441, false},
                      {116, {40, 438, 720, 36}, 25, 433, false},
                      {116, {40, 538, 720, 36}, 25, 533, false},
                      {130, {24, 230, 720, 36}, 9, 225, false},
                      {124, {180, 556, 468, 34}, 164, 546, true}};
  using namespace key_help_sheet;
  for (Language language : kBothLanguages)
    for (const Bar& bar : bars) {
      SCOPED_TRACE(NameOf(language));
      const Image& painted = Sheet(bar.id, language);
      const Image& pieces = Sheet(131, language);
      const SheetCell blank = bar.plate ? kBlankPlate : kBlankPill;
      int letters = 0;
      for (int y = bar.words.y; y < bar.words.y + bar.words.h; ++y)
        for (int x = bar.words.x; x < bar.words.x + bar.words.w; ++x) {
          if (Luma(painted.At(x, y)) >= kInkLuma) continue;
          ++letters;
          const uint32_t over = pieces.At(blank.x + x - bar.blankX, blank.y + y - bar.blankY);
          ASSERT_FALSE(IsTransparent(over)) << Where(bar.id, bar.words) << " at " << x << "," << y;
          ASSERT_GE(Luma(over), kInkLuma) << Where(bar.id, bar.words) << " at " << x << "," << y;
        }
      EXPECT_GT(letters, 200) << "no words found in " << Where(bar.id, bar.words);
    }
}

// Each word and symbol is cut from its cell by the ink it shows: none may be empty or run
// into the cell's edge, where it would be cut off.
TEST(KeyHelpSheet, EveryPieceShowsWhollyInsideItsCell) {
  using namespace key_help_sheet;
  std::vector<SheetCell> cells;
  for (int i = 0; i < static_cast<int>(HelpWord::Count); ++i)
    cells.push_back(WordCell(static_cast<HelpWord>(i)));
  for (int i = 0; i < static_cast<int>(PlateWord::Count); ++i)
    cells.push_back(PlateWordCell(static_cast<PlateWord>(i)));
  for (int i = 0; i < static_cast<int>(PadGlyph::Count); ++i)
    cells.push_back(GlyphCell(static_cast<PadGlyph>(i)));
  cells.push_back(kPlateJoin);
  for (Language language : kBothLanguages)
    for (const SheetCell& c : cells) {
      const Box box{c.x, c.y, c.w, c.h};
      const Image& sheet = Sheet(131, language);
      EXPECT_GT(CountOpaque(sheet, box), 8) << NameOf(language) << " " << Where(131, box);
      EXPECT_EQ(CountOpaque(sheet, {c.x, c.y, c.w, 1}) +
                    CountOpaque(sheet, {c.x, c.y + c.h - 1, c.w, 1}) +
                    CountOpaque(sheet, {c.x + c.w - 1, c.y, 1, c.h}),
                0)
          << NameOf(language) << " " << Where(131, box);
    }
}

}  // namespace
