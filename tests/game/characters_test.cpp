#include "game/field_fixture.h"

using CharactorTableTest = FieldTest;

TEST_F(CharactorTableTest, AFullTableDropsNewMonstersAndDiamonds) {
  for (int i = 0; i < kTableSize; ++i) {
    EXPECT_TRUE(SpawnEnemy(10.0f * i, 100, EnemyBeard));
    EXPECT_TRUE(SpawnDiamond(10.0f * i, 200));
  }
  EXPECT_FALSE(SpawnEnemy(500, 300, EnemyWing));
  EXPECT_FALSE(SpawnDiamond(500, 300));
  for (int i = 0; i < kTableSize; ++i) {
    EXPECT_EQ(g_enemies[i].kind, EnemyBeard);
    EXPECT_EQ(g_enemies[i].x, 10.0f * i);
    EXPECT_EQ(g_items[i].y, 200.0f);
  }
  // A freed slot is taken again first.
  g_enemies[7].Empty();
  EXPECT_TRUE(SpawnEnemy(500, 300, EnemyWing));
  EXPECT_EQ(g_enemies[7].kind, EnemyWing);
}

TEST_F(CharactorTableTest, The17thEffectReplacesTheOldest) {
  for (int i = 0; i < kTableSize; ++i) SpawnEffect(0, 0, EffectSparkle);
  SpawnEffect(50, 60, EffectStart);  // every timer is 0: slot 0 makes way
  EXPECT_EQ(g_effects[0].kind, EffectStart);
  EXPECT_EQ(g_effects[0].x, 50.0f);

  for (int i = 0; i < kTableSize; ++i) g_effects[i].timer = i % 5;
  g_effects[9].timer = 7;
  g_effects[12].timer = 7;
  SpawnEffect(1, 2, EffectFinish);
  EXPECT_EQ(g_effects[9].kind, EffectFinish);
  EXPECT_EQ(g_effects[9].timer, 0);
  EXPECT_EQ(g_effects[12].kind, EffectSparkle);
}

TEST_F(CharactorTableTest, SpawnsWrapIntoTheFieldAndShiftsMoveEverySlot) {
  SpawnEnemy(0, -10, EnemyBeard);
  SpawnDiamond(0, 515);
  SpawnEffect(0, 510, EffectSparkle);
  EXPECT_EQ(g_enemies[0].y, 500.0f);
  EXPECT_EQ(g_items[0].y, 5.0f);
  EXPECT_EQ(g_effects[0].y, 0.0f);

  ShiftEnemies(-3, 600);
  EXPECT_EQ(g_enemies[0].y, 1100.0f);  // no wrap
  EXPECT_EQ(g_enemies[15].x, -3.0f);   // free slots move too
}
