#include "scenes/play.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "fakes/test_environment.h"
#include "game/enemies.h"
#include "media/picture_cache.h"
#include "scenes/game_over.h"
#include "system/random.h"
#include "system/shift_jis.h"

class PlayTest : public GameTest {
 protected:
  // Requests the play scene and runs the frame that creates it.
  CPlay* StartGame() {
    g_sceneManager.RequestScene(Play, false);
    RunFrame();
    return CurrentAs<CPlay>();
  }
  int PlaysOf(int wave) const {
    int n = 0;
    for (const PlayEvent& e : audio->Plays()) n += e.waveId == wave;
    return n;
  }
  static bool Live(int kind) {
    for (const CEffectSingle& e : g_effects)
      if (e.kind == kind) return true;
    return false;
  }
};

TEST_F(PlayTest, AGameFadesInWithTheJingleThenTheMusic) {
  CPlay* play = StartGame();
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(play->phase, PhasePlaying);
  EXPECT_EQ(save.score, 0);
  EXPECT_EQ(save.distance, 0);
  EXPECT_EQ(play->fade, 255);
  const DrawnQuad& overlay = device.Quads().back();
  EXPECT_EQ(overlay.texture, nullptr);
  EXPECT_EQ(overlay.Colour(), 0xFF000000u);
  EXPECT_EQ(overlay.ScreenPixels(), (DrawnQuad::PixelRect{0, 0, 800, 600}));
  EXPECT_EQ(PlaysOf(212), 1);
  EXPECT_TRUE(Live(EffectStart));
  EXPECT_EQ(PlaysOf(208), 0);  // the music waits for the jingle

  audio->BufferOf(212)->Advance(kFakeWaveFrames);
  RunFrames(20);
  EXPECT_EQ(play->fade, 0);  // the fade-in is over after 21 frames
  EXPECT_TRUE(audio->BufferOf(208)->playing);
  EXPECT_TRUE(audio->BufferOf(208)->looping);
  EXPECT_EQ(device.Quads().back().bitmapId, 121);  // the top bar is drawn last
}

TEST_F(PlayTest, DrawNumberLaysDigitsOutFromTheRight) {
  CSprite digits;
  ASSERT_TRUE(LoadSpriteImage(121, digits));
  DrawNumber(digits, 0, 248);
  ASSERT_EQ(device.Quads().size(), 1u);
  EXPECT_EQ(device.Quads()[0].ScreenPixels(), (DrawnQuad::PixelRect{224, 56, 24, 32}));
  EXPECT_EQ(device.Quads()[0].SourcePixels(), (DrawnQuad::PixelRect{0, 0, 24, 32}));

  device.ClearDrawLog();
  DrawNumber(digits, 999999999, 248);
  ASSERT_EQ(device.Quads().size(), 9u);
  EXPECT_EQ(device.Quads().front().ScreenPixels().x, 224);
  EXPECT_EQ(device.Quads().back().ScreenPixels().x, 32);
  for (const DrawnQuad& q : device.Quads()) EXPECT_EQ(q.SourcePixels().x, 216);
}

TEST_F(PlayTest, TheEndingRunsFor101FramesThenAsksForTheGameOver) {
  CPlay* play = StartGame();
  SpawnEnemy(play->player.x, play->player.y, EnemyBeard);
  RunFrame();
  ASSERT_EQ(play->phase, PhaseCaught);
  const float x = play->player.x;
  const float scroll = play->map.scroll;
  for (int phaseFrame = 1; phaseFrame <= 101; ++phaseFrame) {
    SCOPED_TRACE(phaseFrame);
    RunFrame({Button3, Up});  // no pause and no line moves in the ending
    EXPECT_EQ(PlaysOf(202), 1);
    EXPECT_EQ(Live(EffectFinish), phaseFrame >= 50);
    if (phaseFrame == 80) {
      EXPECT_EQ(play->fade, 0);
    }
    if (phaseFrame == 81) {
      EXPECT_EQ(play->fade, 13);
    }
    EXPECT_EQ(g_sceneManager.requestedScene, phaseFrame > 100 ? GameOver : None);
  }
  EXPECT_TRUE(g_sceneManager.suspended.empty());
  EXPECT_EQ(play->player.x, x);  // a caught heroine does not slide back
  EXPECT_EQ(play->map.scroll, scroll);
  EXPECT_EQ(play->player.timer, 101);
  RunFrame();
  EXPECT_NE(CurrentAs<CGameOver>(), nullptr);
}

