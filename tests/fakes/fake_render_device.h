// A render device that draws nothing and records everything the game asks of it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "system/render_device.h"

struct FakeDeviceLog;

// A texture remembering its pixels and, when the pixels carry the marker of FakeResources,
// the bitmap id it was made from (0 otherwise).
class FakeTexture : public ITexture {
 public:
  FakeTexture(std::shared_ptr<FakeDeviceLog> log, int w, int h, const uint32_t* argb,
              int pixelWidth, int pixelHeight);
  ~FakeTexture() override;
  int Width() const override { return width; }
  int Height() const override { return height; }

  int width, height;             // real texture size (may be rounded up to a power of two)
  int bitmapId;                  // bitmap resource id, 0 when unknown
  std::vector<uint32_t> pixels;  // the bitmap's pixels as handed over, pixelWidth per row
  int pixelWidth, pixelHeight;

 private:
  std::shared_ptr<FakeDeviceLog> log_;
};

struct DrawnQuad {
  const ITexture* texture;  // null for a plain colour quad
  int bitmapId;             // bitmap the texture came from, 0 when none or unknown
  SpriteVertex v[4];

  uint32_t Colour() const { return v[0].diffuse; }
  // The quad's bounding box on the screen: left, top, width, height.
  struct Rect {
    float x, y, w, h;
  };
  struct PixelRect {
    int x, y, w, h;
    bool operator==(const PixelRect&) const = default;
  };
  Rect ScreenRect() const;
  // The source rectangle in texture pixels, from the first and last vertex's coordinates
  // (the game's 0.75-texel start offset taken off again).
  Rect SourceRect() const;
  // Both rectangles rounded to whole pixels, for exact comparisons.
  PixelRect ScreenPixels() const;
  PixelRect SourcePixels() const;
};

struct DrawnText {
  std::string sjis;
  int left, top;
  uint32_t argb;
  int fontHeight;
};

// Shared by the device, its textures and its fonts, so that a texture released after the
// device is gone stays harmless.
struct FakeDeviceLog {
  std::vector<DrawnQuad> quads;
  std::vector<DrawnText> texts;
  int liveTextures = 0;
  int texturesCreated = 0;
  int liveFonts = 0;
  // Resets so far, and the reset each live texture was made after: a texture drawn that is
  // not live, or that comes from before the last reset, is one the renderer has destroyed.
  int resetGeneration = 0;
  std::map<const ITexture*, int> liveTextureGenerations;
  int destroyedTextureDraws = 0;
};

class FakeRenderDevice : public IRenderDevice {
 public:
  FakeRenderDevice();

  RendererDescription Describe() override { return {"fake", ""}; }

  std::unique_ptr<ITexture> CreateTexture(int w, int h, const uint32_t* argb) override;
  std::unique_ptr<IFont> CreateFont(int pixelHeight, Typeface face) override;
  DeviceStatus TestCooperativeLevel() override { return cooperativeLevel; }
  void Clear(uint32_t argb) override;
  bool BeginScene() override;
  void EndScene() override { ++endScenes; }
  bool DrawQuad(const ITexture* texture, const SpriteVertex (&v)[4]) override;
  DeviceStatus Present() override;
  bool Reset() override;
  bool ReadPixels(std::vector<uint32_t>& argb) override;

  // Forgets the quads and texts drawn so far (the counters stay).
  void ClearDrawLog();
  const std::vector<DrawnQuad>& Quads() const { return log->quads; }
  const std::vector<DrawnText>& Texts() const { return log->texts; }
  // The texts drawn above `bottom`: the menus' key-help bars name their keys below y 500.
  std::vector<DrawnText> TextsAbove(int bottom) const {
    std::vector<DrawnText> above;
    for (const DrawnText& t : log->texts)
      if (t.top < bottom) above.push_back(t);
    return above;
  }
  int LiveTextures() const { return log->liveTextures; }
  int LiveFonts() const { return log->liveFonts; }
  // Quads drawn with the texture of bitmap `id`.
  std::vector<DrawnQuad> QuadsOfBitmap(int id) const;

  // Behaviour the test can change.
  bool roundTexturesToPowerOfTwo = false;  // like devices that only make 2^n textures
  bool failTextures = false;
  bool failFonts = false;
  bool failReset = false;
  bool failDraw = false;
  DeviceStatus cooperativeLevel = DeviceStatus::Ok;
  // Statuses the next presents report, front first; once it is empty, Ok while the
  // cooperative level is Ok and Lost otherwise.
  std::vector<DeviceStatus> presentResults;

  // What happened.
  std::vector<uint32_t> clears;
  int beginScenes = 0;
  int endScenes = 0;
  int presents = 0;
  int resets = 0;
  int texturesAliveAtLastReset = 0;  // must be 0: every texture is invalid after a reset
  int fontsAliveAtLastReset = 0;
  Typeface fontFace = Typeface::Japanese;  // the face the last font was asked for in

  std::shared_ptr<FakeDeviceLog> log;
};
