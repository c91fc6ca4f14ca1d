// Textures made from bitmap resources, and the drawing of textured quads.
#pragma once

#include <cstdint>
#include <memory>

#include "system/render_device.h"

// 3 x 3 row-major matrix for 2D transforms.
struct Matrix3 {
  float m[9];

  static Matrix3 Identity();
  static Matrix3 Rotation(float angle);
  Matrix3 operator+(const Matrix3& other) const;
  Matrix3 operator*(const Matrix3& other) const;
  // Row transform of (x, y, z): x' = x m0 + y m3 + z m6, and so on.
  void TransformRow(float& x, float& y, float& z) const;
};

class CSprite {
 public:
  CSprite() = default;
  virtual ~CSprite();
  CSprite(const CSprite&) = delete;
  CSprite& operator=(const CSprite&) = delete;

  std::unique_ptr<ITexture> texture;
  uint32_t textureWidth = 0;
  uint32_t textureHeight = 0;
  float uLeft = 0, vTop = 0, uWidth = 0, vHeight = 0;
  float originX = 0, originY = 0;
  uint32_t colour = 0xFFFFFFFF;
};

// The render device every sprite draws on; set by the game application.
extern IRenderDevice* g_device;

// Loads bitmap resource `id` (system/resource_ids.h) into the sprite. False leaves the sprite as it
// was.
bool LoadSpriteImage(int id, CSprite& sprite);
bool SetSpriteRect(CSprite& sprite, int32_t x, int32_t y, int32_t width, int32_t height);
// Draws the sprite's rectangle with its origin at (x, y); width/height 0 = natural size;
// angle in radians, turning clockwise about (x, y).
bool DrawSprite(IRenderDevice* device, CSprite& sprite, int32_t x, int32_t y, float z,
                int32_t width, int32_t height, float angle);
void ReleaseSpriteImage(CSprite& sprite);

// Number of sprites that hold a texture (the shared quad buffer exists while it is above 0).
uint32_t SpriteTextureCount();
