#include "system/sdl/quad_plan.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float kPixelTolerance = 0.01f;
constexpr float kTexelTolerance = 1.0f / 64.0f;

struct Vec {
  float x, y;
};

Vec Sub(const SpriteVertex& a, const SpriteVertex& b) { return {a.x - b.x, a.y - b.y}; }
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
float Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
float Length(Vec a) { return std::sqrt(Dot(a, a)); }
bool Near(float a, float b, float tolerance) { return std::fabs(a - b) <= tolerance; }

bool UniformColour(const SpriteVertex (&v)[4]) {
  return v[0].diffuse == v[1].diffuse && v[0].diffuse == v[2].diffuse &&
         v[0].diffuse == v[3].diffuse;
}

// The corners form a rectangle with v1 to the right of v0 and v2 below it (possibly turned):
// opposite corners close the parallelogram, the edges are perpendicular, and the winding is not
// mirrored.
bool IsUnmirroredRectangle(const SpriteVertex (&v)[4], Vec across, Vec down) {
  const bool closes = Near(v[3].x, v[0].x + across.x + down.x, kPixelTolerance) &&
                      Near(v[3].y, v[0].y + across.y + down.y, kPixelTolerance);
  const float scale = Length(across) * Length(down);
  return closes && std::fabs(Dot(across, down)) <= 1e-4f * scale && Cross(across, down) > 0;
}

// Texture coordinates that span an upright, unmirrored source rectangle; converted to whole
// texels (the sprite code offsets the start by a fraction of a texel, which floor drops).
bool SourceRect(const SpriteVertex (&v)[4], int width, int height, QuadPlan& plan) {
  const bool upright = v[0].u == v[2].u && v[1].u == v[3].u && v[0].v == v[1].v && v[2].v == v[3].v;
  if (!upright || v[1].u <= v[0].u || v[2].v <= v[0].v) return false;
  plan.srcX = static_cast<int>(std::floor(v[0].u * width + kTexelTolerance));
  plan.srcY = static_cast<int>(std::floor(v[0].v * height + kTexelTolerance));
  plan.srcW = static_cast<int>(std::lround((v[1].u - v[0].u) * width));
  plan.srcH = static_cast<int>(std::lround((v[2].v - v[0].v) * height));
  return plan.srcW > 0 && plan.srcH > 0;
}

}  // namespace

QuadPlan PlanQuad(const SpriteVertex (&v)[4], int textureWidth, int textureHeight) {
  QuadPlan plan;
  const Vec across = Sub(v[1], v[0]);
  const Vec down = Sub(v[2], v[0]);
  const float area =
      std::fabs(Cross(across, down)) + std::fabs(Cross(Sub(v[1], v[3]), Sub(v[2], v[3])));
  if (!(area > 0)) return plan;  // also catches NaN corners

  plan.path = QuadPath::Geometry;
  const bool textured = textureWidth > 0 && textureHeight > 0;
  if (!UniformColour(v) || !IsUnmirroredRectangle(v, across, down)) return plan;
  if (textured && !SourceRect(v, textureWidth, textureHeight, plan)) return plan;

  plan.argb = v[0].diffuse;
  if (across.x > 0 && Near(across.y, 0, kPixelTolerance) && Near(down.x, 0, kPixelTolerance)) {
    plan.path = QuadPath::Copy;
    plan.dstX = v[0].x;
    plan.dstY = v[0].y;
    plan.dstW = across.x;
    plan.dstH = down.y;
    return plan;
  }
  plan.path = QuadPath::Rotated;
  plan.dstW = Length(across);
  plan.dstH = Length(down);
  plan.dstX = (v[0].x + v[3].x) / 2 - plan.dstW / 2;
  plan.dstY = (v[0].y + v[3].y) / 2 - plan.dstH / 2;
  plan.angleDegrees = std::atan2(across.y, across.x) * 180.0 / std::numbers::pi;
  return plan;
}
