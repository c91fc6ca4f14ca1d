#include "system/sdl/sdl_render_device.h"

#include <SDL_opengl.h>
#ifdef _WIN32
// SDL_opengl.h brings in windows.h, whose macros would rename these members of ours to the
// ANSI functions of Windows (DrawTextA, CreateFontA, CreateWindowA).
#undef CreateFont
#undef CreateWindow
#undef DrawText
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "system/renderer_choice.h"
#include "system/sdl/library_leaks.h"
#include "system/sdl/present_layout.h"
#include "system/sdl/quad_plan.h"
#include "system/sdl/sdl_font.h"
#ifdef __EMSCRIPTEN__
#include "system/web/browser.h"
#endif

namespace {

SDL_Color ColourOf(uint32_t argb) {
  return {static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
          static_cast<Uint8>(argb >> 24)};
}

SDL_Texture* MakeTexture(SDL_Renderer* renderer, int access, int w, int h, SDL_BlendMode blend,
                         SDL_ScaleMode scale, Uint32 format = SDL_PIXELFORMAT_ARGB8888) {
  SDL_Texture* texture = SDL_CreateTexture(renderer, format, access, w, h);
  if (texture) {
    SDL_SetTextureBlendMode(texture, blend);
    SDL_SetTextureScaleMode(texture, scale);
  }
  return texture;
}

// The renderer's name and, for an OpenGL renderer, what its context reports as GL_RENDERER.
// SDL's OpenGL renderers leave their context current.
RendererDescription DescribeRenderer(SDL_Renderer* renderer) {
  RendererDescription description;
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return description;
  description.name = info.name;
  if (!description.name.starts_with("opengl") || !SDL_GL_GetCurrentContext()) return description;
  using GetString = const GLubyte*(APIENTRY*)(GLenum);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const GLubyte* text = getString ? getString(GL_RENDERER) : nullptr;
  if (text) description.glRenderer = reinterpret_cast<const char*>(text);
  return description;
}

// Why OpenGL could only be drawn by the CPU here, found before the accelerated renderer is even
// tried; empty when it may have a GPU. On a Linux desktop without a GPU device, trying it would
// keep the driver loaded. A browser names the rasteriser behind its WebGL, and a canvas that
// was given to WebGL can no longer take the software renderer's picture.
std::string CpuOnlyGraphics() {
#if defined(__EMSCRIPTEN__)
  const std::string webGl = PageWebGlRenderer();
  if (IsSoftwareRasteriser(webGl)) return "WebGL draws on the CPU here (" + webGl + ")";
#elif defined(__linux__)
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool desktop =
      driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
  if (desktop && !HasGpuDevice()) return "no GPU device here";
#endif
  return {};
}

// The software renderer copies the picture to the window's surface at every present: in the
// surface's own format that is a plain copy, or a single stretch in full screen, where a
// picture with alpha would be converted, in full screen through a temporary surface of the
// screen's size made every frame. The picture is opaque, like a back buffer, so it loses nothing.
// Other renderers draw it on the GPU, and keep the format with alpha they were made with.
Uint32 ChoosePictureFormat(SDL_Renderer* renderer, SDL_Window* window) {
  constexpr Uint32 kWithAlpha = SDL_PIXELFORMAT_ARGB8888;
  const Uint32 format = SDL_GetWindowPixelFormat(window);
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name ||
      std::strcmp(info.name, "software") != 0 || SDL_BYTESPERPIXEL(format) != 4 ||
      SDL_ISPIXELFORMAT_INDEXED(format)) {
    return kWithAlpha;
  }
  const auto* formats = info.texture_formats;
  const bool drawable = std::find(formats, formats + info.num_texture_formats, format) !=
                        formats + info.num_texture_formats;
  return drawable ? format : kWithAlpha;
}

// The pixel format of the game's pictures and text. SDL's software renderer draws on the
// window's surface, which in a page has its channels in the canvas's order (R, G, B in memory:
// SDL's BGR888), where a desktop's has them in ARGB8888's. Textures in the surface's order are
// blended and copied onto it without swapping every pixel's channels.
Uint32 ChooseTextureFormat(SDL_Renderer* renderer, SDL_Window* window) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name ||
      std::strcmp(info.name, "software") != 0) {
    return SDL_PIXELFORMAT_ARGB8888;
  }
  const SDL_Surface* surface = SDL_GetWindowSurface(window);
  const Uint32 format = surface ? surface->format->format : Uint32{SDL_PIXELFORMAT_UNKNOWN};
  return format == SDL_PIXELFORMAT_BGR888 || format == SDL_PIXELFORMAT_ABGR8888
             ? SDL_PIXELFORMAT_ABGR8888
             : SDL_PIXELFORMAT_ARGB8888;
}

