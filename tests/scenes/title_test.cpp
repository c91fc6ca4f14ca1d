// The title scene as main menu and pause menu, driven frame by frame.
#include "scenes/title.h"

#include <memory>
#include <vector>

#include "fakes/test_environment.h"
#include "scenes/texts.h"
#include "system/shift_jis.h"

namespace {

// A stand-in for the suspended play scene.
class SuspendedGame : public CScene {
 public:
  bool Init() override { return true; }
  void Input(const CInput&) override {}
  bool Update() override {
    ++updates;
    return true;
  }
  void Draw(CFont* const*) override {}
  bool LoadResources(bool) override { return true; }
  void ReleaseResources(bool) override {}
  void Resume() override { ++resumes; }
  int updates = 0;
  int resumes = 0;
};

class TitleTest : public GameTest {
 protected:
  CTitle* Open() {
    g_sceneManager.RequestScene(Title, false);
    RunFrame();
    return CurrentAs<CTitle>();
  }
  // A press of one button, then a frame with it released.
  void Press(Button b) {
    RunFrame({b});
    RunFrame();
  }
  SuspendedGame* SuspendGame() {
    auto game = std::make_unique<SuspendedGame>();
    SuspendedGame* raw = game.get();
    g_sceneManager.suspended.push_back(std::move(game));
    save.ruleTopic = 0;
    save.inGameMenu = 1;
    return raw;
  }
  int PlaysOf(int wave) const {
    int n = 0;
    for (const PlayEvent& e : audio->Plays()) n += e.waveId == wave;
    return n;
  }
};

TEST_F(TitleTest, OpensOnTheTopMenuWithTheJingle) {
  save.ruleTopic = -1;
  CTitle* title = Open();
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->menuLevel, 0);
  EXPECT_EQ(title->topCursor, 0);
  EXPECT_EQ(title->subCursor, -1);
  EXPECT_EQ(PlaysOf(203), 1);
  for (const DrawnText& t : device.TextsAbove(500))
    EXPECT_EQ(t.sjis, "");  // typing starts next frame
  RunFrames(4);
  EXPECT_EQ(PlaysOf(203), 1);
  ASSERT_FALSE(device.TextsAbove(500).empty());
  EXPECT_EQ(device.TextsAbove(500)[0].sjis, "ゲー"_sj);  // one byte per frame
  EXPECT_EQ(device.TextsAbove(500)[0].left, 64);
  EXPECT_EQ(device.TextsAbove(500)[0].top, 266);
  EXPECT_TRUE(title->motionSprites[35]->flags & MotionSprite::Hidden);  // pause logo
  EXPECT_FALSE(title->motionSprites[0]->flags & MotionSprite::Hidden);
}

TEST_F(TitleTest, CursorVisitsTheVisibleItemsInScreenOrderAndWraps) {
  save.ruleTopic = -1;
  CTitle* title = Open();
  std::vector<int> down;
  for (int i = 0; i < 6; ++i) {
    Press(Down);
    down.push_back(title->topCursor);
  }
  EXPECT_EQ(down, (std::vector<int>{1, 2, 6, 7, 5, 0}));
  std::vector<int> up;
  for (int i = 0; i < 6; ++i) {
    Press(Up);
    up.push_back(title->topCursor);
  }
  EXPECT_EQ(up, (std::vector<int>{5, 7, 6, 2, 1, 0}));
  EXPECT_EQ(PlaysOf(205), 12);
  RunFrame({Up, Down});  // both together: no move, no sound
  EXPECT_EQ(title->topCursor, 0);
  EXPECT_EQ(PlaysOf(205), 12);
  EXPECT_FALSE(title->motionSprites[36]->flags & MotionSprite::Hidden) << "the replays item";
  EXPECT_EQ(title->motionSprites[36]->y, 469.0f);
  EXPECT_EQ(title->motionSprites[8]->y, 517.0f) << "the quit item under it";
}

// Over a paused game the replays are not offered: the menu is as it always was.
TEST_F(TitleTest, ThePauseMenuHasNoReplaysItem) {
  SuspendGame();
  save.ruleTopic = -1;
  CTitle* title = Open();
  std::vector<int> down;
  for (int i = 0; i < 5; ++i) {
    Press(Down);
    down.push_back(title->topCursor);
  }
  EXPECT_EQ(down, (std::vector<int>{1, 2, 6, 5, 0}));
  EXPECT_TRUE(title->motionSprites[36]->flags & MotionSprite::Hidden);
  EXPECT_EQ(title->motionSprites[8]->y, 469.0f);
  g_sceneManager.Clear();
}

