// The render device over SDL_Renderer: the game draws its 800 x 600 picture into a target
// texture, and Present scales that picture sharply into the window.
#pragma once

#include <SDL.h>

#include <memory>
#include <optional>
#include <vector>

#include "system/render_device.h"

class FontFaces;
class SdlRenderDevice;

// Anything that holds SDL textures of the device's renderer. The device drops their textures
// before it destroys the renderer (reset) and forgets them when it goes away, so an object
// that outlives either never touches a dead renderer.
class RendererResource {
 public:
  explicit RendererResource(SdlRenderDevice& device);
  RendererResource(const RendererResource&) = delete;
  RendererResource& operator=(const RendererResource&) = delete;

  // Destroys every SDL texture this object holds; it draws nothing afterwards.
  virtual void DropTextures() = 0;

 protected:
  ~RendererResource();
  SdlRenderDevice* Device() const { return device_; }

 private:
  friend class SdlRenderDevice;
  SdlRenderDevice* device_;
};

class SdlTexture final : public ITexture, public RendererResource {
 public:
  SdlTexture(SdlRenderDevice& device, SDL_Texture* texture, int width, int height, bool opaque);
  ~SdlTexture() override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  SDL_Texture* Handle() const { return texture_; }
  // Every texel is opaque: drawn without transparency, the copy needs no blending.
  bool IsOpaque() const { return opaque_; }
  void DropTextures() override;

 private:
  SDL_Texture* texture_;
  int width_;
  int height_;
  bool opaque_;
};

class SdlRenderDevice final : public IRenderDevice {
 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  // Null (after a message on stderr) when no renderer can be made for the window.
  static std::unique_ptr<SdlRenderDevice> Create(SDL_Window* window);
  ~SdlRenderDevice() override;

  RendererDescription Describe() override { return description_; }

  std::unique_ptr<ITexture> CreateTexture(int w, int h, const uint32_t* argb) override;
  std::unique_ptr<IFont> CreateFont(int pixelHeight, Typeface face) override;
  DeviceStatus TestCooperativeLevel() override;
  void Clear(uint32_t argb) override;
  bool BeginScene() override;
  // Carries out the batched drawing now, so that drawing is done (and timed) with the scene
  // and the present only shows the picture.
  void EndScene() override;
  bool DrawQuad(const ITexture* texture, const SpriteVertex (&v)[4]) override;
  DeviceStatus Present() override;
  bool Reset() override;
  bool ReadPixels(std::vector<uint32_t>& argb) override;

  // The window saw its renderer lose its targets or textures: draw nothing until Reset.
  void MarkLost() { lost_ = true; }
  // The renderer to draw on, or null while lost.
  SDL_Renderer* Renderer() const { return lost_ ? nullptr : renderer_; }
  // Copies a texture with its colour and alpha modulated by an ARGB colour.
  bool CopyModulated(SDL_Texture* texture, const SDL_Rect* src, const SDL_FRect& dst, uint32_t argb,
                     double angleDegrees = 0);

  // Quads drawn by each path since the device was made (for measurements).
  struct PathCounts {
    uint64_t copies = 0, rotated = 0, geometry = 0;
  };
  const PathCounts& Counts() const { return counts_; }
  // The pixel format of the picture drawn on (SDL_PIXELFORMAT_*).
  uint32_t PictureFormat() const { return pictureFormat_; }

  // The faces of the fonts this device makes, kept across resets.
  FontFaces& Faces() { return *faces_; }

 private:
  friend class RendererResource;
  friend class SdlTexture;
  explicit SdlRenderDevice(SDL_Window* window);

  // Textures of released pictures, kept for the next picture of the same size: the software
  // renderer would otherwise allocate and clear megabytes for every picture a scene loads.
  struct Spare {
    SDL_Texture* texture;
    int width, height;
    size_t Bytes() const {
      return size_t{static_cast<unsigned>(width)} * static_cast<unsigned>(height) * 4;
    }
  };
  static constexpr size_t kSpareBytes = 16u << 20;
  void KeepSpare(SDL_Texture* texture, int width, int height);
  SDL_Texture* TakeSpare(int width, int height);
  void DropSpares();

  bool CreateRenderer();
  // In a page whose canvas has the picture's size, the picture is drawn straight on the canvas:
  // the page draws every frame afresh and never shows an old one again, so the picture needs
  // no texture of its own, and WebGL is spared a change of target (which waits for the GPU)
  // and a copy of every pixel at each present. Elsewhere, or at another size (full screen),
  // the picture is drawn on its texture as on a desktop.
  void ChooseDrawingTarget();
  // The accelerated renderer, or SDL's software one where that suits the machine better.
  SDL_Renderer* OpenRenderer();
  void DestroyRenderer();
  bool DrawGeometry(SDL_Texture* texture, const SpriteVertex (&v)[4]);
  bool DrawCopy(const SdlTexture* texture, const SDL_Rect& src, const SDL_FRect& dst,
                uint32_t argb);
  // A translucent rectangle of one colour: a copy of an opaque picture in that colour with its
  // alpha as the copy's, several times faster in the software renderer than a blended fill.
  bool FillTranslucent(const SDL_FRect& dst, uint32_t argb);
  bool SetFillColour(uint32_t rgb);
  // Fills a texture of textureFormat_ from ARGB pixels.
  bool Upload(SDL_Texture* texture, int w, int h, const uint32_t* argb);
  bool PresentPicture();
  SDL_Texture* Upscaled(int width, int height);

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* target_ = nullptr;    // the 800 x 600 picture
  uint32_t pictureFormat_ = 0;       // of the picture and its enlargement
  uint32_t textureFormat_ = 0;       // of the textures made from ARGB pixels
  SDL_Texture* white_ = nullptr;     // one white texel: untextured quads that turn
  SDL_Texture* upscaled_ = nullptr;  // the whole-factor enlargement, when the output needs one
  SDL_Texture* fill_ = nullptr;      // 800 x 600 without alpha in the colour fillRgb_
  std::optional<uint32_t> fillRgb_;
  bool lost_ = false;
  bool direct_ = false;          // drawing on the output itself, not on target_
  bool softwareChosen_ = false;  // OpenGL was found drawing on the CPU: not tried again
  RendererDescription description_;
  std::vector<RendererResource*> resources_;
  std::vector<Spare> spares_;  // oldest first
  size_t spareBytes_ = 0;
  PathCounts counts_;
  std::unique_ptr<FontFaces> faces_;
};
