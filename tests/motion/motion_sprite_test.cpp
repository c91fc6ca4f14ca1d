// Drawing motion sprites: transform about the pivot, turning, clipping and depth order.
#include "motion/motion_sprite.h"

#include <vector>

#include "fakes/test_environment.h"

namespace {

class MotionSpriteDrawTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(LoadSpriteImage(124, images[0]));
    ASSERT_TRUE(LoadSpriteImage(115, images[1]));
  }
  void TearDown() override {
    for (MotionSprite*& s : list) MotionSprite::Release(s);
    for (CSprite& image : images) ReleaseSpriteImage(image);
    GameTest::TearDown();
  }
  MotionSprite* Add(int image, int w, int h, int px, int py, const char* script) {
    auto* s = new MotionSprite;
    s->Init(image, 0, 0, w, h, px, py);
    s->SetScript(script);
    list.push_back(s);
    return s;
  }
  const std::vector<DrawnQuad>& Draw() {
    device.ClearDrawLog();
    DrawMotionSprites(list.data(), images, static_cast<int>(list.size()));
    return device.Quads();
  }

  CSprite images[2];
  std::vector<MotionSprite*> list;
};

TEST_F(MotionSpriteDrawTest, UnscaledCellIsDrawnOneToOneAroundItsPivot) {
  MotionSprite* s = Add(1, 85, 85, 10, 20, "m180,416");
  s->cellColumn = 2;
  s->cellRow = 1;
  const auto& quads = Draw();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(quads[0].bitmapId, 115);
  EXPECT_EQ(quads[0].ScreenPixels(), (DrawnQuad::PixelRect{170, 396, 85, 85}));
  EXPECT_EQ(quads[0].SourcePixels(), (DrawnQuad::PixelRect{170, 85, 85, 85}));
}

TEST_F(MotionSpriteDrawTest, ScalingKeepsThePivotInPlace) {
  MotionSprite* s = Add(0, 322, 48, 161, 24, "m590,277");
  s->scaleX = 2.0f;
  const auto& quads = Draw();
  ASSERT_EQ(quads.size(), 1u);
  const DrawnQuad::PixelRect r = quads[0].ScreenPixels();
  EXPECT_EQ(r.x, 590 - 322);
  EXPECT_EQ(r.x + r.w, 590 + 322);
  EXPECT_EQ(r.y, 277 - 24);
  EXPECT_EQ(r.h, 48);
}

TEST_F(MotionSpriteDrawTest, TurnedSpritesShrinkAndVanishPastAQuarterTurn) {
  MotionSprite* s = Add(0, 100, 50, 0, 0, "m400,300r0.1");
  ASSERT_EQ(Draw().size(), 1u);
  s->SetScript("r0.3");
  EXPECT_TRUE(Draw().empty());
  s->SetScript("r-0.3");
  EXPECT_TRUE(Draw().empty());
}

TEST_F(MotionSpriteDrawTest, ClippedSpritesAreDrawnWholeOrNotAtAll) {
  MotionSprite* s = Add(1, 85, 85, 0, 0, "m100,95");
  s->clipLeft = 32;
  s->clipTop = 96;
  s->clipRight = 767;
  s->clipBottom = 431;
  EXPECT_TRUE(Draw().empty());  // anchor above the top edge
  s->SetScript("m100,96");
  EXPECT_EQ(Draw().size(), 1u);
  s->SetScript("m100,346");  // bottom edge exactly on the clip bottom
  EXPECT_EQ(Draw().size(), 1u);
  s->SetScript("m100,347");
  EXPECT_TRUE(Draw().empty());
  s->SetScript("m682,200");  // right edge on the clip right
  EXPECT_EQ(Draw().size(), 1u);
  s->SetScript("m683,200");
  EXPECT_TRUE(Draw().empty());
  s->SetScript("m31,200");
  EXPECT_TRUE(Draw().empty());
}

TEST_F(MotionSpriteDrawTest, HiddenSpritesKeepMovingButAreNotDrawn) {
  MotionSprite* s = Add(1, 85, 85, 0, 0, "h1m0,0m10,0,10");
  EXPECT_TRUE(Draw().empty());
  for (int i = 0; i < 5; ++i) s->Step();
  EXPECT_EQ(s->x, 5.0f);
  s->SetScript("h0");
  ASSERT_EQ(Draw().size(), 1u);
  EXPECT_EQ(s->x, 6.0f);
}

TEST_F(MotionSpriteDrawTest, DeeperSpritesFirstAndEqualDepthsInListOrder) {
  Add(0, 10, 10, 0, 0, "m1,0");
  Add(0, 10, 10, 0, 0, "m2,0i1");
  list.push_back(nullptr);
  Add(0, 10, 10, 0, 0, "m3,0");
  Add(0, 10, 10, 0, 0, "m4,0i-1");
  Add(0, 10, 10, 0, 0, "m5,0i1");
  std::vector<int> order;
  for (const DrawnQuad& q : Draw()) order.push_back(q.ScreenPixels().x);
  EXPECT_EQ(order, (std::vector<int>{2, 5, 1, 3, 4}));
  EXPECT_FLOAT_EQ(device.Quads()[0].v[0].z, 0.01f);  // depth / 100
}

TEST_F(MotionSpriteDrawTest, ReleaseFreesAnOwnedScript) {
  auto* s = new MotionSprite;
  s->Init(0, 0, 0, 1, 1, 0, 0);
  char* text = new char[8]{'m', '3', ',', '4'};
  s->SetScript(text);
  s->ownsScript = true;
  EXPECT_EQ(s->x, 3.0f);
  MotionSprite::Release(s);  // the sanitizer build reports a leak or a mismatched free
}

}  // namespace