bool UserChoseRenderer() {
  for (const char* name : {"SDL_RENDER_DRIVER", "SDL_FRAMEBUFFER_ACCELERATION"}) {
    const char* value = std::getenv(name);
    if (value && value[0] != '\0') return true;
  }
  return false;
}

}  // namespace

RendererResource::RendererResource(SdlRenderDevice& device) : device_(&device) {
  device.resources_.push_back(this);
}

RendererResource::~RendererResource() {
  if (device_) std::erase(device_->resources_, this);
}

SdlTexture::SdlTexture(SdlRenderDevice& device, SDL_Texture* texture, int width, int height,
                       bool opaque)
    : RendererResource(device),
      texture_(texture),
      width_(width),
      height_(height),
      opaque_(opaque) {}

SdlTexture::~SdlTexture() {
  if (Device() && texture_) Device()->KeepSpare(texture_, width_, height_);
  texture_ = nullptr;
}

void SdlTexture::DropTextures() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
}

std::unique_ptr<SdlRenderDevice> SdlRenderDevice::Create(SDL_Window* window) {
  std::unique_ptr<SdlRenderDevice> device(new SdlRenderDevice(window));
  if (!device->CreateRenderer()) {
    std::fprintf(stderr, "moravin: cannot create a renderer: %s\n", SDL_GetError());
    return nullptr;
  }
  return device;
}

SdlRenderDevice::SdlRenderDevice(SDL_Window* window)
    : window_(window), faces_(std::make_unique<FontFaces>()) {}

SdlRenderDevice::~SdlRenderDevice() {
  DestroyRenderer();
  for (RendererResource* resource : resources_) resource->device_ = nullptr;
}

bool SdlRenderDevice::CreateRenderer() {
  renderer_ = OpenRenderer();
  if (!renderer_) return false;
  description_ = DescribeRenderer(renderer_);
  pictureFormat_ = ChoosePictureFormat(renderer_, window_);
  textureFormat_ = ChooseTextureFormat(renderer_, window_);
  target_ = MakeTexture(renderer_, SDL_TEXTUREACCESS_TARGET, kWidth, kHeight, SDL_BLENDMODE_NONE,
                        SDL_ScaleModeNearest, pictureFormat_);
  white_ = MakeTexture(renderer_, SDL_TEXTUREACCESS_STATIC, 1, 1, SDL_BLENDMODE_BLEND,
                       SDL_ScaleModeNearest);
  // The plain colour has the textures' order of channels, without alpha.
  fill_ = MakeTexture(
      renderer_, SDL_TEXTUREACCESS_STATIC, kWidth, kHeight, SDL_BLENDMODE_BLEND,
      SDL_ScaleModeNearest,
      textureFormat_ == SDL_PIXELFORMAT_ABGR8888 ? SDL_PIXELFORMAT_BGR888 : SDL_PIXELFORMAT_RGB888);
  fillRgb_.reset();
  const uint32_t white = 0xFFFFFFFF;
  // Black, the colour of every fade, is ready before the first frame.
  if (!target_ || !white_ || !fill_ || !SetFillColour(0) ||
      SDL_UpdateTexture(white_, nullptr, &white, 4) != 0 ||
      SDL_SetRenderTarget(renderer_, target_) != 0) {
    DestroyRenderer();
    return false;
  }
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  direct_ = false;
  lost_ = false;
  return true;
}

SDL_Renderer* SdlRenderDevice::OpenRenderer() {
  if (!softwareChosen_ && !UserChoseRenderer()) {
    const std::string why = CpuOnlyGraphics();
    if (!why.empty()) {
      std::fprintf(stderr, "moravin: %s; using the software renderer\n", why.c_str());
      softwareChosen_ = true;
    }
  }
  if (!softwareChosen_) {
    // No vsync: the game paces its own 50 frames per second.
    SDL_Renderer* accelerated = SDL_CreateRenderer(window_, -1, SDL_RENDERER_TARGETTEXTURE);
    if (!accelerated) return SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    const RendererDescription found = DescribeRenderer(accelerated);
    if (!PreferSoftwareRenderer(found.name, found.glRenderer, UserChoseRenderer()))
      return accelerated;
    std::fprintf(stderr,
                 "moravin: OpenGL draws on the CPU here (%s); using the software renderer\n",
                 found.glRenderer.c_str());
    SDL_DestroyRenderer(accelerated);
    softwareChosen_ = true;
  }
  // Framebuffer acceleration would present the software renderer's picture through OpenGL
  // again, on the same CPU.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
}

