#include "scenes/logo.h"

#include <gtest/gtest.h>

#include "fakes/test_environment.h"
#include "system/shift_jis.h"

namespace {

class LogoTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    save.ruleTopic = 2;
    save.inGameMenu = 1;
    RequestScene(Logo, false);
  }
  CLogo* Scene() { return CurrentAs<CLogo>(); }

  // Alpha of this frame's black overlay, or -1 when none was drawn.
  int OverlayAlpha() const {
    for (const DrawnQuad& q : device.Quads())
      if (!q.texture) {
        EXPECT_EQ(q.ScreenPixels(), (DrawnQuad::PixelRect{0, 0, 800, 600}));
        EXPECT_EQ(q.Colour() & 0x00FFFFFF, 0u);
        return int(q.Colour() >> 24);
      }
    return -1;
  }
};

}  // namespace

TEST_F(LogoTest, FadeTimeline) {
  const std::pair<int, int> expected[] = {{1, 248},   {10, 191},  {20, 127}, {39, 6},
                                          {40, -1},   {220, -1},  {221, 6},  {240, 127},
                                          {259, 248}, {260, 255}, {261, 255}};
  int frame = 0;
  for (auto [at, alpha] : expected) {
    while (frame < at) {
      ASSERT_TRUE(RunFrame());
      ++frame;
    }
    ASSERT_NE(Scene(), nullptr);
    EXPECT_EQ(Scene()->counter, at);
    EXPECT_EQ(OverlayAlpha(), alpha) << "counter " << at;
    // The logo itself is drawn first, whole, every frame.
    ASSERT_FALSE(device.Quads().empty());
    EXPECT_EQ(device.Quads()[0].bitmapId, 110);
    EXPECT_EQ(device.Quads()[0].SourcePixels(), (DrawnQuad::PixelRect{0, 0, 800, 600}));
    EXPECT_EQ(device.Quads()[0].ScreenPixels(), (DrawnQuad::PixelRect{0, 0, 800, 600}));
  }
}

TEST_F(LogoTest, TitleIsRequestedOnTheFrame261AndTheSoundNeverPlays) {
  ASSERT_TRUE(RunFrames(260));
  EXPECT_EQ(g_sceneManager.requestedScene, None);
  EXPECT_EQ(save.ruleTopic, 2);
  ASSERT_TRUE(RunFrame());
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  EXPECT_FALSE(g_sceneManager.keepCurrent);
  EXPECT_EQ(save.ruleTopic, -1);
  EXPECT_EQ(save.inGameMenu, 0);
  EXPECT_TRUE(audio->Plays().empty());
  ASSERT_NE(audio->BufferOf(206), nullptr);  // loaded all the same
}

TEST_F(LogoTest, ConfirmSkipsToTheFullLogoThenToTheEnd) {
  ASSERT_TRUE(RunFrames(5));
  ASSERT_TRUE(RunFrame({Confirm}));  // Input moves 5 -> 40, Update 41
  EXPECT_EQ(Scene()->counter, 41);
  EXPECT_EQ(OverlayAlpha(), -1);
  ASSERT_TRUE(RunFrames(3, {Confirm}));  // held: no new press
  EXPECT_EQ(Scene()->counter, 44);
  ASSERT_TRUE(RunFrame());
  ASSERT_TRUE(RunFrame({Confirm}));  // a new press jumps to 260, Update 261
  EXPECT_EQ(Scene()->counter, 261);
  EXPECT_EQ(OverlayAlpha(), 255);
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
}

TEST_F(LogoTest, OtherButtonsAndAHeldConfirmDoNothing) {
  ASSERT_TRUE(RunFrame({Confirm}));  // held before the logo's first Input
  ASSERT_TRUE(RunFrames(3, {Confirm, Button1, Back, Button2, Button3}));
  EXPECT_EQ(Scene()->counter, 4);
}

TEST_F(LogoTest, MissingBitmapFailsButStillLoadsTheSound) {
  resources.Remove(ResourceType::Bitmap, 110);
  EXPECT_FALSE(RunFrame());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "画像ファイルの読み込みに失敗"_sj);
  EXPECT_EQ(messages.shown[0].caption, "ロゴ初期化エラー"_sj);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  // The sound was loaded, then released with the failed scene.
  EXPECT_EQ(audio->log->buffersCreated, 1);
  EXPECT_TRUE(audio->log->live.empty());
}

TEST_F(LogoTest, BothMissingShowsBothMessages) {
  resources.Remove(ResourceType::Bitmap, 110);
  resources.Remove(ResourceType::Wave, 206);
  EXPECT_FALSE(RunFrame());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "サウンドファイルの読み込みに失敗"_sj);
  EXPECT_EQ(messages.shown[1].caption, "ゲームメイン初期化エラー"_sj);
}

TEST_F(LogoTest, ReleaseAndReloadAroundADeviceReset) {
  ASSERT_TRUE(RunFrames(30));
  g_sceneManager.NotifyScenesRelease(true);
  EXPECT_EQ(device.LiveTextures(), 0);
  EXPECT_TRUE(audio->log->live.empty());
  g_sceneManager.NotifyScenesLoad(true);
  ASSERT_TRUE(RunFrame());
  EXPECT_EQ(Scene()->counter, 31);  // carries on where it was
  EXPECT_EQ(device.Quads()[0].bitmapId, 110);
}
