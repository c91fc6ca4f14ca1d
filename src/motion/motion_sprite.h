// Motion sprites: on-screen elements of the menu scenes, each animated by a motion script.
//
// A motion script is a short ASCII text of one-character commands with comma-separated numeric
// arguments ("h0[m400,80m400,70,10w10]"). It is interpreted directly, once per frame, by
// MotionSprite::Step: nothing is compiled or allocated. Malformed scripts end harmlessly.
#pragma once

#include <cstdint>

#include "media/sprite.h"

using MotionScript = const char*;

// A plain record: created by the owner with `new`, freed with MotionSprite::Release.
struct MotionSprite {
  enum Flag : uint32_t {
    Hidden = 0x1,
    Animating = 0x2,
    MoveBounce = 0x8,
    RotateBounce = 0x10,
    ZoomBounce = 0x20,
    FadeBounce = 0x40,
    Condition = 0x10000,
    Skipping = 0x20000,
  };

  int32_t spriteIndex = 0;  // index of the CSprite in the owner's array
  int32_t sourceX = 0, sourceY = 0;
  int32_t cellWidth = 0, cellHeight = 0;
  int32_t pivotX = 0, pivotY = 0;
  MotionScript script = nullptr;
  MotionScript cursor = nullptr;
  bool ownsScript = false;  // the text was allocated with new[] and is freed with the sprite
  int32_t wait = 0;         // frames left to wait; -1 once the script has ended
  uint32_t flags = 0;
  int32_t depth = 0;      // larger is further back
  int32_t drawNext = -1;  // link of the last draw order
  int32_t cellColumn = 0, cellRow = 0;
  int32_t patternTimer = 0;
  int32_t pattern[16] = {};
  int32_t patternIndex = 0;
  float x = 0, y = 0;
  float vx = 0, vy = 0;
  int32_t moveTimer = 0, moveFrames = 0;
  float angle = 0, angleSpeed = 0;
  int32_t rotateTimer = 0, rotateFrames = 0;
  float scaleX = 1, scaleY = 1;
  float scaleSpeedX = 0, scaleSpeedY = 0;
  int32_t zoomTimer = 0, zoomFrames = 0;
  float alpha = 1, alphaSpeed = 0;  // recorded by the script, not used for drawing
  int32_t fadeTimer = 0, fadeFrames = 0;
  int32_t blockStack[8] = {};  // up to four loop or block frames of two slots
  int32_t blockTop = -1;
  int32_t blockMarker = -1;
  MotionSprite* parent = nullptr;
  float params[16] = {};  // read by the script as $0..$15, written by the owner
  int32_t clipLeft = 0, clipTop = 0, clipRight = -1, clipBottom = -1;

  // Stores the cell geometry and resets position, motion, scale, flags and script.
  void Init(int32_t index, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
            int32_t pivotXIn, int32_t pivotYIn);
  // Assigns a script and runs its first Step at once.
  void SetScript(MotionScript text);
  // One frame: advances running motions, then runs commands until a wait or the end.
  // True when this call waited or reached the end of the script.
  bool Step();
  // Draws the sprite's current cell from sprites[spriteIndex], scaled and turned.
  void Draw(CSprite* sprites, IRenderDevice* device);
  // The transform from cell pixels (relative to the cell's pivot) to the screen.
  Matrix3 WorldTransform() const;

  static void Release(MotionSprite* sprite);

 private:
  void AdvanceMotions();
  void AdvancePattern();
};

// Draws every non-null sprite of the list back to front by depth (equal depths in list order).
void DrawMotionSprites(MotionSprite* const* list, CSprite* sprites, int count);