TEST_F(TitleTest, MovingTheCursorHighlightsAndDescribesTheNewItem) {
  save.ruleTopic = -1;
  CTitle* title = Open();
  Press(Down);
  EXPECT_EQ(title->window->text, TitleTopDescriptions[1]);
  EXPECT_EQ(title->window->revealed, 2);  // typing restarted
  EXPECT_EQ(title->motionSprites[3]->scaleX, 1.0f);
  EXPECT_EQ(title->motionSprites[3]->flags & MotionSprite::ZoomBounce, 0u);
  EXPECT_TRUE(title->motionSprites[4]->flags & MotionSprite::ZoomBounce);
  EXPECT_GT(title->motionSprites[4]->scaleSpeedX, 0.0f);
}

TEST_F(TitleTest, HoldingDownRepeatsAfterTheDelay) {
  save.ruleTopic = -1;
  CTitle* title = Open();
  std::vector<int> visited;
  for (int frame = 0; frame < 20; ++frame) {
    RunFrame({Down});
    if (visited.empty() || visited.back() != title->topCursor) visited.push_back(title->topCursor);
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 6, 7, 5}));  // frames 1, 11, 14, 17, 20
}

TEST_F(TitleTest, ReturningFromTheRuleSceneOpensTheHowToPlayMenu) {
  save.ruleTopic = 1;
  CTitle* title = Open();
  EXPECT_EQ(title->menuLevel, 2);
  EXPECT_EQ(title->subCursor, 0);
  EXPECT_EQ(save.ruleTopic, -1);
  EXPECT_EQ(title->window->text, HowToPlayDescriptions[0]);
  EXPECT_FALSE(title->motionSprites[14]->flags & MotionSprite::Hidden);
  EXPECT_TRUE(title->motionSprites[3]->flags & MotionSprite::Hidden);
  Press(Back);  // no game suspended: back to the top menu
  EXPECT_EQ(title->menuLevel, 0);
  EXPECT_EQ(title->topCursor, 0);
  EXPECT_EQ(PlaysOf(206), 1);
}

TEST_F(TitleTest, HowToPlayItemsRequestTheRuleSceneWithTheirTopic) {
  for (int topic = 0; topic < 3; ++topic) {
    save.ruleTopic = 0;
    CTitle* title = Open();
    for (int i = 0; i < topic; ++i) Press(Down);
    EXPECT_EQ(title->subCursor, topic);
    RunFrame({Confirm});
    EXPECT_EQ(save.ruleTopic, topic);
    EXPECT_EQ(g_sceneManager.requestedScene, Rule);
    g_sceneManager.Clear();
  }
}

TEST_F(TitleTest, SubmenuWrapsAndItsBackItemReturnsToTheTopMenu) {
  save.ruleTopic = 0;
  CTitle* title = Open();
  Press(Up);
  EXPECT_EQ(title->subCursor, 3);
  EXPECT_EQ(title->window->text, HowToPlayDescriptions[3]);
  Press(Down);
  EXPECT_EQ(title->subCursor, 0);
  Press(Up);
  Press(Button1);
  EXPECT_EQ(title->menuLevel, 0);
  Press(Down);
  Press(Confirm);  // how to play
  EXPECT_EQ(title->menuLevel, 2);
}

TEST_F(TitleTest, TopItemsRequestTheirScenes) {
  struct Case {
    int downs;
    SceneId scene;
  };
  for (Case c : {Case{0, Play}, Case{2, Option}, Case{3, Info}, Case{4, ReplayList}}) {
    save.ruleTopic = -1;
    save.difficulty = 2;
    CTitle* title = Open();
    for (int i = 0; i < c.downs; ++i) Press(Down);
    RunFrame({Confirm});
    EXPECT_EQ(g_sceneManager.requestedScene, c.scene) << title->topCursor;
    g_sceneManager.Clear();
  }
  EXPECT_EQ(save.difficulty, 2);  // only starting a game sets it
  save.ruleTopic = -1;
  Open();
  RunFrame({Confirm});
  EXPECT_EQ(save.difficulty, 0);
}

