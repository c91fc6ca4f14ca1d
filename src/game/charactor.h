// Everything that moves on the play field: the character base class, the three fixed tables of
// monsters, diamonds and effects, and the play scene's sprites and sounds the characters use.
#pragma once

#include <cstdint>
#include <span>

class CMap;
class CSprite;
class CSound;
class IRenderDevice;
class CEnemySingle;
class CItemSingle;
class CEffectSingle;

// What an entry of a table is; 0 in every table means the slot is free.
enum EnemyKind : int32_t { EnemyBeard = 1, EnemyWing = 2 };
enum ItemKind : int32_t { ItemDiamond = 1 };
enum EffectKind : int32_t {
  EffectStart = 1,
  EffectFinish = 2,
  EffectSparkle = 3,
  EffectPopup100 = 4,  // 4 + chain: 100, 200, 500, 1000, 2000, 5000, 10000
  EffectPopup10000 = 10,
};

// Indexes into the play scene's sprite sheets.
enum PlaySprite : int32_t {
  SpriteHud = 0,
  SpriteCursor = 1,
  SpritePopups = 2,
  SpriteBlocks = 3,
  SpriteDiamond = 4,
  SpriteBanners = 5,
  SpriteUnused = 6,
  SpriteHeroine = 7,
  SpriteMonsters = 8,
  SpriteBackground = 9,
  PlaySpriteCount = 10,
};

// Indexes into the play scene's sounds.
enum PlaySound : int32_t {
  SoundJingle = 0,
  SoundMusic = 1,
  SoundDiamond = 2,
  SoundMonster = 3,
  SoundEnding = 4,
  PlaySoundCount = 5,
};

class CCharactor {
 public:
  virtual ~CCharactor() = default;
  // One frame of behaviour.
  virtual void Update(CMap& map) {}
  virtual bool Draw() { return true; }

  // Frees the table slot.
  void Empty();

  float x = 0;  // centre, screen pixels
  float y = 0;  // centre, field pixels (0..510)
  bool grounded = false;
  int32_t timer = 0;
  int32_t kind = 0;
};

// Every character, the heroine and the monsters alike, walks and falls this far a frame.
constexpr float kWalkSpeed = 3.4f;
constexpr float kFallSpeed = 6.8f;

constexpr int kTableSize = 16;

extern CEnemySingle g_enemies[kTableSize];
extern CItemSingle g_items[kTableSize];
extern CEffectSingle g_effects[kTableSize];

// Written by the play scene: its sprites and draw device at every Draw, its sounds at every
// Update. Null outside a game.
extern CSprite* g_playSprites;
extern IRenderDevice* g_playDevice;
extern CSound* g_playSounds;

// Draws a sprite at natural size with its top-left corner at screen (x, y).
void DrawPlaySprite(CSprite& sprite, int32_t x, int32_t y);

// Plays one of the play scene's sounds from the start (nothing when none are published).
void PlayGameSound(PlaySound sound);

// Place an object into the first free slot; a full enemy or item table drops it (false).
bool SpawnEnemy(float x, float y, int32_t kind);
// SpawnEnemy into a table of monsters other than g_enemies.
bool SpawnEnemyIn(std::span<CEnemySingle> table, float x, float y, int32_t kind);
bool SpawnDiamond(float x, float y);
// Never fails: a full table reuses the effect that has run longest.
void SpawnEffect(float x, float y, int32_t kind);

// Move every object of a table, free slots included, without wrapping.
void ShiftEnemies(float dx, float dy);
void ShiftItems(float dx, float dy);
void ShiftEffects(float dx, float dy);
