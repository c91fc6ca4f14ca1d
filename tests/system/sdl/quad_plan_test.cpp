#include "system/sdl/quad_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sdl_test_platform.h"

namespace {

// The quad turned by `radians` about (cx, cy), as the sprite code turns it.
QuadCorners Turned(QuadCorners quad, double radians, float cx, float cy) {
  const double c = std::cos(radians), s = std::sin(radians);
  for (SpriteVertex& v : quad.v) {
    const double dx = v.x - cx, dy = v.y - cy;
    v.x = static_cast<float>(cx + dx * c - dy * s);
    v.y = static_cast<float>(cy + dx * s + dy * c);
  }
  return quad;
}

}  // namespace

TEST(QuadPlan, UprightRectangleIsACopyWithWholeTexelSource) {
  auto quad = Rectangle(10, 20, 300, 100, 0x80FFFFFF);
  // A 300 x 100 cut at (50, 60) of a 1024 x 512 texture, offset by three quarters of a texel.
  for (SpriteVertex& v : quad.v) {
    v.u = (v.u == 0 ? 50.75f : 350.75f) / 1024;
    v.v = (v.v == 0 ? 60.75f : 160.75f) / 512;
  }
  const QuadPlan plan = PlanQuad(quad.v, 1024, 512);
  ASSERT_EQ(plan.path, QuadPath::Copy);
  EXPECT_EQ(plan.srcX, 50);
  EXPECT_EQ(plan.srcY, 60);
  EXPECT_EQ(plan.srcW, 300);
  EXPECT_EQ(plan.srcH, 100);
  EXPECT_FLOAT_EQ(plan.dstX, 10);
  EXPECT_FLOAT_EQ(plan.dstY, 20);
  EXPECT_FLOAT_EQ(plan.dstW, 300);
  EXPECT_FLOAT_EQ(plan.dstH, 100);
  EXPECT_EQ(plan.argb, 0x80FFFFFFu);
}

TEST(QuadPlan, TurnedRectangleRecoversAngleSizeAndCentre) {
  const auto quad = Turned(Rectangle(100, 100, 80, 40, 0xFFFFFFFF), std::numbers::pi / 6, 100, 100);
  const QuadPlan plan = PlanQuad(quad.v, 80, 40);
  ASSERT_EQ(plan.path, QuadPath::Rotated);
  EXPECT_NEAR(plan.angleDegrees, 30.0, 1e-3);
  EXPECT_NEAR(plan.dstW, 80, 1e-3);
  EXPECT_NEAR(plan.dstH, 40, 1e-3);
  // The centre of the turned rectangle is where the rectangle drawn upright is centred.
  const float cx = (quad.v[0].x + quad.v[3].x) / 2, cy = (quad.v[0].y + quad.v[3].y) / 2;
  EXPECT_NEAR(plan.dstX + plan.dstW / 2, cx, 1e-3);
  EXPECT_NEAR(plan.dstY + plan.dstH / 2, cy, 1e-3);
  EXPECT_EQ(plan.srcW, 80);
}

TEST(QuadPlan, HalfTurnIsARotationNotAMirror) {
  const auto quad = Turned(Rectangle(0, 0, 10, 10, 0xFFFFFFFF), std::numbers::pi, 5, 5);
  const QuadPlan plan = PlanQuad(quad.v, 0, 0);
  ASSERT_EQ(plan.path, QuadPath::Rotated);
  EXPECT_NEAR(std::fabs(plan.angleDegrees), 180.0, 1e-3);
}

TEST(QuadPlan, EverythingElseIsGeometry) {
  auto mirroredX = Rectangle(0, 0, 10, 10, 0xFFFFFFFF);
  std::swap(mirroredX.v[0].x, mirroredX.v[1].x);
  std::swap(mirroredX.v[2].x, mirroredX.v[3].x);
  EXPECT_EQ(PlanQuad(mirroredX.v, 4, 4).path, QuadPath::Geometry);

  auto flippedTexture = Rectangle(0, 0, 10, 10, 0xFFFFFFFF);
  std::swap(flippedTexture.v[0].v, flippedTexture.v[2].v);
  std::swap(flippedTexture.v[1].v, flippedTexture.v[3].v);
  EXPECT_EQ(PlanQuad(flippedTexture.v, 4, 4).path, QuadPath::Geometry);
  // Untextured, the texture coordinates do not matter.
  EXPECT_EQ(PlanQuad(flippedTexture.v, 0, 0).path, QuadPath::Copy);

  auto sheared = Rectangle(0, 0, 10, 10, 0xFFFFFFFF);
  sheared.v[2].x += 3;
  sheared.v[3].x += 3;
  EXPECT_EQ(PlanQuad(sheared.v, 4, 4).path, QuadPath::Geometry);

  auto twoColours = Rectangle(0, 0, 10, 10, 0xFFFFFFFF);
  twoColours.v[3].diffuse = 0xFF000000;
  EXPECT_EQ(PlanQuad(twoColours.v, 4, 4).path, QuadPath::Geometry);

  auto subTexel = Rectangle(0, 0, 10, 10, 0xFFFFFFFF);
  for (SpriteVertex& v : subTexel.v) v.u *= 0.1f;  // less than half a texel wide
  EXPECT_EQ(PlanQuad(subTexel.v, 4, 4).path, QuadPath::Geometry);
}

TEST(QuadPlan, ZeroAreaAndNotANumberDrawNothing) {
  EXPECT_EQ(PlanQuad(Rectangle(5, 5, 0, 0, 0xFFFFFFFF).v, 4, 4).path, QuadPath::Skip);
  EXPECT_EQ(PlanQuad(Rectangle(5, 5, 10, 0, 0xFFFFFFFF).v, 4, 4).path, QuadPath::Skip);
  EXPECT_EQ(PlanQuad(Rectangle(NAN, 5, 10, 10, 0xFFFFFFFF).v, 4, 4).path, QuadPath::Skip);
}
