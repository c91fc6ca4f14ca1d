#include "fakes/fake_render_device.h"

#include <algorithm>
#include <cmath>

#include "fakes/fake_resources.h"

namespace {

int RoundUpToPowerOfTwo(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

class FakeFont : public IFont {
 public:
  FakeFont(std::shared_ptr<FakeDeviceLog> log, int height) : log_(std::move(log)), height_(height) {
    ++log_->liveFonts;
  }
  ~FakeFont() override { --log_->liveFonts; }
  int Height() const override { return height_; }
  void DrawText(std::string_view sjis, int left, int top, uint32_t argb) override {
    log_->texts.push_back({std::string(sjis), left, top, argb, height_});
  }
  // Every byte half the height wide, as the message window's byte count assumes.
  int TextWidth(std::string_view sjis) override {
    return static_cast<int>(sjis.size()) * height_ / 2;
  }

 private:
  std::shared_ptr<FakeDeviceLog> log_;
  int height_;
};

}  // namespace

FakeTexture::FakeTexture(std::shared_ptr<FakeDeviceLog> log, int w, int h, const uint32_t* argb,
                         int pw, int ph)
    : width(w),
      height(h),
      bitmapId(0),
      pixels(argb, argb + size_t(pw) * ph),
      pixelWidth(pw),
      pixelHeight(ph),
      log_(std::move(log)) {
  if (!pixels.empty()) bitmapId = FakeBitmapIdFromMarker(pixels[0]);
  ++log_->liveTextures;
  ++log_->texturesCreated;
  log_->liveTextureGenerations[this] = log_->resetGeneration;
}

FakeTexture::~FakeTexture() {
  --log_->liveTextures;
  log_->liveTextureGenerations.erase(this);
}

DrawnQuad::Rect DrawnQuad::ScreenRect() const {
  float left = v[0].x, right = v[0].x, top = v[0].y, bottom = v[0].y;
  for (const SpriteVertex& p : v) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  return {left, top, right - left, bottom - top};
}

DrawnQuad::Rect DrawnQuad::SourceRect() const {
  if (!texture) return {0, 0, 0, 0};
  const float w = float(texture->Width()), h = float(texture->Height());
  return {v[0].u * w - 0.75f, v[0].v * h - 0.75f, (v[3].u - v[0].u) * w, (v[3].v - v[0].v) * h};
}

namespace {
DrawnQuad::PixelRect Rounded(const DrawnQuad::Rect& r) {
  return {int(std::lround(r.x)), int(std::lround(r.y)), int(std::lround(r.w)),
          int(std::lround(r.h))};
}
}  // namespace

DrawnQuad::PixelRect DrawnQuad::ScreenPixels() const { return Rounded(ScreenRect()); }
DrawnQuad::PixelRect DrawnQuad::SourcePixels() const { return Rounded(SourceRect()); }

FakeRenderDevice::FakeRenderDevice() : log(std::make_shared<FakeDeviceLog>()) {}

std::unique_ptr<ITexture> FakeRenderDevice::CreateTexture(int w, int h, const uint32_t* argb) {
  if (failTextures || w <= 0 || h <= 0 || !argb) return nullptr;
  const int tw = roundTexturesToPowerOfTwo ? RoundUpToPowerOfTwo(w) : w;
  const int th = roundTexturesToPowerOfTwo ? RoundUpToPowerOfTwo(h) : h;
  return std::make_unique<FakeTexture>(log, tw, th, argb, w, h);
}

std::unique_ptr<IFont> FakeRenderDevice::CreateFont(int pixelHeight, Typeface face) {
  fontFace = face;
  if (failFonts) return nullptr;
  return std::make_unique<FakeFont>(log, pixelHeight);
}

void FakeRenderDevice::Clear(uint32_t argb) { clears.push_back(argb); }

bool FakeRenderDevice::BeginScene() {
  ++beginScenes;
  return true;
}

bool FakeRenderDevice::DrawQuad(const ITexture* texture, const SpriteVertex (&v)[4]) {
  if (failDraw) return false;
  if (texture) {
    const auto live = log->liveTextureGenerations.find(texture);
    if (live == log->liveTextureGenerations.end() || live->second != log->resetGeneration)
      ++log->destroyedTextureDraws;
  }
  DrawnQuad q{texture, 0, {v[0], v[1], v[2], v[3]}};
  if (auto* t = dynamic_cast<const FakeTexture*>(texture)) q.bitmapId = t->bitmapId;
  log->quads.push_back(q);
  return true;
}

DeviceStatus FakeRenderDevice::Present() {
  ++presents;
  if (presentResults.empty())
    return cooperativeLevel == DeviceStatus::Ok ? DeviceStatus::Ok : DeviceStatus::Lost;
  const DeviceStatus s = presentResults.front();
  presentResults.erase(presentResults.begin());
  return s;
}

bool FakeRenderDevice::Reset() {
  ++resets;
  ++log->resetGeneration;
  texturesAliveAtLastReset = log->liveTextures;
  fontsAliveAtLastReset = log->liveFonts;
  if (failReset) return false;
  cooperativeLevel = DeviceStatus::Ok;
  return true;
}

bool FakeRenderDevice::ReadPixels(std::vector<uint32_t>& argb) {
  argb.assign(800 * 600, clears.empty() ? 0xFF000000u : (clears.back() | 0xFF000000u));
  return true;
}

void FakeRenderDevice::ClearDrawLog() {
  log->quads.clear();
  log->texts.clear();
}

std::vector<DrawnQuad> FakeRenderDevice::QuadsOfBitmap(int id) const {
  std::vector<DrawnQuad> out;
  for (const DrawnQuad& q : log->quads)
    if (q.bitmapId == id) out.push_back(q);
  return out;
}