TEST_F(PlayTest, ACutOffSlidesTheFieldBackToTheColumnEdge) {
  CPlay* play = StartGame();
  play->map.scroll = 8;
  play->player.kind = PlayerCutOff;
  SpawnEnemy(400, 304, EnemyBeard);
  RunFrame();
  ASSERT_EQ(play->phase, PhaseCutOff);
  const float scroll = play->map.scroll;  // 8 + 0.85
  const float x = play->player.x;
  const float enemyX = g_enemies[0].x;
  RunFrames(3);
  EXPECT_EQ(play->map.scroll, 0.0f);
  EXPECT_FLOAT_EQ(play->player.x, x + scroll);
  EXPECT_FLOAT_EQ(g_enemies[0].x, enemyX + scroll);
  RunFrame();
  EXPECT_FLOAT_EQ(play->player.x, x + scroll);
}

TEST_F(PlayTest, EscPausesUnderTheTitleAndTheGameResumesWhereItStopped) {
  CPlay* play = StartGame();
  audio->BufferOf(212)->Advance(kFakeWaveFrames);
  RunFrame();
  FakeAudioBuffer* music = audio->BufferOf(208);
  ASSERT_TRUE(music->playing);
  music->Advance(10);
  const int32_t phaseFrame = play->phaseFrame;

  SoundPlay(play->sounds[SoundDiamond]);
  SoundPlay(play->sounds[SoundMonster]);
  SoundPlay(play->sounds[SoundEnding]);
  CInput esc;
  esc.held[Button3] = true;
  play->Input(esc);
  for (const CSound& sound : play->sounds) EXPECT_FALSE(SoundIsPlaying(sound));
  EXPECT_EQ(save.ruleTopic, 0);  // the title opens on its how-to-play page
  EXPECT_TRUE(save.inGameMenu);
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  EXPECT_TRUE(g_sceneManager.keepCurrent);
  RunFrame();
  ASSERT_EQ(g_sceneManager.suspended.size(), 1u);
  EXPECT_EQ(g_sceneManager.suspended[0].get(), play);

  save.bgmVolume = -500;  // changed in the options meanwhile
  g_sceneManager.RequestScene(Pop, false);
  RunFrame();
  ASSERT_EQ(Current(), play);
  EXPECT_EQ(play->phaseFrame, phaseFrame + 1);
  EXPECT_EQ(PlaysOf(212), 1);  // no second jingle
  EXPECT_TRUE(music->playing);
  EXPECT_EQ(audio->Plays().back().position, 10u);  // the music goes on where it stopped
  EXPECT_EQ(music->volume, -500);
}

TEST_F(PlayTest, MissingPicturesAreReportedAndMissingSoundsRefuseTheScene) {
  resources.Remove(ResourceType::Bitmap, 105);
  ASSERT_NE(StartGame(), nullptr);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "画像ファイルの読み込みに失敗"_sj);
  EXPECT_EQ(messages.shown[0].caption, "ゲームメイン初期化エラー"_sj);
  EXPECT_TRUE(RunFrames(10));

  g_sceneManager.Clear();
  resources.Remove(ResourceType::Wave, 209);
  g_sceneManager.RequestScene(Play, false);
  EXPECT_FALSE(RunFrame());
  EXPECT_EQ(messages.shown.back().text, "サウンドファイルの読み込みに失敗"_sj);
  EXPECT_EQ(Current(), nullptr);
}

namespace {

struct GameRecord {
  int frames = 0;
  int32_t score = 0, distance = 0;
  size_t trace = 0;  // hash of the heroine's path and the score frame by frame
};

}  // namespace

