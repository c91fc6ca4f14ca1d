// A picture as the game sees it: straight (not premultiplied) ARGB pixels, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // 0xAARRGGBB

  uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

// Pure black is the game's transparent colour; opaque pixels that come out pure black are
// lifted to this near-black so that they stay visible.
constexpr uint32_t kNearBlack = 0x101018;

inline bool IsTransparent(uint32_t argb) { return (argb >> 24) == 0; }
inline uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFF; }
