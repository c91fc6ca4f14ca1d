#include "game/enemies.h"

#include <algorithm>
#include <cstdlib>

#include "game/map.h"
#include "media/sprite.h"
#include "save/save_data.h"

const PopupFrame PopupFrames[7] = {
    {0, 0, 80},    {0, 40, 80},   {0, 80, 80},    // 100, 200, 500
    {80, 0, 100},  {80, 40, 100}, {80, 80, 100},  // 1000, 2000, 5000
    {180, 0, 160},                                // 10000, animated downwards
};

const int32_t BannerRows[6] = {0, 80, 160, 240, 160, 80};

namespace {

constexpr float kPopupRise = 1.0f;
constexpr float kLeftEdge = -42.5f;  // a character this far left has left the screen
constexpr int32_t kMonsterPoints = 500;
constexpr int32_t kBannerFrames = 100;
constexpr int32_t kSparkleFrames = 15;
constexpr int32_t kPopupFrames = 31;

int32_t HorizontalDistance(float x1, float x2) { return std::abs(static_cast<int32_t>(x1 - x2)); }

bool MonstersMeet(const CEnemySingle& a, const CEnemySingle& b) {
  // Beard monsters stand one column apart and still meet.
  const int32_t limit = a.kind == EnemyBeard && b.kind == EnemyBeard ? 127 : 79;
  return HorizontalDistance(a.x, b.x) <= limit && FieldDistance(a.y, b.y) <= 42;
}

void TurnIntoDiamond(CEnemySingle& enemy) {
  enemy.kind = 0;
  enemy.toDiamond = false;
  AddScore(*g_saveData, kMonsterPoints);
  // A full item table drops the diamond; the monster still scores and sparkles.
  SpawnDiamond(enemy.x, enemy.y);
  SpawnEffect(enemy.x, enemy.y, EffectSparkle);
  PlayGameSound(SoundMonster);
}

CSprite* PlaySheet(PlaySprite index) { return g_playSprites ? &g_playSprites[index] : nullptr; }

void DrawDiamond(const CItemSingle& item) {
  CSprite* sprite = PlaySheet(SpriteDiamond);
  if (!sprite || item.kind != ItemDiamond) return;
  SetSpriteRect(*sprite, 0, 0, 85, 85);
  DrawInField(*sprite, static_cast<int32_t>(item.x) - 42, static_cast<int32_t>(item.y) - 53);
}

}  // namespace

int32_t FieldDistance(float y1, float y2) {
  const int32_t d = std::abs(static_cast<int32_t>(y1 - y2));
  return d > kFieldHeight / 2 ? kFieldHeight - d : d;
}

void CEnemySingle::Update(CMap& map) {
  if (kind == 0) return;
  Move(map);
  if (kind == 0) return;
  BreakDiamonds(*this);
  timer += 1;
}

void CEnemySingle::Move(const CMap& map) {
  if (kind == EnemyWing && grounded) x -= kWalkSpeed;
  x -= ScrollStep(map);
  if (x < kLeftEdge) {
    kind = 0;
    return;
  }
  y += kFallSpeed;
  // A winged monster is stopped by a stone on its left; both kinds land on stones.
  CollideWithBlocks(*this, map, kind == EnemyWing, false);
}

bool CEnemySingle::Draw() {
  CSprite* sprite = PlaySheet(SpriteMonsters);
  if (!sprite || kind == 0) return true;
  const int32_t firstFrame = kind == EnemyWing ? 2 : 0;
  SetSpriteRect(*sprite, 85 * (firstFrame + (timer / 16) % 2), 0, 85, 85);
  DrawInField(*sprite, static_cast<int32_t>(x) - 42, static_cast<int32_t>(y) - 53);
  return true;
}

