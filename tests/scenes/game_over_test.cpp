#include "scenes/game_over.h"

#include <cstring>

#include "fakes/test_environment.h"
#include "system/shift_jis.h"

class GameOverTest : public GameTest {
 protected:
  CGameOver* Open(int32_t score) {
    save.score = score;
    save.distance = 321;
    save.ruleTopic = 0;
    save.inGameMenu = 1;
    g_sceneManager.RequestScene(GameOver, false);
    RunFrame();
    return CurrentAs<CGameOver>();
  }
};

TEST_F(GameOverTest, TheScoreGivesTheRankAndItsPicture) {
  struct Case {
    int32_t score, rank, picture;
  };
  for (Case c : {Case{0, 5, 104}, Case{9999, 5, 104}, Case{10000, 4, 104}, Case{99999, 4, 104},
                 Case{100000, 3, 103}, Case{249999, 3, 103}, Case{250000, 2, 103},
                 Case{499999, 2, 103}, Case{500000, 1, 102}, Case{999999, 1, 102},
                 Case{1000000, 0, 101}, Case{999999999, 0, 101}}) {
    SCOPED_TRACE(c.score);
    CGameOver* over = Open(c.score);
    ASSERT_NE(over, nullptr);
    EXPECT_EQ(over->rank, c.rank);
    std::vector<DrawnQuad> reward = device.QuadsOfBitmap(c.picture);
    ASSERT_EQ(reward.size(), 1u);
    EXPECT_EQ(reward[0].ScreenPixels(), (DrawnQuad::PixelRect{110, 95, 580, 420}));
    std::vector<DrawnQuad> labels = device.QuadsOfBitmap(126);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].SourcePixels(), (DrawnQuad::PixelRect{0, 48 * c.rank, 200, 48}));
    g_sceneManager.Clear();
  }
}

TEST_F(GameOverTest, TheBestScoreIsStoredByTheEndOfTheFadeIn) {
  save.highScore = 45600;
  ASSERT_FALSE(StoredSave());
  CGameOver* over = Open(45600);
  ASSERT_NE(over, nullptr);
  while (over->phase == FadeIn) RunFrame();
  const std::optional<SaveData> stored = StoredSave();
  ASSERT_TRUE(stored) << "a kill during the game over screen would lose the best score";
  EXPECT_EQ(stored->highScore, 45600);
  EXPECT_EQ(stored->score, 45600);
}

TEST_F(GameOverTest, TheCommentIsCentredInTheBox) {
  Open(5000);
  ASSERT_EQ(device.Texts().size(), 1u);
  const DrawnText& text = device.Texts()[0];
  EXPECT_EQ(text.sjis, "うぅ、全然ダメェ～"_sj);
  EXPECT_EQ(text.left, (50 - 18) * 8);
  EXPECT_EQ(text.top, 554);
  EXPECT_EQ(text.argb, 0xFF000000u);
  EXPECT_EQ(text.fontHeight, 32);
  // The top bar shows the score and the distance; a black overlay covers the first frame.
  EXPECT_EQ(device.QuadsOfBitmap(125).size(), 1u + 4u + 3u);
  EXPECT_EQ(device.Quads().back().Colour(), 0xFF000000u);
  EXPECT_EQ(device.Quads().back().texture, nullptr);
}

TEST_F(GameOverTest, OnlyAPressAfterTheFadeInLeavesForTheTitle) {
  CGameOver* over = Open(20000);
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(audio->Plays().size(), 1u);  // the jingle
  // Presses during the fade-in, the last one held on.
  for (int frame = 0; frame < 20; ++frame) {
    if (frame < 18 && frame % 2) {
      RunFrame({Confirm});
    } else {
      RunFrame({Button1});
    }
  }
  EXPECT_EQ(over->phase, Waiting);
  EXPECT_EQ(over->fade, 0);
  RunFrames(5, {Button1});  // held since the fade-in: no new press
  EXPECT_EQ(over->phase, Waiting);
  RunFrame();
  RunFrame({Confirm});
  EXPECT_EQ(over->phase, FadeOut);
  RunFrames(19);
  EXPECT_EQ(g_sceneManager.requestedScene, None);
  EXPECT_EQ(over->fade, 247);
  RunFrame();
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  EXPECT_EQ(save.ruleTopic, -1);
  EXPECT_FALSE(save.inGameMenu);
}
