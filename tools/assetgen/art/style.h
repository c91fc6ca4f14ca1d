// The game's one palette and light direction, shared by every painter.
#pragma once

namespace style {
struct Rgb { double r, g, b; };
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
}  // namespace style
