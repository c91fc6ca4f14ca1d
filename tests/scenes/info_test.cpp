// The info scene: the announcement in black, scrolling by at least one line.
#include "scenes/info.h"

#include "fakes/test_environment.h"
#include "scenes/title.h"

namespace {

class InfoTest : public GameTest {
 protected:
  CInfo* Open() {
    g_sceneManager.RequestScene(Info, false);
    RunFrame();
    return CurrentAs<CInfo>();
  }
};

TEST_F(InfoTest, ShowsTheAnnouncementInBlackWithTheDownArrow) {
  CInfo* info = Open();
  ASSERT_NE(info, nullptr);
  RunFrame();
  ASSERT_EQ(device.TextsAbove(500).size(), 10u);
  for (const DrawnText& t : device.TextsAbove(500)) EXPECT_EQ(t.argb, 0xFF000000u);
  EXPECT_FALSE(info->sprites[3]->flags & MotionSprite::Hidden);
  EXPECT_EQ(device.QuadsOfBitmap(128).size(), 1u);  // background
  bool caption = false;
  for (const DrawnQuad& q : device.QuadsOfBitmap(117)) {
    caption |= q.ScreenPixels() == DrawnQuad::PixelRect{300, 10, 200, 60};
  }
  EXPECT_TRUE(caption);
}

TEST_F(InfoTest, ScrollsToItsLastLineAndLeavesForTheTitle) {
  CInfo* info = Open();
  const int last = info->window->lineCount - 11;
  ASSERT_GE(last, 1);
  for (int i = 0; i < last + 2; ++i) {
    RunFrame({Down});
    RunFrame();
  }
  EXPECT_EQ(info->window->firstLine, last);
  EXPECT_TRUE(info->sprites[3]->flags & MotionSprite::Hidden);
  EXPECT_FALSE(info->sprites[2]->flags & MotionSprite::Hidden);
  RunFrame({Back});
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  RunFrame();
  EXPECT_NE(CurrentAs<CTitle>(), nullptr);
}

}  // namespace
