// The drawing surface the game renders into: a fixed 800 x 600 picture of textured quads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One corner of a screen-space quad: position in pixels, an ARGB colour that multiplies the
// texel, and texture coordinates in 0..1 of the texture's real size.
struct SpriteVertex {
  float x, y, z, rhw;
  uint32_t diffuse;
  float u, v;
};

class ITexture {
 public:
  virtual ~ITexture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

// The faces text is drawn in. Japanese text takes a Gothic whose every Latin letter is half a
// full-width character wide; English running text reads better in its proportional sibling,
// whose letters are spaced by their own width.
enum class Typeface { Japanese, Proportional };

// A font of one pixel height. Text is Shift-JIS; the implementation converts it where it meets
// the font library.
class IFont {
 public:
  virtual ~IFont() = default;
  virtual int Height() const = 0;
  // Draws one line with its top-left corner at (left, top), in the ARGB colour.
  virtual void DrawText(std::string_view sjis, int left, int top, uint32_t argb) = 0;
  // The width in pixels of one line as DrawText draws it.
  virtual int TextWidth(std::string_view sjis) = 0;
};

// What a present or a cooperative-level test reports.
enum class DeviceStatus {
  Ok,
  Lost,      // the device is lost and cannot be reset yet
  NotReset,  // the device is lost and can be reset now
};

// Which renderer draws the picture (for measurements and reports).
struct RendererDescription {
  std::string name;        // the renderer's own name ("software", "opengl", ...)
  std::string glRenderer;  // for OpenGL, its GL_RENDERER string; else empty
};

class IRenderDevice {
 public:
  virtual ~IRenderDevice() = default;

  virtual RendererDescription Describe() = 0;

  // A texture of w x h ARGB8888 pixels (alpha already applied). Null on failure.
  virtual std::unique_ptr<ITexture> CreateTexture(int w, int h, const uint32_t* argb) = 0;
  // A Shift-JIS font of the given pixel height in the given face. Null on failure.
  virtual std::unique_ptr<IFont> CreateFont(int pixelHeight, Typeface face) = 0;

  virtual DeviceStatus TestCooperativeLevel() = 0;
  virtual void Clear(uint32_t argb) = 0;
  virtual bool BeginScene() = 0;
  virtual void EndScene() = 0;
  // Draws a two-triangle strip v0 v1 v2 v3, texture x vertex colour, alpha blended. A null
  // texture draws the vertex colour alone.
  virtual bool DrawQuad(const ITexture* texture, const SpriteVertex (&v)[4]) = 0;
  // Shows the frame. Lost when the picture could not be shown (the renderer must be reset).
  virtual DeviceStatus Present() = 0;
  // Recreates the renderer after a loss or a display-mode switch. Every texture and font made
  // before is invalid afterwards and must have been released.
  virtual bool Reset() = 0;
  // The last presented 800 x 600 picture as ARGB8888 rows, top to bottom (screenshots).
  virtual bool ReadPixels(std::vector<uint32_t>& argb) = 0;
};