TEST_F(TitleTest, QuitEndsTheProgramThroughTheNormalPath) {
  save.ruleTopic = -1;
  CTitle* title = Open();
  Press(Up);
  ASSERT_EQ(title->topCursor, 5);
  EXPECT_FALSE(RunFrame({Confirm}));
}

TEST_F(TitleTest, PauseMenuPopsBackToTheSuspendedGame) {
  SuspendedGame* game = SuspendGame();
  CTitle* title = Open();
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->menuLevel, 2);
  EXPECT_TRUE(title->motionSprites[0]->flags & MotionSprite::Hidden);
  EXPECT_FALSE(title->motionSprites[35]->flags & MotionSprite::Hidden);
  RunFrame({Back});  // cancel on the submenu
  RunFrame();
  EXPECT_EQ(Current(), game);
  EXPECT_EQ(game->resumes, 1);
  EXPECT_EQ(game->updates, 1);
  EXPECT_TRUE(g_sceneManager.suspended.empty());
}

TEST_F(TitleTest, PauseMenuBackItemAndStartItemAlsoReturnToTheGame) {
  SuspendedGame* game = SuspendGame();
  Open();
  Press(Up);  // the back item
  RunFrame({Confirm});
  RunFrame();
  EXPECT_EQ(Current(), game);

  g_sceneManager.Clear();
  game = SuspendGame();
  save.ruleTopic = -1;
  Open();
  save.difficulty = 2;
  RunFrame({Confirm});  // start item with a game suspended
  RunFrame();
  EXPECT_EQ(Current(), game);
  EXPECT_EQ(save.difficulty, 2);
}

TEST_F(TitleTest, CancelWinsOverConfirmInTheSameFrame) {
  save.ruleTopic = 0;
  CTitle* title = Open();
  RunFrame({Back, Confirm});
  EXPECT_EQ(title->menuLevel, 0);
  EXPECT_EQ(g_sceneManager.requestedScene, None);
  EXPECT_EQ(PlaysOf(206), 2);
}

TEST_F(TitleTest, BestScoreShowsItsDigitsWithoutLeadingZeros) {
  save.ruleTopic = -1;
  save.highScore = 1234;
  Open();
  std::vector<DrawnQuad> digits = device.QuadsOfBitmap(121);
  ASSERT_EQ(digits.size(), 4u);
  std::vector<int> xs, sources;
  for (const DrawnQuad& q : digits) {
    xs.push_back(q.ScreenPixels().x);
    sources.push_back(q.SourcePixels().x);
    EXPECT_EQ(q.ScreenPixels().y, 0);
  }
  EXPECT_EQ(xs, (std::vector<int>{486, 510, 534, 558}));
  EXPECT_EQ(sources, (std::vector<int>{24, 48, 72, 96}));
  g_sceneManager.Clear();

  save.highScore = 0;
  Open();
  digits = device.QuadsOfBitmap(121);
  ASSERT_EQ(digits.size(), 1u);
  EXPECT_EQ(digits[0].ScreenPixels().x, 558);
  g_sceneManager.Clear();

  save.highScore = -5;  // a damaged record shows 0
  Open();
  EXPECT_EQ(device.QuadsOfBitmap(121).size(), 1u);
}

TEST_F(TitleTest, FailedLoadsReportAndEndTheProgram) {
  resources.Remove(ResourceType::Bitmap, 116);
  save.ruleTopic = -1;
  g_sceneManager.RequestScene(Title, false);
  EXPECT_FALSE(RunFrame());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "画像ファイルの読み込みに失敗"_sj);
  EXPECT_EQ(messages.shown[0].caption, "タイトル画面初期化エラー"_sj);
  EXPECT_EQ(device.LiveTextures(), 0);
}

TEST_F(TitleTest, DeviceResetKeepsTheMenuState) {
  save.ruleTopic = -1;
  CTitle* title = Open();
  Press(Down);
  g_sceneManager.NotifyScenesRelease(true);
  EXPECT_EQ(device.LiveTextures(), 0);
  g_sceneManager.NotifyScenesLoad(true);
  RunFrame();
  EXPECT_EQ(title->topCursor, 1);
  EXPECT_FALSE(device.Quads().empty());
}

}  // namespace
