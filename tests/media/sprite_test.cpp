#include "media/sprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "fakes/test_environment.h"

namespace {

class SpriteTest : public GameTest {};

}  // namespace

TEST_F(SpriteTest, LoadDecodesTheBitmapAndAppliesTheColourKey) {
  CSprite s;
  ASSERT_TRUE(LoadSpriteImage(112, s));  // 340 x 85, 4 bits
  auto* texture = dynamic_cast<FakeTexture*>(s.texture.get());
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->bitmapId, 112);
  EXPECT_EQ(s.textureWidth, 340u);
  EXPECT_EQ(s.textureHeight, 85u);
  EXPECT_EQ(texture->pixels.front(), FakeBitmapMarker(112));
  EXPECT_EQ(texture->pixels[1], 0xFF808080u);
  EXPECT_EQ(texture->pixels.back(), 0x00000000u);  // opaque black became transparent
  // A fresh sprite shows a 1 x 1 rectangle at the top left, in white.
  EXPECT_FLOAT_EQ(s.uLeft, 0.75f / 340);
  EXPECT_FLOAT_EQ(s.uWidth, 1.0f / 340);
  EXPECT_EQ(s.colour, 0xFFFFFFFFu);
}

TEST_F(SpriteTest, LoadsOneAfterAnotherEachHandOverOnlyTheirOwnPixels) {
  // A small picture after a large one, and the large one again, each hand over exactly their
  // own rows.
  CSprite large, small, again;
  ASSERT_TRUE(LoadSpriteImage(110, large));  // 800 x 600
  ASSERT_TRUE(LoadSpriteImage(112, small));  // 340 x 85
  ASSERT_TRUE(LoadSpriteImage(110, again));
  const auto* first = dynamic_cast<FakeTexture*>(large.texture.get());
  const auto* second = dynamic_cast<FakeTexture*>(small.texture.get());
  const auto* third = dynamic_cast<FakeTexture*>(again.texture.get());
  ASSERT_TRUE(first && second && third);
  EXPECT_EQ(second->bitmapId, 112);
  EXPECT_EQ(second->pixels.size(), 340u * 85u);
  EXPECT_EQ(second->pixels.back(), 0x00000000u);
  EXPECT_EQ(third->pixels, first->pixels);
}

TEST_F(SpriteTest, FailedLoadLeavesTheSpriteAsItWas) {
  CSprite s;
  ASSERT_TRUE(LoadSpriteImage(110, s));
  const ITexture* before = s.texture.get();
  resources.Remove(ResourceType::Bitmap, 111);
  EXPECT_FALSE(LoadSpriteImage(111, s));
  resources.Replace(ResourceType::Bitmap, 111, {1, 2, 3});
  EXPECT_FALSE(LoadSpriteImage(111, s));
  device.failTextures = true;
  EXPECT_FALSE(LoadSpriteImage(111, s));
  EXPECT_EQ(s.texture.get(), before);
  EXPECT_EQ(SpriteTextureCount(), 1u);
}

TEST_F(SpriteTest, RectangleUsesThreeQuarterTexelOffsetOfTheRealTextureSize) {
  device.roundTexturesToPowerOfTwo = true;
  CSprite s;
  ASSERT_TRUE(LoadSpriteImage(110, s));  // 800 x 600 in a 1024 x 1024 texture
  ASSERT_EQ(s.textureWidth, 1024u);
  ASSERT_TRUE(SetSpriteRect(s, 0, 0, 800, 600));
  EXPECT_FLOAT_EQ(s.uWidth, 0.78125f);
  EXPECT_FLOAT_EQ(s.uLeft, 0.75f / 1024);
  EXPECT_FLOAT_EQ(s.vHeight, 600.0f / 1024);
  ASSERT_TRUE(SetSpriteRect(s, 100, 200, -30, 2000));  // nothing is clamped
  EXPECT_FLOAT_EQ(s.uLeft, 100.75f / 1024);
  EXPECT_FLOAT_EQ(s.vTop, 200.75f / 1024);
  EXPECT_FLOAT_EQ(s.uWidth, -30.0f / 1024);

  CSprite empty;
  EXPECT_FALSE(SetSpriteRect(empty, 1, 1, 1, 1));
  EXPECT_EQ(empty.uLeft, 0.0f);
}

