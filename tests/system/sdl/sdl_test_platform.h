// The one headless SDL platform the SDL tests share (SDL starts once per process).
#pragma once

#include <cstdint>
#include <vector>

#include "system/platform.h"
#include "system/render_device.h"

IPlatform& TestPlatform();

// The pixel at (x, y) of an 800 x 600 picture.
inline uint32_t PixelAt(const std::vector<uint32_t>& picture, int x, int y) {
  return picture[static_cast<size_t>(y) * 800 + x];
}

// A quad as the sprite code builds it: corners in strip order, one colour, the whole texture.
struct QuadCorners {
  SpriteVertex v[4];
};
QuadCorners Rectangle(float x, float y, float w, float h, uint32_t argb);