void SdlRenderDevice::DestroyRenderer() {
  for (RendererResource* resource : resources_) resource->DropTextures();
  DropSpares();
  // Also destroys target, white, upscaled and fill. SDL 2.26 loses a 48-byte block (and one it
  // points to) for each renderer destroyed while it stays initialised.
  if (renderer_) IgnoringLibraryLeaks([this] { SDL_DestroyRenderer(renderer_); });
  renderer_ = nullptr;
  target_ = white_ = upscaled_ = fill_ = nullptr;
}

void SdlRenderDevice::KeepSpare(SDL_Texture* texture, int width, int height) {
  const size_t bytes = size_t{static_cast<unsigned>(width)} * static_cast<unsigned>(height) * 4;
  if (bytes > kSpareBytes) {
    SDL_DestroyTexture(texture);
    return;
  }
  // The oldest spares make room.
  while (spareBytes_ + bytes > kSpareBytes) {
    const Spare& oldest = spares_.front();
    spareBytes_ -= oldest.Bytes();
    SDL_DestroyTexture(oldest.texture);
    spares_.erase(spares_.begin());
  }
  spares_.push_back({texture, width, height});
  spareBytes_ += bytes;
}

SDL_Texture* SdlRenderDevice::TakeSpare(int width, int height) {
  const auto found = std::find_if(spares_.rbegin(), spares_.rend(), [&](const Spare& spare) {
    return spare.width == width && spare.height == height;
  });
  if (found == spares_.rend()) return nullptr;
  SDL_Texture* texture = found->texture;
  spareBytes_ -= found->Bytes();
  spares_.erase(std::next(found).base());
  return texture;
}

void SdlRenderDevice::DropSpares() {
  for (const Spare& spare : spares_) SDL_DestroyTexture(spare.texture);
  spares_.clear();
  spareBytes_ = 0;
}

std::unique_ptr<ITexture> SdlRenderDevice::CreateTexture(int w, int h, const uint32_t* argb) {
  if (!renderer_ || w <= 0 || h <= 0 || !argb) return nullptr;
  SDL_Texture* texture = TakeSpare(w, h);
  if (!texture) {
    texture = MakeTexture(renderer_, SDL_TEXTUREACCESS_STATIC, w, h, SDL_BLENDMODE_BLEND,
                          SDL_ScaleModeNearest, textureFormat_);
  }
  if (!texture) return nullptr;
  if (!Upload(texture, w, h, argb)) {
    SDL_DestroyTexture(texture);
    return nullptr;
  }
  const bool opaque = std::all_of(argb, argb + size_t{static_cast<unsigned>(w)} * h,
                                  [](uint32_t pixel) { return pixel >> 24 == 0xFF; });
  return std::make_unique<SdlTexture>(*this, texture, w, h, opaque);
}

bool SdlRenderDevice::Upload(SDL_Texture* texture, int w, int h, const uint32_t* argb) {
  if (textureFormat_ == SDL_PIXELFORMAT_ARGB8888)
    return SDL_UpdateTexture(texture, nullptr, argb, w * 4) == 0;
  std::vector<uint32_t> converted(size_t{static_cast<unsigned>(w)} * static_cast<unsigned>(h));
  return SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, argb, w * 4, textureFormat_,
                           converted.data(), w * 4) == 0 &&
         SDL_UpdateTexture(texture, nullptr, converted.data(), w * 4) == 0;
}

std::unique_ptr<IFont> SdlRenderDevice::CreateFont(int pixelHeight, Typeface face) {
  if (!renderer_) return nullptr;
  return SdlFont::Open(*this, pixelHeight, face);
}

DeviceStatus SdlRenderDevice::TestCooperativeLevel() {
  return lost_ || !renderer_ ? DeviceStatus::NotReset : DeviceStatus::Ok;
}

void SdlRenderDevice::ChooseDrawingTarget() {
#ifdef __EMSCRIPTEN__
  int width = 0, height = 0;
  SDL_GetWindowSizeInPixels(window_, &width, &height);
  const bool direct = width == kWidth && height == kHeight;
  if (direct != direct_ && SDL_SetRenderTarget(renderer_, direct ? nullptr : target_) == 0)
    direct_ = direct;
#endif
}