class WholeGameTest : public PlayTest {
 protected:
  // A game from the play request to the game over scene, shifting lines now and then.
  GameRecord PlayToGameOver(uint32_t seed) {
    GameSrand(seed);
    GameRecord record;
    CPlay* play = StartGame();
    while (!CurrentAs<CGameOver>() && record.frames < 60000) {
      if (record.frames % 40 == 0) {
        RunFrame({Up});
      } else if (record.frames % 300 < 50) {
        RunFrame({Button1});
      } else {
        RunFrame();
      }
      ++record.frames;
      if (CurrentAs<CPlay>()) {
        record.trace = record.trace * 31 + std::hash<float>{}(play->player.x);
        record.trace = record.trace * 31 + std::hash<float>{}(play->player.y) + save.score;
      }
    }
    record.score = save.score;
    record.distance = save.distance;
    return record;
  }
};

TEST_F(WholeGameTest, AGameIsPlayedToTheRankAndBackToTheTitle) {
  const GameRecord game = PlayToGameOver(12345);
  CGameOver* over = CurrentAs<CGameOver>();
  ASSERT_NE(over, nullptr) << "still playing after " << game.frames << " frames";
  EXPECT_GT(game.distance, 0);
  EXPECT_GE(game.score, 100 * game.distance);
  EXPECT_EQ(save.highScore, save.score);  // the opening columns are not part of it
  EXPECT_EQ(over->rank, RankOfScore(save.score));

  RunFrames(30, {Confirm});  // pressed during the fade-in, then only held
  EXPECT_EQ(over->phase, Waiting);
  RunFrame();
  RunFrame({Confirm});
  EXPECT_EQ(over->phase, FadeOut);
  for (int i = 0; i < 30 && g_sceneManager.requestedScene != Title; ++i) RunFrame();
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  EXPECT_EQ(save.ruleTopic, -1);
  EXPECT_FALSE(save.inGameMenu);
}

TEST_F(WholeGameTest, TheSameSeedPlaysTheSameGame) {
  const GameRecord first = PlayToGameOver(777);
  g_sceneManager.Clear();
  const GameRecord second = PlayToGameOver(777);
  EXPECT_EQ(first.frames, second.frames);
  EXPECT_EQ(first.score, second.score);
  EXPECT_EQ(first.trace, second.trace);
  EXPECT_EQ(save.highScore, std::max(first.score, second.score));
  g_sceneManager.Clear();
  EXPECT_NE(PlayToGameOver(778).trace, first.trace);
}

// A game asks for the game over's pictures and jingle to be readied ahead as it starts, and again
// as it resumes from the pause menu, whose pages may have pushed them out of the caches.
TEST_F(PlayTest, TheGameOversPicturesAreDecodedAheadDuringAGame) {
  PictureCache atStart(16 << 20), afterPause(16 << 20);
  g_pictures = &atStart;
  CPlay* play = StartGame();
  while (atStart.PrefetchOne()) {}
  while (soundBank.PrefetchOne()) {}
  EXPECT_EQ(audio->log->prepared, (std::vector<int>{210})) << "the game over's jingle";
  g_pictures = &afterPause;
  if (play) {
    CInput esc;
    esc.held[Button3] = true;
    play->Input(esc);
    RunFrame();
    g_sceneManager.RequestScene(Pop, false);
    RunFrame();
  }
  while (afterPause.PrefetchOne()) {}
  while (soundBank.PrefetchOne()) {}
  EXPECT_EQ(audio->log->prepared, (std::vector<int>{210, 210}));
  g_pictures = nullptr;
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(Current(), play);

  for (int id : CGameOver::Pictures()) resources.Remove(ResourceType::Bitmap, id);
  for (int id : CGameOver::Pictures()) {
    EXPECT_NE(atStart.Get(id), nullptr) << "picture " << id << " as the game started";
    EXPECT_NE(afterPause.Get(id), nullptr) << "picture " << id << " after the pause";
  }
}
