// The game's one palette and light direction, shared by every painter.
#pragma once

#include <cairo.h>

namespace style {
struct Rgb {
  double r, g, b;
};
constexpr Rgb rgb(int hex) {
  return {((hex >> 16) & 255) / 255.0, ((hex >> 8) & 255) / 255.0, (hex & 255) / 255.0};
}
// Outlines are near-black, never pure black (pure black is the transparent colour key).
constexpr Rgb kOutline = rgb(0x18141c);
constexpr double kOutlineWidth = 2.0;
constexpr Rgb kSky = rgb(0xbfe3ff);
constexpr Rgb kLavender = rgb(0xd9d0ff);
constexpr Rgb kCoral = rgb(0xff7f6e);
constexpr Rgb kLemon = rgb(0xffe066);
constexpr Rgb kMint = rgb(0x7fdcb0);
constexpr Rgb kGem = rgb(0x5ad1ff);
constexpr Rgb kWhite = rgb(0xfffdf8);
// One light from the upper left: highlights go up-left, shadows down-right.
constexpr double kLightX = -0.6, kLightY = -0.8;

// Menu colours: pale paper for panels under black text, plum ink for our own lettering.
constexpr Rgb kCream = rgb(0xfff8e8);
constexpr Rgb kPaper = rgb(0xfffcf4);
constexpr Rgb kInk = rgb(0x4a2f55);
constexpr Rgb kSkyDeep = rgb(0x7fbfef);
constexpr Rgb kLilac = rgb(0xb9a6f0);
constexpr Rgb kPeach = rgb(0xffc9a8);
constexpr Rgb kRose = rgb(0xff9fb8);
constexpr Rgb kLeaf = rgb(0x5fbf7a);
constexpr Rgb kMeadow = rgb(0xa8e08c);
constexpr Rgb kStone = rgb(0xe8cf9e);
constexpr Rgb kGold = rgb(0xffc83d);

// The heroine, as the menu and reward pictures draw her.
constexpr Rgb kHair = rgb(0xe8552f);
constexpr Rgb kHairShade = rgb(0xb83c22);
constexpr Rgb kSkin = rgb(0xffe0c8);
constexpr Rgb kSkinShade = rgb(0xf3b99a);
constexpr Rgb kTunic = rgb(0x4fae5c);
constexpr Rgb kTunicShade = rgb(0x37864a);
constexpr Rgb kBoot = rgb(0x8a5a3c);
constexpr Rgb kRibbon = rgb(0xff5f7e);
constexpr Rgb kEye = rgb(0x3a2a4a);

// A colour mixed towards another: t = 0 gives a, t = 1 gives b.
constexpr Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}
inline void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}
}  // namespace style
