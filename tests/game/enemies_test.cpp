#include "game/field_fixture.h"

class EnemiesTest : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    ClearField();
    Floor();
  }
  int LiveItems() const {
    int n = 0;
    for (const CItemSingle& i : g_items) n += i.kind == ItemDiamond;
    return n;
  }
};

TEST_F(EnemiesTest, BeardMonstersInNeighbouringColumnsTurnIntoDiamonds) {
  SpawnEnemy(297, 304, EnemyBeard);
  SpawnEnemy(382, 304, EnemyBeard);
  SpawnEnemy(467, 304 - 85, EnemyBeard);  // next column, a row up: meets neither
  map.lines[5].cells[3] = CellStone;      // ... standing on a stone
  UpdateEnemies(map);
  EXPECT_EQ(save.score, 1000);
  EXPECT_EQ(LiveItems(), 2);
  EXPECT_EQ(LiveEffects(EffectSparkle), 2);
  EXPECT_EQ(PlaysOf(209), 2);
  EXPECT_EQ(g_enemies[0].kind, 0);
  EXPECT_FALSE(g_enemies[0].toDiamond);
  EXPECT_EQ(g_enemies[2].kind, EnemyBeard);
  EXPECT_EQ(g_items[0].x, g_enemies[0].x);  // the diamond appears where the monster was
}

TEST_F(EnemiesTest, VerticalDistanceWrapsAroundTheField) {
  EXPECT_EQ(FieldDistance(10, 500), 20);
  EXPECT_EQ(FieldDistance(500, 10), 20);
  EXPECT_EQ(FieldDistance(10, 265), 255);
  EXPECT_EQ(FieldDistance(10, 266), 254);
  ClearField();  // no stones: they fall through the bottom and meet across it
  SpawnEnemy(300, 496, EnemyBeard);
  SpawnEnemy(300, 20, EnemyBeard);
  UpdateEnemies(map);
  EXPECT_EQ(LiveItems(), 2);
}

TEST_F(EnemiesTest, WingedMonstersWalkIntoMonstersAndAreStoppedByStones) {
  map.lines[2].cells[3] = CellStone;  // right edge at x 255
  SpawnEnemy(300, 304, EnemyWing);
  g_enemies[0].grounded = true;
  for (int frame = 0; frame < 20; ++frame) UpdateEnemies(map);
  EXPECT_EQ(g_enemies[0].x, 255.0f + 36);  // against the stone on its left

  SpawnEnemy(500, 304, EnemyWing);
  SpawnEnemy(400, 304, EnemyBeard);
  for (int frame = 0; frame < 10 && g_enemies[1].kind != 0; ++frame) UpdateEnemies(map);
  EXPECT_EQ(g_enemies[1].kind, 0);
  EXPECT_EQ(g_enemies[2].kind, 0);
  EXPECT_EQ(LiveItems(), 2);
  EXPECT_EQ(g_enemies[0].kind, EnemyWing);  // held by its stone, out of reach
}

TEST_F(EnemiesTest, LostDiamondsBreakTheChain) {
  save.diamondChain = 3;
  SpawnDiamond(300, 304);
  SpawnEnemy(330, 304, EnemyWing);
  UpdateEnemies(map);
  EXPECT_EQ(LiveItems(), 0);
  EXPECT_EQ(save.diamondChain, 0);
  EXPECT_EQ(LiveEffects(EffectSparkle), 1);
  EXPECT_EQ(PlaysOf(209), 1);

  save.diamondChain = 4;
  SpawnDiamond(-42.0f + map.speed, 304);  // stays on the screen this frame
  g_items[0].Update(map);
  EXPECT_EQ(save.diamondChain, 4);
  g_items[0].Update(map);  // past x = -42.5
  EXPECT_EQ(g_items[0].kind, 0);
  EXPECT_EQ(save.diamondChain, 0);
}

TEST_F(EnemiesTest, EffectsRunOutAndPopUpsRiseAndFade) {
  SpawnEffect(0, 0, EffectStart);
  SpawnEffect(300, 300, EffectSparkle);
  SpawnEffect(300, 300, EffectPopup100 + 3);
  int lifetime[3] = {};
  for (int frame = 1; frame <= 120; ++frame) {
    for (CEffectSingle& e : g_effects) e.Update(map);
    for (int i = 0; i < 3; ++i)
      if (g_effects[i].kind != 0) lifetime[i] = frame;
  }
  EXPECT_EQ(lifetime[0], 100);
  EXPECT_EQ(lifetime[1], 15);
  EXPECT_EQ(lifetime[2], 31);

  // The 10000 pop-up cycles through four frames, two frames each; the others stand still.
  SpawnEffect(300, 300, EffectPopup10000);
  SpawnEffect(300, 300, EffectPopup100 + 3);
  const int rows[] = {0, 0, 40, 40, 80, 80, 120, 120, 0};
  for (int t = 0; t < 9; ++t) {
    device.ClearDrawLog();
    for (CEffectSingle& e : g_effects) {
      e.timer = t;
      e.Draw();
    }
    std::vector<DrawnQuad> quads = device.QuadsOfBitmap(113);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].SourcePixels(), (DrawnQuad::PixelRect{180, rows[t], 160, 40})) << t;
    EXPECT_EQ(quads[1].SourcePixels(), (DrawnQuad::PixelRect{80, 0, 100, 40})) << t;
  }
  g_effects[0].timer = 16;
  EXPECT_TRUE(g_effects[0].Draw());
  EXPECT_EQ(device.Quads().back().Colour(), 0xFFFFFFFFu);
  g_effects[0].timer = 17;
  g_effects[0].Draw();
  EXPECT_EQ(device.Quads().back().Colour(), 0xF8FFFFFFu);
}