void SdlRenderDevice::Clear(uint32_t argb) {
  if (!Renderer()) return;
  ChooseDrawingTarget();
  const SDL_Color c = ColourOf(argb);
  // The picture is opaque, like a back buffer without alpha.
  SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(renderer_);
}

bool SdlRenderDevice::BeginScene() { return Renderer() != nullptr; }

void SdlRenderDevice::EndScene() {
  if (Renderer()) SDL_RenderFlush(renderer_);
}

bool SdlRenderDevice::CopyModulated(SDL_Texture* texture, const SDL_Rect* src, const SDL_FRect& dst,
                                    uint32_t argb, double angleDegrees) {
  const SDL_Color c = ColourOf(argb);
  SDL_SetTextureColorMod(texture, c.r, c.g, c.b);
  SDL_SetTextureAlphaMod(texture, c.a);
  if (angleDegrees == 0) return SDL_RenderCopyF(renderer_, texture, src, &dst) == 0;
  return SDL_RenderCopyExF(renderer_, texture, src, &dst, angleDegrees, nullptr, SDL_FLIP_NONE) ==
         0;
}

bool SdlRenderDevice::DrawGeometry(SDL_Texture* texture, const SpriteVertex (&v)[4]) {
  SDL_Vertex vertices[4];
  for (int i = 0; i < 4; ++i) {
    // SDL refuses coordinates outside the texture, and the sprite code offsets them by a
    // fraction of a texel, which can take a sprite's far edge just past it.
    const SDL_FPoint texel{std::clamp(v[i].u, 0.0f, 1.0f), std::clamp(v[i].v, 0.0f, 1.0f)};
    vertices[i] = {{v[i].x, v[i].y}, ColourOf(v[i].diffuse), texel};
  }
  static constexpr int kStrip[6] = {0, 1, 2, 2, 1, 3};  // the strip's two triangles
  return SDL_RenderGeometry(renderer_, texture, vertices, 4, kStrip, 6) == 0;
}

bool SdlRenderDevice::SetFillColour(uint32_t rgb) {
  if (fillRgb_ == rgb) return true;
  const uint32_t pixel = textureFormat_ == SDL_PIXELFORMAT_ABGR8888
                             ? (rgb & 0x00FF00) | (rgb >> 16 & 0xFF) | (rgb & 0xFF) << 16
                             : rgb;
  const std::vector<uint32_t> pixels(size_t{kWidth} * kHeight, pixel);
  if (SDL_UpdateTexture(fill_, nullptr, pixels.data(), kWidth * 4) != 0) return false;
  fillRgb_ = rgb;
  return true;
}

bool SdlRenderDevice::FillTranslucent(const SDL_FRect& dst, uint32_t argb) {
  if (!SetFillColour(argb & 0x00FFFFFF)) return false;
  // The renderer cuts the destination to whole pixels; a source of that size is copied
  // unscaled. A rectangle larger than the picture stretches the plain colour, which is the same.
  const SDL_Rect src{0, 0, std::clamp(static_cast<int>(dst.w), 1, kWidth),
                     std::clamp(static_cast<int>(dst.h), 1, kHeight)};
  // The picture has the colour already: modulating it by white keeps the copy on the
  // renderer's fast path, which blends by the alpha alone.
  return CopyModulated(fill_, &src, dst, (argb & 0xFF000000) | 0x00FFFFFF);
}

