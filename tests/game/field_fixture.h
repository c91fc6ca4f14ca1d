// A play field with the play scene's sprites and sounds, for tests of the map and characters.
#pragma once

#include "fakes/test_environment.h"
#include "game/charactor.h"
#include "game/enemies.h"
#include "game/map.h"
#include "game/player.h"
#include "media/sound.h"
#include "media/sprite.h"

class FieldTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    map.Init();
    save.score = save.distance = save.diamondChain = 0;
    EmptyTables();
    const int bitmaps[PlaySpriteCount] = {121, 108, 113, 106, 122, 119, 109, 115, 107, 105};
    for (int i = 0; i < PlaySpriteCount; ++i) ASSERT_TRUE(LoadSpriteImage(bitmaps[i], sprites[i]));
    const int waves[PlaySoundCount] = {212, 208, 204, 209, 202};
    for (int i = 0; i < PlaySoundCount; ++i)
      ASSERT_TRUE(LoadSound(sounds[i], waves[i], audio, i == SoundMusic));
    g_playSprites = sprites;
    g_playSounds = sounds;
    g_playDevice = &device;
  }
  void TearDown() override {
    g_playSprites = nullptr;
    g_playSounds = nullptr;
    g_playDevice = nullptr;
    GameTest::TearDown();
  }

  static void EmptyTables() {
    for (CCharactor& e : g_enemies) e.Empty();
    for (CCharactor& i : g_items) i.Empty();
    for (CCharactor& e : g_effects) e.Empty();
  }
  // Every line still, unrotated and empty; the field at its column edge.
  void ClearField() {
    for (MapLine& line : map.lines) line = MapLine{};
    map.scroll = 0;
  }
  // A floor of stones in row 4 of every column: characters stand at field y 304.
  void Floor() {
    for (MapLine& line : map.lines) line.cells[4] = CellStone;
  }
  int PlaysOf(int wave) const {
    int n = 0;
    for (const PlayEvent& e : audio->Plays()) n += e.waveId == wave;
    return n;
  }
  int LiveEffects(int kind) const {
    int n = 0;
    for (const CEffectSingle& e : g_effects) n += e.kind == kind;
    return n;
  }

  CMap map;
  CSprite sprites[PlaySpriteCount];
  CSound sounds[PlaySoundCount];
};
