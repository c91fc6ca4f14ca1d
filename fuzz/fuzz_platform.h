// A render device, fonts and one bitmap resource for the harnesses that draw: they record what
// reaches the device so that the harness can check it.
#pragma once

#include <string>
#include <vector>

#include "system/render_device.h"
#include "system/resources.h"

struct DrawnText {
  std::string sjis;
  int left, top;
};

class FuzzFont final : public IFont {
 public:
  explicit FuzzFont(int height) : height_(height) {}
  int Height() const override { return height_; }
  void DrawText(std::string_view sjis, int left, int top, uint32_t) override {
    texts.push_back({std::string(sjis), left, top});
  }
  // Half the height for every byte, as the message window counts.
  int TextWidth(std::string_view sjis) override { return int(sjis.size()) * height_ / 2; }
  std::vector<DrawnText> texts;

 private:
  int height_;
};

class FuzzDevice final : public IRenderDevice {
 public:
  std::unique_ptr<ITexture> CreateTexture(int w, int h, const uint32_t* argb) override;
  std::unique_ptr<IFont> CreateFont(int pixelHeight, Typeface face) override;
  DeviceStatus TestCooperativeLevel() override { return DeviceStatus::Ok; }
  void Clear(uint32_t) override {}
  bool BeginScene() override { return true; }
  void EndScene() override {}
  bool DrawQuad(const ITexture* texture, const SpriteVertex (&v)[4]) override;
  DeviceStatus Present() override { return DeviceStatus::Ok; }
  bool Reset() override { return true; }
  bool ReadPixels(std::vector<uint32_t>&) override { return false; }
  RendererDescription Describe() override { return {"fuzz", ""}; }

  size_t quads = 0;
};

// Bitmap 101: a 256 x 256 picture of 8 bits per pixel, room for 4 x 4 cells of 64 x 64.
class FuzzResources final : public IResources {
 public:
  FuzzResources();
  std::span<const uint8_t> Find(ResourceType type, int id) const override;

 private:
  std::vector<uint8_t> bitmap_;
};
