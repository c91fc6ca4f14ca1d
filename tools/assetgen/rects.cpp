#include "rects.h"

#include <algorithm>

namespace {

using K = RectKind;

// Sorted by bitmap id; within a bitmap, in the order the sheet is described.
constexpr ArtRect kRects[] = {
    {101, 0, 0, 580, 420, "reward S", K::Opaque},
    {102, 0, 0, 580, 420, "reward A", K::Opaque},
    {103, 0, 0, 580, 420, "reward B", K::Opaque},
    {104, 0, 0, 580, 420, "reward C", K::Opaque},
    {105, 0, 0, 800, 510, "play background (wraps)", K::Opaque},

    {106, 0, 0, 85, 85, "hard stone x", K::Sprite},
    {106, 85, 0, 85, 85, "stone o", K::Sprite},
    {106, 170, 0, 85, 85, "drift stone", K::Sprite},
    {106, 340, 85, 85, 85, "egg A", K::Character},
    {106, 425, 85, 85, 85, "egg B", K::Character},

    {107, 0, 0, 85, 85, "beard A", K::Character},
    {107, 85, 0, 85, 85, "beard B", K::Character},
    {107, 170, 0, 85, 85, "wing A", K::Character},
    {107, 255, 0, 85, 85, "wing B", K::Character},

    {108, 0, 0, 85, 510, "cursor 0", K::Sprite},
    {108, 85, 0, 85, 510, "cursor 1", K::Sprite},
    {108, 170, 0, 85, 510, "cursor 2", K::Sprite},
    {108, 255, 0, 85, 510, "cursor 3", K::Sprite},

    {110, 0, 0, 800, 600, "studio logo", K::Opaque},

    {111, 222, 82, 376, 60, "track 1", K::Sprite},
    {111, 222, 142, 376, 60, "track 2", K::Sprite},
    {111, 222, 202, 376, 60, "track 3", K::Sprite},
    {111, 222, 262, 376, 60, "track 4", K::Sprite},
    {111, 222, 322, 376, 60, "stop", K::Sprite},

    {113, 0, 0, 80, 40, "100", K::Sprite},
    {113, 0, 40, 80, 40, "200", K::Sprite},
    {113, 0, 80, 80, 40, "500", K::Sprite},
    {113, 80, 0, 100, 40, "1000", K::Sprite},
    {113, 80, 40, 100, 40, "2000", K::Sprite},
    {113, 80, 80, 100, 40, "5000", K::Sprite},
    {113, 180, 0, 160, 40, "10000 f0", K::Sprite},
    {113, 180, 40, 160, 40, "10000 f1", K::Sprite},
    {113, 180, 80, 160, 40, "10000 f2", K::Sprite},
    {113, 180, 120, 160, 40, "10000 f3", K::Sprite},

    {114, 16, 8, 768, 408, "reading panel", K::Sprite},
    {114, 16, 424, 768, 80, "option key help", K::Opaque},

    {115, 0, 0, 85, 85, "walk 1", K::Character},
    {115, 85, 0, 85, 85, "walk 2", K::Character},
    {115, 255, 255, 85, 85, "walk 3", K::Character},
    {115, 340, 255, 85, 85, "walk 4", K::Character},
    {115, 425, 0, 85, 85, "fall A", K::Character},
    {115, 425, 255, 85, 85, "fall B", K::Character},
    {115, 170, 0, 85, 85, "bumped", K::Character},
    {115, 425, 170, 85, 85, "caught 0", K::Character},
    {115, 510, 170, 85, 85, "caught 1", K::Character},
    {115, 0, 255, 85, 85, "caught 2", K::Character},
    {115, 255, 0, 85, 85, "cut off A", K::Character},
    {115, 340, 0, 85, 85, "cut off B", K::Character},

    {116, 0, 0, 322, 48, "a mild (hidden)", K::Hidden},
    {116, 0, 48, 322, 48, "b medium (hidden)", K::Hidden},
    {116, 0, 96, 322, 48, "c hot (hidden)", K::Hidden},
    {116, 0, 144, 322, 48, "d back", K::Sprite},
    {116, 0, 192, 322, 48, "e rules", K::Sprite},
    {116, 0, 240, 322, 48, "f controls", K::Sprite},
    {116, 0, 288, 322, 48, "g story", K::Sprite},
    {116, 322, 0, 248, 91, "h (hidden)", K::Hidden},
    {116, 322, 91, 248, 91, "i (hidden)", K::Hidden},
    {116, 322, 182, 248, 91, "j (hidden)", K::Hidden},
    {116, 0, 407, 800, 95, "k (hidden)", K::Hidden},
    {116, 0, 502, 800, 95, "l how-to footer", K::Sprite},
    {116, 328, 296, 272, 48, "m rules caption", K::Sprite},
    {116, 560, 248, 240, 48, "n option caption", K::Sprite},
    {116, 576, 120, 224, 64, "o controls caption", K::Sprite},
    {116, 324, 0, 248, 72, "p return", K::Sprite},
    {116, 576, 192, 208, 48, "q story caption", K::Sprite},
    {116, 632, 8, 48, 48, "r down", K::Sprite},
    {116, 632, 56, 48, 48, "s up", K::Sprite},
    {116, 331, 224, 201, 16, "t CG credit", K::Sprite},
    {116, 331, 240, 210, 17, "u music credit", K::Sprite},
    {116, 688, 8, 48, 48, "v right", K::Sprite},
    {116, 16, 416, 768, 80, "w reading help", K::Opaque},
    {116, 736, 8, 48, 48, "x left", K::Sprite},
    {116, 16, 512, 768, 80, "y CG help", K::Opaque},
    {116, 16, 520, 768, 80, "z music help", K::Opaque},
    {116, 368, 352, 96, 48, "aa CG", K::Sprite},
    {116, 600, 296, 144, 48, "ab room", K::Sprite},
    {116, 472, 352, 208, 48, "ac music", K::Sprite},

    {117, 0, 0, 320, 48, "item 6 info", K::Sprite},
    {117, 320, 0, 200, 60, "info caption", K::Sprite},
    {117, 520, 0, 115, 26, "best label", K::Sprite},
    {117, 0, 60, 640, 160, "pause logo", K::Sprite},

    {118, 0, 0, 800, 600, "title background", K::Opaque},

    {119, 0, 0, 400, 80, "start 0", K::Sprite},
    {119, 0, 80, 400, 80, "start 1", K::Sprite},
    {119, 0, 160, 400, 80, "start 2", K::Sprite},
    {119, 0, 240, 400, 80, "start 3", K::Sprite},
    {119, 400, 0, 400, 80, "finish 0", K::Sprite},
    {119, 400, 80, 400, 80, "finish 1", K::Sprite},
    {119, 400, 160, 400, 80, "finish 2", K::Sprite},
    {119, 400, 240, 400, 80, "finish 3", K::Sprite},

    {120, 0, 0, 180, 120, "mild C", K::Opaque},
    {120, 180, 0, 180, 120, "mild B", K::Opaque},
    {120, 360, 0, 180, 120, "mild A", K::Opaque},
    {120, 540, 0, 180, 120, "mild S", K::Opaque},
    {120, 0, 120, 180, 120, "medium C", K::Opaque},
    {120, 180, 120, 180, 120, "medium B", K::Opaque},
    {120, 360, 120, 180, 120, "medium A", K::Opaque},
    {120, 540, 120, 180, 120, "medium S", K::Opaque},
    {120, 0, 240, 180, 120, "hot C", K::Opaque},
    {120, 180, 240, 180, 120, "hot B", K::Opaque},
    {120, 360, 240, 180, 120, "hot A", K::Opaque},
    {120, 540, 240, 180, 120, "hot S", K::Opaque},

#define MORAVIN_DIGIT_STRIP(sheet)                                                        \
  {sheet, 0, 0, 24, 32, "0", K::Sprite}, {sheet, 24, 0, 24, 32, "1", K::Sprite},          \
      {sheet, 48, 0, 24, 32, "2", K::Sprite}, {sheet, 72, 0, 24, 32, "3", K::Sprite},     \
      {sheet, 96, 0, 24, 32, "4", K::Sprite}, {sheet, 120, 0, 24, 32, "5", K::Sprite},    \
      {sheet, 144, 0, 24, 32, "6", K::Sprite}, {sheet, 168, 0, 24, 32, "7", K::Sprite},   \
      {sheet, 192, 0, 24, 32, "8", K::Sprite}, {sheet, 216, 0, 24, 32, "9", K::Sprite}, { \
    sheet, 0, 32, 800, 90, "top bar", K::Opaque                                           \
  }
    MORAVIN_DIGIT_STRIP(121),

    {122, 0, 0, 85, 85, "diamond", K::Character},
    {122, 85, 0, 85, 85, "sparkle A", K::Character},
    {122, 170, 0, 85, 85, "sparkle B", K::Character},

    {123, 16, 8, 768, 408, "option panel", K::Sprite},
    {123, 0, 504, 128, 48, "music label lit", K::Sprite},
    {123, 128, 504, 128, 48, "effect label lit", K::Sprite},
    {123, 256, 504, 128, 48, "screen label lit", K::Sprite},
    {123, 8, 424, 400, 32, "volume bar", K::Opaque},

    {124, 0, 0, 800, 210, "title logo", K::Sprite},
    {124, 48, 248, 352, 188, "description panel", K::Sprite},
    {124, 430, 253, 322, 48, "item 0 start", K::Sprite},
    {124, 430, 301, 322, 48, "item 1 how to", K::Sprite},
    {124, 430, 349, 322, 48, "item 2 options", K::Sprite},
    {124, 430, 397, 322, 48, "item 3 CG (hidden)", K::Hidden},
    {124, 430, 445, 322, 48, "item 4 music (hidden)", K::Hidden},
    {124, 430, 493, 322, 48, "item 5 quit", K::Sprite},
    {124, 164, 546, 500, 54, "top footer", K::Sprite},

    MORAVIN_DIGIT_STRIP(125),
#undef MORAVIN_DIGIT_STRIP

    {126, 0, 0, 200, 48, "rank S", K::Sprite},
    {126, 0, 48, 200, 48, "rank A", K::Sprite},
    {126, 0, 96, 200, 48, "rank B+", K::Sprite},
    {126, 0, 144, 200, 48, "rank B", K::Sprite},
    {126, 0, 192, 200, 48, "rank C+", K::Sprite},
    {126, 0, 240, 200, 48, "rank C", K::Sprite},
    {126, 16, 543, 768, 54, "comment box", K::Sprite},

    {128, 0, 0, 800, 600, "common background", K::Opaque},

    {129, 0, 0, 800, 95, "how-to footer, pointer hints", K::Sprite},
    {129, 0, 96, 768, 80, "reading bar, pointer hints", K::Opaque},
    {129, 0, 176, 768, 80, "option bar, pointer hints", K::Opaque},
    {129, 0, 256, 768, 80, "rooms' bar, pointer hints", K::Opaque},
    {129, 0, 336, 500, 54, "top-menu footer, pointer hints", K::Sprite},
    {129, 0, 392, 388, 88, "play controls", K::Opaque},
    {129, 400, 398, 182, 76, "speed-up control held", K::Sprite},
    {129, 600, 398, 182, 76, "pause control held", K::Sprite},

    {130, 0, 0, 322, 48, "title item replays", K::Sprite},
    {130, 340, 0, 200, 60, "replays caption", K::Sprite},
    {130, 0, 64, 736, 46, "replay row", K::Sprite},
    {130, 0, 112, 736, 46, "replay row highlighted", K::Sprite},
    {130, 0, 160, 736, 46, "replay row not watchable", K::Sprite},
    {130, 0, 208, 768, 80, "replays bar", K::Opaque},
    {130, 0, 296, 768, 80, "replays bar, pointer hints", K::Opaque},

    {131, 0, 0, 750, 46, "blank key-help pill", K::Sprite},
    {131, 752, 0, 48, 40, "top-menu footer join", K::Sprite},
    {131, 0, 48, 500, 54, "blank top-menu footer", K::Sprite},
    {131, 0, 104, 216, 60, "options' controls item", K::Sprite},
    {131, 216, 104, 216, 60, "options' controls item lit", K::Sprite},
    {131, 432, 104, 360, 40, "top-menu footer words", K::Sprite},
    {131, 0, 168, 800, 120, "key-help words", K::Sprite},
    {131, 0, 288, 768, 120, "pad button symbols", K::Sprite},
    {131, 0, 408, 750, 40, "controls page bar, pointer hints", K::Sprite},
};

constexpr ArtConstraint kConstraints[] = {
    {116, 1, 145, 320, 47, true, "the back item hides the information item under it"},
    {116, 430, 531, 320, 48, true, "the how-to footer hides the information item under it"},
    {117, 0, 47, 320, 1, false, "the information item's last row peeks out under its neighbours"},
    {117, 0, 60, 640, 2, false, "the swaying pause logo keeps a transparent border"},
    {124, 0, 0, 800, 2, false, "the swaying title logo keeps a transparent border"},
    {124, 180, 416, 85, 20, false, "the heroine's head shows through the description panel"},
    {126, 208, 554, 384, 33, true, "the game-over comment is drawn in black on the box"},
};

}  // namespace

std::span<const BitmapSpec> BitmapSpecs() { return kBitmapResources; }

const BitmapSpec* FindBitmapSpec(int id) {
  for (const BitmapSpec& spec : kBitmapResources)
    if (spec.id == id) return &spec;
  return nullptr;
}

std::span<const ArtRect> AllArtRects() { return kRects; }

std::span<const ArtRect> ArtRectsOf(int id) {
  struct ById {
    bool operator()(const ArtRect& r, int v) const { return r.id < v; }
    bool operator()(int v, const ArtRect& r) const { return v < r.id; }
  };
  auto [first, last] = std::equal_range(std::begin(kRects), std::end(kRects), id, ById{});
  return {first, last};
}

std::span<const ArtConstraint> ArtConstraints() { return kConstraints; }