void BreakDiamonds(const CEnemySingle& enemy) {
  if (enemy.kind != EnemyWing) return;
  for (CItemSingle& item : g_items) {
    if (item.kind != ItemDiamond) continue;
    if (HorizontalDistance(enemy.x, item.x) > 42 || FieldDistance(enemy.y, item.y) > 42) continue;
    SpawnEffect(item.x, item.y, EffectSparkle);
    item.Empty();
    PlayGameSound(SoundMonster);
    g_saveData->diamondChain = 0;
  }
}

void MarkMeetingMonsters(std::span<CEnemySingle> monsters) {
  for (size_t i = 0; i < monsters.size(); ++i) {
    CEnemySingle& a = monsters[i];
    if (a.kind == 0) continue;
    for (size_t j = i + 1; j < monsters.size(); ++j) {
      CEnemySingle& b = monsters[j];
      if (b.kind == 0 || !MonstersMeet(a, b)) continue;
      a.toDiamond = true;
      b.toDiamond = true;
    }
  }
}

void UpdateEnemies(CMap& map) {
  for (CEnemySingle& enemy : g_enemies) enemy.Update(map);
  MarkMeetingMonsters(g_enemies);
  for (CEnemySingle& enemy : g_enemies) {
    if (enemy.toDiamond) TurnIntoDiamond(enemy);
  }
}

void CItemSingle::Update(CMap& map) {
  if (kind == 0) return;
  x -= ScrollStep(map);
  if (x < kLeftEdge) {
    // A diamond that scrolls away unpicked breaks the chain.
    if (kind == ItemDiamond) g_saveData->diamondChain = 0;
    kind = 0;
    return;
  }
  y += kFallSpeed;
  CollideWithBlocks(*this, map, false, false);
  timer += 1;
}

bool CItemSingle::Draw() {
  DrawDiamond(*this);
  return true;
}

void DrawItems() {
  for (const CItemSingle& item : g_items) DrawDiamond(item);
}

void CEffectSingle::Update(CMap& map) {
  switch (kind) {
    case 0: return;
    case EffectStart:
    case EffectFinish:
      if (timer >= kBannerFrames) {
        kind = 0;
      } else {
        timer += 1;
      }
      return;
    case EffectSparkle:
      x -= ScrollStep(map);
      if (timer >= kSparkleFrames || x < kLeftEdge) {
        kind = 0;
      } else {
        timer += 1;
      }
      return;
    default:  // score pop-ups rise
      y -= kPopupRise;
      if (timer >= kPopupFrames) {
        kind = 0;
      } else {
        timer += 1;
      }
      return;
  }
}

bool CEffectSingle::Draw() {
  if (kind == EffectStart || kind == EffectFinish) {
    CSprite* sprite = PlaySheet(SpriteBanners);
    if (!sprite) return true;
    SetSpriteRect(*sprite, kind == EffectStart ? 0 : 400, BannerRows[(timer / 8) % 6], 400, 80);
    DrawPlaySprite(*sprite, 200, 305);  // banners ignore their position
  } else if (kind == EffectSparkle) {
    CSprite* sprite = PlaySheet(SpriteDiamond);
    if (!sprite) return true;
    SetSpriteRect(*sprite, 85 * (1 + (timer / 8) % 2), 0, 85, 85);
    DrawInField(*sprite, static_cast<int32_t>(x) - 42, static_cast<int32_t>(y) - 50);
  } else if (kind >= EffectPopup100 && kind <= EffectPopup10000) {
    CSprite* sprite = PlaySheet(SpritePopups);
    if (!sprite) return true;
    PopupFrame frame = PopupFrames[kind - EffectPopup100];
    if (kind == EffectPopup10000) frame.y += 40 * ((timer / 2) % 4);
    SetSpriteRect(*sprite, frame.x, frame.y, frame.width, 40);
    // Opaque for 16 frames, then fading out.
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(384 - 8 * timer, 0, 255));
    sprite->colour = (alpha << 24) | 0xFFFFFF;
    DrawInField(*sprite, static_cast<int32_t>(x) - frame.width / 2, static_cast<int32_t>(y) - 18);
  }
  return true;
}
