// Motion sprites: set-up, script assignment and drawing in depth order.
#include "motion/motion_sprite.h"

#include <cmath>
#include <cstdint>

namespace {

// Truncation toward zero for screen sizes and positions; a NaN or a value outside the 32-bit
// range (a runaway zoom) gives 0, which draws nothing.
int32_t TruncateToPixels(float value) {
  if (!(value > -2147483648.0f && value < 2147483648.0f)) return 0;
  return static_cast<int32_t>(value);
}

// Texture position of a cell; a script may set any cell number, so the sum wraps instead of
// overflowing.
int32_t CellOrigin(int32_t source, int32_t cell, int32_t size) {
  return static_cast<int32_t>(static_cast<int64_t>(source) + static_cast<int64_t>(cell) * size);
}

Matrix3 Translation(float x, float y) {
  Matrix3 t{};
  t.m[2] = x;
  t.m[5] = y;
  return t;
}

}  // namespace

void MotionSprite::Init(int32_t index, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                        int32_t pivotXIn, int32_t pivotYIn) {
  spriteIndex = index;
  sourceX = srcX;
  sourceY = srcY;
  cellWidth = width;
  cellHeight = height;
  pivotX = pivotXIn;
  pivotY = pivotYIn;
  x = y = vx = vy = 0.0f;
  angle = angleSpeed = 0.0f;
  scaleSpeedX = scaleSpeedY = alphaSpeed = 0.0f;
  scaleX = scaleY = alpha = 1.0f;
  script = cursor = nullptr;
  parent = nullptr;
  wait = 0;
  flags = 0;
  depth = 0;
  cellColumn = cellRow = 0;
  clipLeft = clipTop = 0;
  clipRight = clipBottom = -1;
  blockTop = blockMarker = -1;
}

void MotionSprite::SetScript(MotionScript text) {
  if (ownsScript && script != nullptr) delete[] script;
  script = cursor = text;
  ownsScript = false;
  wait = 0;
  blockTop = blockMarker = -1;
  // The block stack is gone, so a block the old script left open must not skip the new one.
  flags &= ~Skipping;
  Step();
}

Matrix3 MotionSprite::WorldTransform() const {
  Matrix3 m = Matrix3::Identity();
  m.m[0] = scaleX;
  m.m[4] = scaleY;
  const auto px = static_cast<float>(pivotX);
  const auto py = static_cast<float>(pivotY);
  m = m + Translation(px - px * scaleX, py - py * scaleY);  // scale about the pivot
  m = m * Matrix3::Rotation(angle);
  m = m + Translation(x, y);
  if (parent != nullptr) m = m * parent->WorldTransform();
  return m;
}

void MotionSprite::Draw(CSprite* sprites, IRenderDevice* device) {
  if ((flags & Hidden) != 0) return;
  const Matrix3 m = WorldTransform();
  const int32_t anchorX = TruncateToPixels(m.m[2]);
  const int32_t anchorY = TruncateToPixels(m.m[5]);
  const float drawAngle = std::atan2(m.m[1], m.m[0]);
  // The drawn size follows the cosine of the angle: a quarter turn or more draws nothing.
  const int32_t width = TruncateToPixels(static_cast<float>(cellWidth) * m.m[0]);
  const int32_t height = TruncateToPixels(static_cast<float>(cellHeight) * m.m[4]);
  if (width <= 0 || height <= 0) return;
  const bool clipped = clipLeft < clipRight && clipTop < clipBottom;
  if (clipped && (anchorX < clipLeft || static_cast<int64_t>(anchorX) + width > clipRight ||
                  anchorY < clipTop || static_cast<int64_t>(anchorY) + height > clipBottom)) {
    return;  // whole or nothing
  }
  CSprite& image = sprites[spriteIndex];
  SetSpriteRect(image, CellOrigin(sourceX, cellColumn, cellWidth),
                CellOrigin(sourceY, cellRow, cellHeight), cellWidth, cellHeight);
  image.originX = static_cast<float>(pivotX);
  image.originY = static_cast<float>(pivotY);
  DrawSprite(device, image, anchorX, anchorY, static_cast<float>(depth) / 100.0f, width, height,
             drawAngle);
}

void MotionSprite::Release(MotionSprite* sprite) {
  if (sprite == nullptr) return;
  if (sprite->ownsScript && sprite->script != nullptr) delete[] sprite->script;
  delete sprite;
}

void DrawMotionSprites(MotionSprite* const* list, CSprite* sprites, int count) {
  // Order the sprites through their drawNext links: larger depths first, and among equal
  // depths in list order, so that later entries are drawn on top.
  int head = -1;
  for (int i = 0; i < count; ++i) {
    if (list[i] == nullptr) continue;
    int previous = -1;
    int visited = head;
    while (visited >= 0 && list[visited]->depth >= list[i]->depth) {
      previous = visited;
      visited = list[visited]->drawNext;
    }
    list[i]->drawNext = visited;
    if (previous < 0) {
      head = i;
    } else {
      list[previous]->drawNext = i;
    }
  }
  for (int k = head; k >= 0; k = list[k]->drawNext) list[k]->Draw(sprites, g_device);
}
