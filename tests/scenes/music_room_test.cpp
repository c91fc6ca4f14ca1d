// The music room: tracks restart the music, stop stops it, leaving ends it.
#include "scenes/music_room.h"

#include "fakes/test_environment.h"

namespace {

class MusicRoomTest : public GameTest {
 protected:
  CMusicRoom* Open() {
    g_sceneManager.RequestScene(MusicRoom, false);
    RunFrame();
    return CurrentAs<CMusicRoom>();
  }
  void Press(Button b) {
    RunFrame({b});
    RunFrame();
  }
};

TEST_F(MusicRoomTest, TrackItemStartsTheMusicLoopingAtTheMusicVolume) {
  save.bgmVolume = -2000;
  save.seVolume = -3000;
  CMusicRoom* room = Open();
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(room->playing, -1);
  FakeAudioBuffer* music = audio->BufferOf(211);
  ASSERT_NE(music, nullptr);
  EXPECT_EQ(music->volume, -2000);
  EXPECT_EQ(audio->BufferOf(205)->volume, -3000);
  Press(Confirm);
  EXPECT_EQ(room->playing, 0);
  EXPECT_TRUE(music->playing);
  EXPECT_TRUE(music->looping);
}

TEST_F(MusicRoomTest, ChoosingATrackAgainRestartsTheMusic) {
  CMusicRoom* room = Open();
  Press(Down);
  Press(Confirm);
  FakeAudioBuffer* music = audio->BufferOf(211);
  music->Advance(1000);
  ASSERT_GT(music->position, 0u);
  Press(Down);
  Press(Confirm);
  EXPECT_EQ(room->cursor, 2);
  EXPECT_TRUE(music->playing);
  EXPECT_EQ(music->stopCalls, 1);
  EXPECT_EQ(audio->Plays().back().waveId, 211);
  EXPECT_EQ(audio->Plays().back().position, 0u);
}

TEST_F(MusicRoomTest, StopItemStopsTheMusicAndStopWithoutMusicOnlySounds) {
  CMusicRoom* room = Open();
  for (int i = 0; i < 4; ++i) Press(Down);
  ASSERT_EQ(room->cursor, 4);
  Press(Confirm);
  FakeAudioBuffer* music = audio->BufferOf(211);
  EXPECT_FALSE(music->playing);
  EXPECT_EQ(music->stopCalls, 0);
  EXPECT_EQ(room->playing, -1);
  room->cursor = 0;
  Press(Confirm);
  for (int i = 0; i < 4; ++i) Press(Down);
  Press(Confirm);
  EXPECT_FALSE(music->playing);
  EXPECT_EQ(room->playing, -1);
}

TEST_F(MusicRoomTest, CursorStopsAtBothEnds) {
  CMusicRoom* room = Open();
  Press(Up);
  EXPECT_EQ(room->cursor, 0);
  for (int i = 0; i < 7; ++i) Press(Down);
  EXPECT_EQ(room->cursor, 5);
  int blips = 0;
  for (const PlayEvent& e : audio->Plays()) blips += e.waveId == 205;
  EXPECT_EQ(blips, 5);
  EXPECT_TRUE(room->sprites[8]->flags & MotionSprite::ZoomBounce);
  EXPECT_FALSE(room->sprites[7]->flags & MotionSprite::ZoomBounce);
}

TEST_F(MusicRoomTest, LeavingEndsTheMusicWhenTheSceneIsReleased) {
  Open();
  Press(Confirm);
  ASSERT_TRUE(audio->BufferOf(211)->playing);
  RunFrame({Back});
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  EXPECT_TRUE(audio->BufferOf(211)->playing);  // still playing in the requesting frame
  RunFrame();
  EXPECT_EQ(audio->BufferOf(211), nullptr);
}

}  // namespace