TEST_F(SpriteTest, DrawBuildsTheQuadInStripOrder) {
  CSprite s;
  ASSERT_TRUE(LoadSpriteImage(113, s));  // 500 x 200
  ASSERT_TRUE(SetSpriteRect(s, 10, 20, 30, 40));
  s.originX = 5;
  s.originY = 8;
  s.colour = 0x80FFFFFF;
  ASSERT_TRUE(DrawSprite(&device, s, 100, 50, 0.5f, 0, 0, 0.0f));
  ASSERT_EQ(device.Quads().size(), 1u);
  const DrawnQuad& q = device.Quads()[0];
  EXPECT_EQ(q.bitmapId, 113);
  const float xs[4] = {95, 125, 95, 125}, ys[4] = {42, 42, 82, 82};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(q.v[i].x, xs[i]) << i;
    EXPECT_FLOAT_EQ(q.v[i].y, ys[i]) << i;
    EXPECT_FLOAT_EQ(q.v[i].z, 0.5f);
    EXPECT_FLOAT_EQ(q.v[i].rhw, 1.0f);
    EXPECT_EQ(q.v[i].diffuse, 0x80FFFFFFu);
  }
  EXPECT_FLOAT_EQ(q.v[1].u, s.uLeft + s.uWidth);
  EXPECT_FLOAT_EQ(q.v[2].v, s.vTop + s.vHeight);
  EXPECT_EQ(q.SourcePixels(), (DrawnQuad::PixelRect{10, 20, 30, 40}));

  // An explicit size stretches the same rectangle.
  ASSERT_TRUE(DrawSprite(&device, s, 0, 0, 0, 300, 100, 0.0f));
  EXPECT_EQ(device.Quads()[1].ScreenPixels(), (DrawnQuad::PixelRect{-5, -8, 300, 100}));
}

TEST_F(SpriteTest, PositiveAngleTurnsClockwiseAboutTheAnchor) {
  CSprite s;
  ASSERT_TRUE(LoadSpriteImage(113, s));
  ASSERT_TRUE(SetSpriteRect(s, 0, 0, 40, 20));
  ASSERT_TRUE(DrawSprite(&device, s, 100, 100, 0, 0, 0, float(std::numbers::pi / 2)));
  const DrawnQuad& q = device.Quads()[0];
  // The top-right corner (40, 0) turns to straight below the anchor on screen.
  EXPECT_NEAR(q.v[0].x, 100, 1e-4);
  EXPECT_NEAR(q.v[0].y, 100, 1e-4);
  EXPECT_NEAR(q.v[1].x, 100, 1e-4);
  EXPECT_NEAR(q.v[1].y, 140, 1e-4);
  EXPECT_NEAR(q.v[2].x, 80, 1e-4);  // the bottom-left corner (0, 20) goes left
  EXPECT_NEAR(q.v[2].y, 100, 1e-4);
}

TEST_F(SpriteTest, MatrixProductAndRowTransform) {
  const Matrix3 quarter = Matrix3::Rotation(float(std::numbers::pi / 2));
  const Matrix3 half = quarter * quarter;
  float x = 1, y = 0, z = 1;
  half.TransformRow(x, y, z);
  EXPECT_NEAR(x, -1, 1e-6);
  EXPECT_NEAR(y, 0, 1e-6);
  EXPECT_FLOAT_EQ(z, 1);
  const Matrix3 sum = Matrix3::Identity() + Matrix3::Identity();
  EXPECT_EQ(sum.m[0], 2);
  EXPECT_EQ(sum.m[1], 0);
  EXPECT_EQ(sum.m[8], 2);
}

TEST_F(SpriteTest, QuadsNeedALoadedSpriteAndAnEmptySpriteDrawsItsColour) {
  CSprite overlay;
  overlay.colour = 0x80000000;
  EXPECT_FALSE(DrawSprite(&device, overlay, 0, 0, 0, 800, 600, 0));  // nothing loaded at all
  {
    CSprite loaded;
    ASSERT_TRUE(LoadSpriteImage(110, loaded));
    EXPECT_EQ(SpriteTextureCount(), 1u);
    ASSERT_TRUE(DrawSprite(&device, overlay, 0, 0, 0, 800, 600, 0));
    EXPECT_EQ(device.Quads().back().texture, nullptr);
    EXPECT_EQ(device.Quads().back().Colour(), 0x80000000u);
    // A sprite never loaded at natural size is a degenerate quad.
    CSprite never;
    ASSERT_TRUE(DrawSprite(&device, never, 10, 10, 0, 0, 0, 0));
    EXPECT_EQ(device.Quads().back().ScreenPixels(), (DrawnQuad::PixelRect{10, 10, 0, 0}));
  }
  EXPECT_EQ(SpriteTextureCount(), 0u);
  EXPECT_FALSE(DrawSprite(&device, overlay, 0, 0, 0, 800, 600, 0));
}

TEST_F(SpriteTest, CountFollowsTexturesNotReleaseCalls) {
  CSprite a, b;
  ASSERT_TRUE(LoadSpriteImage(110, a));
  ASSERT_TRUE(LoadSpriteImage(111, b));
  ASSERT_TRUE(LoadSpriteImage(112, b));  // replacing keeps the count
  EXPECT_EQ(SpriteTextureCount(), 2u);
  EXPECT_EQ(device.LiveTextures(), 2);
  // Releasing twice, or releasing a sprite that holds nothing, must not take another
  // sprite's place in the count (a scene releases in ReleaseResources and again on destruction).
  ReleaseSpriteImage(b);
  ReleaseSpriteImage(b);
  { CSprite temporary; }
  EXPECT_EQ(SpriteTextureCount(), 1u);
  EXPECT_TRUE(DrawSprite(&device, a, 0, 0, 0, 0, 0, 0));
  ReleaseSpriteImage(a);
  EXPECT_EQ(SpriteTextureCount(), 0u);
  EXPECT_EQ(device.LiveTextures(), 0);
}
