#include "game/charactor.h"

#include "game/enemies.h"
#include "game/map.h"
#include "media/sound.h"
#include "media/sprite.h"

CEnemySingle g_enemies[kTableSize];
CItemSingle g_items[kTableSize];
CEffectSingle g_effects[kTableSize];

CSprite* g_playSprites = nullptr;
IRenderDevice* g_playDevice = nullptr;
CSound* g_playSounds = nullptr;

void CCharactor::Empty() {
  x = 0;
  y = 0;
  grounded = false;
  timer = 0;
  kind = 0;
}

void DrawPlaySprite(CSprite& sprite, int32_t x, int32_t y) {
  DrawSprite(g_playDevice, sprite, x, y, 0.0f, 0, 0, 0.0f);
}

void PlayGameSound(PlaySound sound) {
  if (g_playSounds) SoundPlay(g_playSounds[sound]);
}

namespace {

void Place(CCharactor& slot, float x, float y, int32_t kind) {
  slot.x = x;
  slot.y = WrapFieldY(y);
  slot.grounded = false;
  slot.timer = 0;
  slot.kind = kind;
}

template <typename T>
T* FirstFree(std::span<T> table) {
  for (T& slot : table) {
    if (slot.kind == 0) return &slot;
  }
  return nullptr;
}

template <typename T>
void ShiftTable(T (&table)[kTableSize], float dx, float dy) {
  for (T& slot : table) {
    slot.x += dx;
    slot.y += dy;
  }
}

}  // namespace

bool SpawnEnemy(float x, float y, int32_t kind) { return SpawnEnemyIn(g_enemies, x, y, kind); }

bool SpawnEnemyIn(std::span<CEnemySingle> table, float x, float y, int32_t kind) {
  CEnemySingle* slot = FirstFree(table);
  if (!slot) return false;
  Place(*slot, x, y, kind);
  return true;
}

bool SpawnDiamond(float x, float y) {
  CItemSingle* slot = FirstFree(std::span<CItemSingle>(g_items));
  if (!slot) return false;
  Place(*slot, x, y, ItemDiamond);
  return true;
}

void SpawnEffect(float x, float y, int32_t kind) {
  CEffectSingle* slot = FirstFree(std::span<CEffectSingle>(g_effects));
  if (!slot) {
    // The table is full: the effect that has run longest makes way.
    slot = &g_effects[0];
    for (CEffectSingle& effect : g_effects) {
      if (effect.timer > slot->timer) slot = &effect;
    }
  }
  Place(*slot, x, y, kind);
}

void ShiftEnemies(float dx, float dy) { ShiftTable(g_enemies, dx, dy); }
void ShiftItems(float dx, float dy) { ShiftTable(g_items, dx, dy); }
void ShiftEffects(float dx, float dy) { ShiftTable(g_effects, dx, dy); }
