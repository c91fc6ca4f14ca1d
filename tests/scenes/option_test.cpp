// The option scene: volumes in force at once, display mode, and storing only on return.
#include "scenes/option.h"

#include <memory>
#include <string>
#include <vector>

#include "fakes/test_environment.h"

namespace {

class OptionTest : public GameTest {
 protected:
  COption* Open() {
    g_sceneManager.RequestScene(Option, false);
    RunFrame();
    return CurrentAs<COption>();
  }
  void Press(std::initializer_list<Button> buttons) {
    RunFrame(buttons);
    RunFrame();
  }
  int CursorBlips() const {
    int n = 0;
    for (const PlayEvent& e : audio->Plays()) n += e.waveId == 205;
    return n;
  }
  bool SaveFileExists() const { return StoredSave().has_value(); }
};

TEST_F(OptionTest, VolumePercentAndBack) {
  EXPECT_EQ(VolumePercent(0), 100);
  EXPECT_EQ(VolumePercent(-10000), 0);
  EXPECT_EQ(VolumePercent(-5000), 50);
  EXPECT_EQ(VolumePercent(-500), 95);
  EXPECT_EQ(VolumePercent(-12000), 0);  // out-of-range records show as they sound
  EXPECT_EQ(VolumePercent(700), 100);
  EXPECT_EQ(PercentVolume(0), -10000);
  EXPECT_EQ(PercentVolume(85), -1500);
  EXPECT_EQ(PercentVolume(100), 0);
}

TEST_F(OptionTest, LeftStepsTheMusicDownToSilence) {
  COption* option = Open();
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(option->musicPercent, 100);
  EXPECT_EQ(option->sprites[5]->scaleX, 1.0f);
  for (int i = 0; i < 10; ++i) Press({Left});
  EXPECT_EQ(option->musicPercent, 0);
  EXPECT_EQ(save.bgmVolume, -10000);
  EXPECT_EQ(option->sprites[5]->scaleX, 0.0f);
  EXPECT_EQ(CursorBlips(), 10);
  Press({Left});  // the blip still sounds
  EXPECT_EQ(save.bgmVolume, -10000);
  EXPECT_EQ(CursorBlips(), 11);
  EXPECT_EQ(save.seVolume, 0);
}

TEST_F(OptionTest, AVolumeBetweenStepsMovesByTens) {
  save.bgmVolume = -500;
  COption* option = Open();
  EXPECT_EQ(option->musicPercent, 95);
  EXPECT_FLOAT_EQ(option->sprites[5]->scaleX, 0.95f);
  Press({Right});
  EXPECT_EQ(option->musicPercent, 95);
  EXPECT_EQ(save.bgmVolume, -500);
  Press({Left});
  EXPECT_EQ(option->musicPercent, 85);
  EXPECT_EQ(save.bgmVolume, -1500);
}

TEST_F(OptionTest, LeftAndRightTogetherApplyTheDecreaseFirst) {
  save.bgmVolume = -10000;
  save.seVolume = -5000;
  COption* option = Open();
  Press({Left, Right});
  EXPECT_EQ(option->musicPercent, 10);
  Press({Down});
  Press({Left, Right});
  EXPECT_EQ(option->effectPercent, 50);
  Press({Down});
  Press({Left, Right});
  EXPECT_EQ(save.fullScreen, 1);
}

TEST_F(OptionTest, EffectVolumeAppliesToTheScenesOwnSoundsAtOnce) {
  COption* option = Open();
  Press({Down});
  Press({Left});
  EXPECT_EQ(option->effectPercent, 90);
  EXPECT_EQ(save.seVolume, -1000);
  EXPECT_EQ(audio->BufferOf(205)->volume, -1000);
  EXPECT_EQ(audio->BufferOf(206)->volume, -1000);
}

TEST_F(OptionTest, CursorMovesWithoutWrapping) {
  COption* option = Open();
  Press({Up});
  EXPECT_EQ(option->cursor, 0);
  EXPECT_EQ(CursorBlips(), 0);
  for (int i = 0; i < 4; ++i) Press({Down});
  EXPECT_EQ(option->cursor, 3);
  EXPECT_EQ(CursorBlips(), 3);
  EXPECT_TRUE(option->sprites[7]->flags & MotionSprite::Hidden);
  EXPECT_TRUE(option->sprites[9]->flags & MotionSprite::ZoomBounce);  // the return button pulses
  Press({Left});  // nothing to change on the return item
  EXPECT_EQ(CursorBlips(), 3);
}

TEST_F(OptionTest, ArrowsFollowTheCursorAndTheDisplayMode) {
  COption* option = Open();
  EXPECT_FALSE(option->sprites[2]->flags & MotionSprite::Hidden);
  EXPECT_EQ(option->sprites[7]->y, 160.0f);
  EXPECT_EQ(option->sprites[8]->x, 659.0f);  // bobbing outward from 658
  Press({Down});
  Press({Down});
  EXPECT_TRUE(option->sprites[7]->flags & MotionSprite::Hidden);
  EXPECT_FALSE(option->sprites[4]->flags & MotionSprite::Hidden);
  EXPECT_EQ(option->sprites[8]->y, 350.0f);
  EXPECT_LT(option->sprites[8]->x, 70.0f);  // next to "window"
  Press({Right});
  EXPECT_EQ(save.fullScreen, 1);
  EXPECT_TRUE(option->shownMode);
  EXPECT_GE(option->sprites[8]->x, 360.0f);
  Press({Left});
  EXPECT_EQ(save.fullScreen, 0);
}

TEST_F(OptionTest, AltEnterElsewhereMovesTheArrowInTheSameFrame) {
  COption* option = Open();
  Press({Down});
  Press({Down});
  save.fullScreen = 1;  // as the game application's Alt+Enter does before the scene step
  RunFrame();
  EXPECT_TRUE(option->shownMode);
  EXPECT_GE(option->sprites[8]->x, 360.0f);
}

TEST_F(OptionTest, CancelKeepsTheChangesButDoesNotStore) {
  COption* option = Open();
  Press({Left});
  EXPECT_EQ(option->musicPercent, 90);
  RunFrame({Back});
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  EXPECT_FALSE(SaveFileExists());
  EXPECT_EQ(save.bgmVolume, -1000);
}

TEST_F(OptionTest, ReturnItemStoresAndGoesToTheTitle) {
  COption* option = Open();
  for (int i = 0; i < 3; ++i) Press({Down});
  ASSERT_EQ(option->cursor, 3);
  RunFrame({Confirm});
  EXPECT_TRUE(SaveFileExists());
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
}

TEST_F(OptionTest, FailedStoreOnReturnIsReportedAndTheSceneStillLeaves) {
  // The folder lies under a file, so the save cannot be written.
  test_files::WriteBytes(saveFolder / "file", std::vector<uint8_t>{1});
  saveFile =
      std::make_unique<SaveFile>(SystemFileAccess(), (saveFolder / "file" / "saves").string(),
                                 [this](const std::string& line) { saveReports.push_back(line); });
  g_saveFile = saveFile.get();
  COption* option = Open();
  for (int i = 0; i < 3; ++i) Press({Down});
  ASSERT_EQ(option->cursor, 3);
  RunFrame({Confirm});
  ASSERT_EQ(saveReports.size(), 1u);
  EXPECT_EQ(saveReports[0].rfind("cannot store the save in ", 0), 0u);
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
}

TEST_F(OptionTest, ConfirmOnASettingOnlyPlaysTheDecideSound) {
  Open();
  RunFrame({Confirm});
  EXPECT_EQ(g_sceneManager.requestedScene, None);
  EXPECT_FALSE(SaveFileExists());
  ASSERT_FALSE(audio->Plays().empty());
  EXPECT_EQ(audio->Plays().back().waveId, 206);
}

}  // namespace
