#include "media/sprite.h"

#include <cmath>

#include "media/picture_cache.h"

IRenderDevice* g_device = nullptr;

namespace {

// Sprites holding a texture. Quads can only be drawn while it is above 0: it stands for the
// one shared four-vertex buffer, which exists exactly as long as some sprite is loaded.
uint32_t g_spriteTextureCount = 0;

void DropTexture(CSprite& sprite) {
  if (!sprite.texture) return;
  sprite.texture.reset();
  if (g_spriteTextureCount > 0) --g_spriteTextureCount;
}

bool AttachTexture(CSprite& sprite, std::unique_ptr<ITexture> texture) {
  if (!texture) return false;
  DropTexture(sprite);
  sprite.textureWidth = uint32_t(texture->Width());
  sprite.textureHeight = uint32_t(texture->Height());
  sprite.texture = std::move(texture);
  ++g_spriteTextureCount;
  sprite.originX = sprite.originY = 0.0f;
  sprite.colour = 0xFFFFFFFF;
  SetSpriteRect(sprite, 0, 0, 1, 1);
  return true;
}

}  // namespace

Matrix3 Matrix3::Identity() { return {{1, 0, 0, 0, 1, 0, 0, 0, 1}}; }

Matrix3 Matrix3::Rotation(float angle) {
  const double c = std::cos(double(angle)), s = std::sin(double(angle));
  return {{float(c), float(s), 0, float(-s), float(c), 0, 0, 0, 1}};
}

Matrix3 Matrix3::operator+(const Matrix3& other) const {
  Matrix3 r;
  for (int i = 0; i < 9; ++i) r.m[i] = m[i] + other.m[i];
  return r;
}

Matrix3 Matrix3::operator*(const Matrix3& other) const {
  Matrix3 r;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      float sum = 0;
      for (int k = 0; k < 3; ++k) sum += m[row * 3 + k] * other.m[k * 3 + col];
      r.m[row * 3 + col] = sum;
    }
  return r;
}

void Matrix3::TransformRow(float& x, float& y, float& z) const {
  const float nx = x * m[0] + y * m[3] + z * m[6];
  const float ny = x * m[1] + y * m[4] + z * m[7];
  const float nz = x * m[2] + y * m[5] + z * m[8];
  x = nx;
  y = ny;
  z = nz;
}

CSprite::~CSprite() { ReleaseSpriteImage(*this); }

bool LoadSpriteImage(int id, CSprite& sprite) {
  if (!g_device) return false;
  const std::shared_ptr<const DecodedImage> image =
      g_pictures ? g_pictures->Get(id) : DecodePicture(id);
  if (!image) return false;
  return AttachTexture(sprite,
                       g_device->CreateTexture(image->width, image->height, image->argb.data()));
}

bool SetSpriteRect(CSprite& sprite, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (sprite.textureWidth == 0 || sprite.textureHeight == 0) return false;
  const float w = float(sprite.textureWidth), h = float(sprite.textureHeight);
  // The start is offset by 0.75 of a texel (not 0.5) so sampling never bleeds in from the
  // neighbouring cell of a sprite sheet.
  sprite.uLeft = (float(x) + 0.75f) / w;
  sprite.vTop = (float(y) + 0.75f) / h;
  sprite.uWidth = float(width) / w;
  sprite.vHeight = float(height) / h;
  return true;
}

bool DrawSprite(IRenderDevice* device, CSprite& sprite, int32_t x, int32_t y, float z,
                int32_t width, int32_t height, float angle) {
  if (g_spriteTextureCount == 0 || !device) return false;
  const float w = width != 0 ? float(width) : std::fabs(float(sprite.textureWidth) * sprite.uWidth);
  const float h =
      height != 0 ? float(height) : std::fabs(float(sprite.textureHeight) * sprite.vHeight);

  float cx[4] = {-sprite.originX, w - sprite.originX, -sprite.originX, w - sprite.originX};
  float cy[4] = {-sprite.originY, -sprite.originY, h - sprite.originY, h - sprite.originY};
  if (angle != 0.0f) {  // NaN too, like any non-zero angle
    const Matrix3 turn = Matrix3::Rotation(angle);
    for (int i = 0; i < 4; ++i) {
      float cz = z;
      turn.TransformRow(cx[i], cy[i], cz);
    }
  }

  const float u0 = sprite.uLeft, u1 = sprite.uLeft + sprite.uWidth;
  const float v0 = sprite.vTop, v1 = sprite.vTop + sprite.vHeight;
  const float us[4] = {u0, u1, u0, u1};
  const float vs[4] = {v0, v0, v1, v1};
  SpriteVertex quad[4];
  for (int i = 0; i < 4; ++i)
    quad[i] = {float(x) + cx[i], float(y) + cy[i], z, 1.0f, sprite.colour, us[i], vs[i]};
  return device->DrawQuad(sprite.texture.get(), quad);
}

void ReleaseSpriteImage(CSprite& sprite) { DropTexture(sprite); }

uint32_t SpriteTextureCount() { return g_spriteTextureCount; }