bool SdlRenderDevice::DrawCopy(const SdlTexture* texture, const SDL_Rect& src, const SDL_FRect& dst,
                               uint32_t argb) {
  if (!texture) {
    if (argb >> 24 != 0xFF) return FillTranslucent(dst, argb);
    const SDL_Color c = ColourOf(argb);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
    return SDL_RenderFillRectF(renderer_, &dst) == 0;
  }
  // An opaque picture drawn opaque is a plain copy, several times faster than blending.
  const bool blend = !texture->IsOpaque() || argb >> 24 != 0xFF;
  SDL_SetTextureBlendMode(texture->Handle(), blend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
  const bool drawn = CopyModulated(texture->Handle(), &src, dst, argb);
  SDL_SetTextureBlendMode(texture->Handle(), SDL_BLENDMODE_BLEND);
  return drawn;
}

bool SdlRenderDevice::DrawQuad(const ITexture* texture, const SpriteVertex (&v)[4]) {
  if (!Renderer()) return false;
  // Every texture of this device is an SdlTexture; one dropped by a reset draws nothing.
  const auto* sdlTexture = static_cast<const SdlTexture*>(texture);
  SDL_Texture* handle = sdlTexture ? sdlTexture->Handle() : nullptr;
  if (sdlTexture && !handle) return false;
  const int width = sdlTexture ? sdlTexture->Width() : 0;
  const int height = sdlTexture ? sdlTexture->Height() : 0;
  const QuadPlan plan = PlanQuad(v, width, height);
  const SDL_FRect dst{plan.dstX, plan.dstY, plan.dstW, plan.dstH};
  const SDL_Rect src{plan.srcX, plan.srcY, plan.srcW, plan.srcH};
  switch (plan.path) {
    case QuadPath::Skip: return true;
    case QuadPath::Copy: ++counts_.copies; return DrawCopy(sdlTexture, src, dst, plan.argb);
    case QuadPath::Rotated:
      ++counts_.rotated;
      return handle ? CopyModulated(handle, &src, dst, plan.argb, plan.angleDegrees)
                    : CopyModulated(white_, nullptr, dst, plan.argb, plan.angleDegrees);
    case QuadPath::Geometry: ++counts_.geometry; return DrawGeometry(handle, v);
  }
  return false;
}

SDL_Texture* SdlRenderDevice::Upscaled(int width, int height) {
  int w = 0, h = 0;
  if (upscaled_ && SDL_QueryTexture(upscaled_, nullptr, nullptr, &w, &h) == 0 && w == width &&
      h == height) {
    return upscaled_;
  }
  if (upscaled_) SDL_DestroyTexture(upscaled_);
  upscaled_ = MakeTexture(renderer_, SDL_TEXTUREACCESS_TARGET, width, height, SDL_BLENDMODE_NONE,
                          SDL_ScaleModeLinear, pictureFormat_);
  return upscaled_;
}

bool SdlRenderDevice::PresentPicture() {
  // The output size is the window's only while no target is set.
  int width = 0, height = 0;
  if (SDL_SetRenderTarget(renderer_, nullptr) != 0 ||
      SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) {
    return false;
  }
  const PresentLayout layout = ComputePresentLayout(width, height, kWidth, kHeight);
  SDL_Texture* picture = target_;
  if (layout.NeedsIntermediate()) {
    // Whole-factor enlargement with nearest sampling keeps the pixels sharp; only the last,
    // fractional step is filtered.
    SDL_Texture* upscaled = Upscaled(kWidth * layout.factor, kHeight * layout.factor);
    SDL_SetTextureScaleMode(target_, SDL_ScaleModeNearest);
    if (!upscaled || SDL_SetRenderTarget(renderer_, upscaled) != 0 ||
        SDL_RenderCopy(renderer_, target_, nullptr, nullptr) != 0 ||
        SDL_SetRenderTarget(renderer_, nullptr) != 0) {
      return false;
    }
    picture = upscaled;
  } else {
    SDL_SetTextureScaleMode(target_, layout.linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  }
  const SDL_Rect dst{layout.dstX, layout.dstY, layout.dstW, layout.dstH};
  // Black bars where the picture leaves room; a picture that covers the output needs none.
  if (dst.x > 0 || dst.y > 0 || dst.w < width || dst.h < height) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer_);
  }
  return SDL_RenderCopy(renderer_, picture, nullptr, &dst) == 0;
}

DeviceStatus SdlRenderDevice::Present() {
  if (!Renderer()) return DeviceStatus::Lost;
  if (direct_) {
    SDL_RenderPresent(renderer_);
    return DeviceStatus::Ok;
  }
  bool shown = PresentPicture();
  if (shown) SDL_RenderPresent(renderer_);
  // Drawing goes to the picture again, which keeps this frame until the next clear.
  shown = SDL_SetRenderTarget(renderer_, target_) == 0 && shown;
  if (shown) return DeviceStatus::Ok;
  std::fprintf(stderr, "moravin: present failed, resetting the renderer: %s\n", SDL_GetError());
  lost_ = true;
  return DeviceStatus::Lost;
}

bool SdlRenderDevice::Reset() {
  DestroyRenderer();
  if (CreateRenderer()) return true;
  std::fprintf(stderr, "moravin: cannot recreate the renderer: %s\n", SDL_GetError());
  return false;
}

bool SdlRenderDevice::ReadPixels(std::vector<uint32_t>& argb) {
  if (!Renderer()) return false;
  argb.resize(size_t{kWidth} * kHeight);
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(), kWidth * 4) !=
      0) {
    return false;
  }
  // The screen has no alpha: blending leaves partial alpha in the target, which a screenshot
  // must not turn into transparency.
  for (uint32_t& pixel : argb) pixel |= 0xFF000000u;
  return true;
}
