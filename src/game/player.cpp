#include "game/player.h"

#include <algorithm>
#include <cstdlib>

#include "game/enemies.h"
#include "game/map.h"
#include "media/sprite.h"
#include "save/save_data.h"

const int32_t ChainBonus[7] = {100, 200, 500, 1000, 2000, 5000, 10000};

namespace {

constexpr float kScreenLeft = 35.0f;
constexpr float kScreenRight = 680.0f;
constexpr float kCutOffX = -15.0f;
constexpr int32_t kBumpPush = 21;  // a push this hard shows the bumped pose
constexpr int32_t kBumpFrames = 10;
constexpr int32_t kMaxChain = 6;

struct Corner {
  int32_t x, y;
};
const Corner WalkFrames[4] = {{0, 0}, {85, 0}, {255, 255}, {340, 255}};
const Corner CaughtFrames[3] = {{425, 170}, {510, 170}, {0, 255}};

bool Near(const CCharactor& a, const CCharactor& b, int32_t across, int32_t vertical) {
  return std::abs(static_cast<int32_t>(a.x - b.x)) <= across && FieldDistance(a.y, b.y) <= vertical;
}

}  // namespace

void CPlayer::Start() {
  x = 255.0f;
  y = 170.0f;
  grounded = false;
  timer = 0;
  kind = PlayerAlive;
  pose = PoseWalk;
  poseTimer = 0;
}

void CPlayer::Update(CMap& map) {
  if (kind != PlayerAlive) {
    timer += 1;  // drives the death animation
    return;
  }
  Move(map);
  if (PushedOut()) {
    kind = PlayerCutOff;
    timer = 0;
    return;
  }
  if (TouchesEnemy()) {
    kind = PlayerCaught;
    timer = 0;
    return;
  }
  CollectDiamonds();
  if (poseTimer > 0) poseTimer -= 1;
  timer += 1;
}

void CPlayer::Move(const CMap& map) {
  if (grounded) {
    x += kWalkSpeed;
    if (poseTimer <= 0) pose = PoseWalk;
  } else {
    pose = PoseFall;
  }
  x -= ScrollStep(map);
  // The scroll alone never takes her off the screen; only a stone pushes her further.
  if (x < kScreenLeft) {
    x = kScreenLeft;
  } else if (x > kScreenRight) {
    x = kScreenRight;
  }
  y += kFallSpeed;

  if (CollideWithBlocks(*this, map, false, true) >= kBumpPush) {
    pose = PoseBumped;
    poseTimer = kBumpFrames;
  }
}

bool CPlayer::PushedOut() const { return x < kCutOffX; }

bool CPlayer::Touches(const CEnemySingle& enemy) const {
  return enemy.kind != 0 && Near(*this, enemy, 42, 63);
}

bool CPlayer::TouchesEnemy() const {
  for (const CEnemySingle& enemy : g_enemies) {
    if (Touches(enemy)) return true;
  }
  return false;
}

void CPlayer::CollectDiamonds() {
  for (CItemSingle& item : g_items) {
    if (item.kind == 0 || !Near(*this, item, 34, 42)) continue;
    if (item.kind == ItemDiamond) {
      const int32_t chain = std::clamp(g_saveData->diamondChain, 0, kMaxChain);
      AddScore(*g_saveData, ChainBonus[chain]);
      g_saveData->diamondChain = chain < kMaxChain ? chain + 1 : kMaxChain;
      // The pop-up shows at the heroine, not at the diamond.
      SpawnEffect(x, y, EffectPopup100 + chain);
    }
    item.Empty();
    PlayGameSound(SoundDiamond);
  }
}

bool CPlayer::Draw() {
  if (!g_playSprites) return true;
  CSprite& sprite = g_playSprites[SpriteHeroine];
  const int32_t left = static_cast<int32_t>(x) - 42;
  const int32_t top = static_cast<int32_t>(y) - 53;
  switch (kind) {
    case PlayerAlive: DrawAlive(sprite, left, top); break;
    case PlayerCaught: {
      const Corner frame = timer < 16 ? CaughtFrames[0] : CaughtFrames[1 + (timer / 8) % 2];
      SetSpriteRect(sprite, frame.x, frame.y, 85, 85);
      DrawInField(sprite, left, top);
      break;
    }
    default: DrawCutOff(sprite, left, top); break;
  }
  return true;
}

void CPlayer::DrawAlive(CSprite& sprite, int32_t left, int32_t top) const {
  Corner frame = {170, 0};  // bumped
  if (pose == PoseWalk) {
    frame = WalkFrames[(timer / 8) % 4];
  } else if (pose == PoseFall) {
    frame = {425, 255 * ((timer / 8) % 2)};
  }
  SetSpriteRect(sprite, frame.x, frame.y, 85, 85);
  DrawInField(sprite, left, top);
}

void CPlayer::DrawCutOff(CSprite& sprite, int32_t left, int32_t top) const {
  SetSpriteRect(sprite, 85 * (3 + (timer / 8) % 2), 0, 85, 85);
  // A hop: up 36 pixels from frame 25 to 37, then ever faster down off the screen.
  const int32_t hop = timer < 25 ? 0 : ((timer - 37) * (timer - 37) - 144) >> 2;
  DrawPlaySprite(sprite, left, top + hop + kFieldTop);
}
