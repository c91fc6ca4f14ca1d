// How a screen-space quad is best drawn by SDL's renderer. Pure geometry, no SDL: the copy
// paths are many times faster than general triangles in the software renderer, so every quad
// that is a plain or rotated rectangle of one colour takes them.
#pragma once

#include <cstdint>

#include "system/render_device.h"

enum class QuadPath {
  Skip,      // zero area: nothing to draw
  Copy,      // an axis-aligned rectangle: a scaled copy
  Rotated,   // a rotated rectangle: a copy turned about its centre
  Geometry,  // anything else (mirrored, sheared, several colours): two triangles
};

struct QuadPlan {
  QuadPath path = QuadPath::Skip;
  // Source rectangle in texels (only for Copy and Rotated of a textured quad).
  int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
  // Destination rectangle before rotation, in pixels.
  float dstX = 0, dstY = 0, dstW = 0, dstH = 0;
  // Clockwise turn about the rectangle's centre, in degrees.
  double angleDegrees = 0;
  uint32_t argb = 0;  // the colour of all four corners (copy paths)
};

// The strip order is v0 top-left, v1 top-right, v2 bottom-left, v3 bottom-right of the source
// rectangle. A texture size of 0 x 0 means an untextured quad, whose coordinates are ignored.
QuadPlan PlanQuad(const SpriteVertex (&v)[4], int textureWidth, int textureHeight);
