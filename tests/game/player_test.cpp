#include "game/field_fixture.h"

class PlayerTest : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    heroine.Start();
  }
  // A playing frame of the field and the heroine.
  void Frame() {
    map.Scroll();
    heroine.Update(map);
  }
  // The heroine standing on the floor at screen x.
  void StandAt(float x) {
    ClearField();
    Floor();
    heroine.x = x;
    heroine.y = 304;
    heroine.grounded = true;
  }
  CPlayer heroine;
};

TEST_F(PlayerTest, SheLandsOnTheOpeningFloorOnThe20thFrame) {
  for (int frame = 1; frame < 20; ++frame) Frame();
  EXPECT_FALSE(heroine.grounded);
  EXPECT_EQ(heroine.pose, PoseFall);
  Frame();
  EXPECT_TRUE(heroine.grounded);
  EXPECT_EQ(heroine.y, 304.0f);
  EXPECT_EQ(heroine.timer, 20);
  const float x = heroine.x;
  Frame();
  EXPECT_EQ(heroine.pose, PoseWalk);
  EXPECT_NEAR(heroine.x - x, 3.4 - map.speed, 1e-4);  // walks right slower than she walks
}

TEST_F(PlayerTest, AStoneStopsAndPushesHer) {
  StandAt(290);
  map.lines[4].cells[3] = CellStone;  // its left edge at x 340
  for (int frame = 0; frame < 30; ++frame) Frame();
  EXPECT_FLOAT_EQ(heroine.x, 340 - map.scroll - 36);  // against the stone, moving with it
  EXPECT_EQ(heroine.pose, PoseWalk);                  // small pushes keep her walking
  EXPECT_EQ(heroine.kind, PlayerAlive);

  // A stone that moves into her bumps her for 10 frames.
  StandAt(330);
  map.lines[4].cells[3] = CellStone;
  Frame();
  EXPECT_EQ(heroine.pose, PoseBumped);
  EXPECT_EQ(heroine.poseTimer, 9);
}

TEST_F(PlayerTest, SheIsCutOffOnlyBelowXMinus15) {
  StandAt(35);
  map.scroll = 60;
  map.lines[1].cells[3] = CellStone;  // pushes her to 85 - 60 - 36 = -11
  heroine.Update(map);
  EXPECT_EQ(heroine.kind, PlayerAlive);

  StandAt(35);
  map.scroll = 5;
  map.lines[0].cells[3] = CellStone;  // pushes her to -5 - 36 = -41
  heroine.Update(map);
  EXPECT_EQ(heroine.kind, PlayerCutOff);
  EXPECT_EQ(heroine.timer, 0);
  heroine.Update(map);
  EXPECT_EQ(heroine.timer, 1);
}

TEST_F(PlayerTest, AMonsterCatchesHerWithinReach) {
  StandAt(300);
  SpawnEnemy(heroine.x + 43, 304, EnemyBeard);  // beside her, out of reach
  SpawnEnemy(heroine.x, 304 - 64, EnemyBeard);  // above, out of reach
  EXPECT_FALSE(heroine.TouchesEnemy());
  g_enemies[1].y = 304 - 60;
  EXPECT_TRUE(heroine.TouchesEnemy());
  // Across the wrap of the field: 20 and 470 are 60 apart.
  heroine.y = 20;
  g_enemies[1].y = 470;
  EXPECT_TRUE(heroine.TouchesEnemy());
}

TEST_F(PlayerTest, ConsecutiveDiamondsScoreMoreUpToTheCap) {
  StandAt(300);
  const int32_t bonus[8] = {100, 200, 500, 1000, 2000, 5000, 10000, 10000};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EmptyTables();
    const int32_t before = save.score;
    SpawnDiamond(heroine.x + 30, heroine.y + 40);
    heroine.CollectDiamonds();
    EXPECT_EQ(save.score - before, bonus[i]);
    EXPECT_EQ(save.diamondChain, std::min(i + 1, 6));
    EXPECT_EQ(g_items[0].kind, 0);
    EXPECT_EQ(g_effects[0].kind, EffectPopup100 + std::min(i, 6));
    EXPECT_EQ(g_effects[0].x, heroine.x);  // the pop-up shows at her
  }
  EXPECT_EQ(save.highScore, save.score);
  EXPECT_EQ(PlaysOf(204), 8);

  save.score = save.highScore = 999999000;
  SpawnDiamond(heroine.x, heroine.y);
  heroine.CollectDiamonds();
  EXPECT_EQ(save.score, 999999999);
}

TEST_F(PlayerTest, CaughtWhileTouchingADiamondCollectsNothing) {
  StandAt(300);
  SpawnEnemy(heroine.x + 10, 304, EnemyBeard);
  SpawnDiamond(heroine.x + 10, 304);
  heroine.Update(map);
  EXPECT_EQ(heroine.kind, PlayerCaught);
  EXPECT_EQ(g_items[0].kind, ItemDiamond);
  EXPECT_EQ(save.score, 0);
}

TEST_F(PlayerTest, CutOffHopRisesAndFalls) {
  heroine.kind = PlayerCutOff;
  heroine.x = 100;
  heroine.y = 304;
  const int expected[][2] = {{24, 0}, {25, 0}, {37, -36}, {49, 0}, {61, 108}};
  for (auto [timer, hop] : expected) {
    heroine.timer = timer;
    device.ClearDrawLog();
    heroine.Draw();
    std::vector<DrawnQuad> quads = device.QuadsOfBitmap(115);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].ScreenPixels().y, 304 - 53 + 90 + hop) << timer;
  }
}
