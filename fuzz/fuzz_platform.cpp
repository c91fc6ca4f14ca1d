#include "fuzz_platform.h"

#include "fuzz_check.h"

namespace {

class FuzzTexture final : public ITexture {
 public:
  FuzzTexture(int w, int h) : w_(w), h_(h) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }

 private:
  int w_, h_;
};

constexpr int kBitmapSide = 256;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::unique_ptr<ITexture> FuzzDevice::CreateTexture(int w, int h, const uint32_t* argb) {
  FUZZ_CHECK(w > 0 && h > 0 && argb != nullptr);
  return std::make_unique<FuzzTexture>(w, h);
}

std::unique_ptr<IFont> FuzzDevice::CreateFont(int pixelHeight, Typeface face) {
  return std::make_unique<FuzzFont>(pixelHeight);
}

bool FuzzDevice::DrawQuad(const ITexture*, const SpriteVertex (&)[4]) {
  ++quads;
  return true;
}

FuzzResources::FuzzResources() {
  // BITMAPINFOHEADER: size, width, height, planes and bits, compression, image size, pixels
  // per metre (x, y), colours used, colours important.
  for (uint32_t field :
       {40u, uint32_t(kBitmapSide), uint32_t(kBitmapSide), 1u | 8u << 16, 0u, 0u, 0u, 0u, 0u, 0u})
    Put32(bitmap_, field);
  for (uint32_t i = 0; i < 256; ++i) Put32(bitmap_, i * 0x010101u);  // a grey ramp
  for (int y = 0; y < kBitmapSide; ++y)
    for (int x = 0; x < kBitmapSide; ++x) bitmap_.push_back(uint8_t(x ^ y));
}

std::span<const uint8_t> FuzzResources::Find(ResourceType type, int id) const {
  if (type == ResourceType::Bitmap && id == 101) return bitmap_;
  return {};
}
