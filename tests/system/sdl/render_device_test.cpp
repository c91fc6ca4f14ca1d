#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "sdl_test_platform.h"
#include "system/sdl/sdl_render_device.h"
#include "system/window.h"

namespace {

class RenderDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowDesc desc;
    desc.utf8Title = "もらびん！";
    window_ = TestPlatform().CreateWindow(desc);
    ASSERT_NE(window_, nullptr);
    device_ = window_->Device();
    ASSERT_NE(device_, nullptr);
  }

  // Clears to `clear`, runs `draw` inside a scene, presents, and reads the picture back.
  template <typename Draw>
  std::vector<uint32_t> Frame(uint32_t clear, Draw draw) {
    device_->Clear(clear);
    EXPECT_TRUE(device_->BeginScene());
    draw();
    device_->EndScene();
    EXPECT_EQ(device_->Present(), DeviceStatus::Ok);
    std::vector<uint32_t> picture;
    EXPECT_TRUE(device_->ReadPixels(picture));
    return picture;
  }

  std::unique_ptr<ITexture> SolidTexture(int w, int h, uint32_t argb) {
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, argb);
    return device_->CreateTexture(w, h, pixels.data());
  }

  SdlRenderDevice::PathCounts Counts() const {
    return static_cast<SdlRenderDevice*>(device_)->Counts();
  }

  std::unique_ptr<IWindow> window_;
  IRenderDevice* device_ = nullptr;
};

// Channel distance between two colours, ignoring alpha.
int ColourDistance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) {
    worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                     static_cast<int>((b >> shift) & 0xFF)));
  }
  return worst;
}

}  // namespace

TEST_F(RenderDeviceTest, ClearFillsThePictureOpaque) {
  const auto picture = Frame(0x00808080, [] {});
  ASSERT_EQ(picture.size(), 800u * 600u);
  EXPECT_EQ(PixelAt(picture, 0, 0), 0xFF808080u);
  EXPECT_EQ(PixelAt(picture, 799, 599), 0xFF808080u);
}

TEST_F(RenderDeviceTest, TheSoftwareRenderersPictureIsInTheWindowsFormatWithoutAlpha) {
  // The headless window's surface is 32-bit RGB: the picture is presented by a plain copy.
  ASSERT_EQ(device_->Describe().name, "software");
  const Uint32 format = static_cast<SdlRenderDevice*>(device_)->PictureFormat();
  EXPECT_EQ(SDL_BYTESPERPIXEL(format), 4) << SDL_GetPixelFormatName(format);
  EXPECT_FALSE(SDL_ISPIXELFORMAT_ALPHA(format)) << SDL_GetPixelFormatName(format);
}

TEST_F(RenderDeviceTest, UntexturedQuadFillsItsRectangleWithItsColour) {
  const auto quad = Rectangle(100, 50, 40, 30, 0xFFFF0000);
  const auto picture = Frame(0xFF000000, [&] { EXPECT_TRUE(device_->DrawQuad(nullptr, quad.v)); });
  EXPECT_EQ(PixelAt(picture, 100, 50), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(picture, 139, 79), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(picture, 99, 50), 0xFF000000u);
  EXPECT_EQ(PixelAt(picture, 140, 50), 0xFF000000u);
  EXPECT_EQ(PixelAt(picture, 100, 80), 0xFF000000u);
}

TEST_F(RenderDeviceTest, TexturedQuadTakesTheSourceRectangleAndTheVertexColour) {
  // Left half red, right half blue; draw only the right half, tinted to half brightness.
  std::vector<uint32_t> pixels(64 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) pixels[y * 64 + x] = x < 32 ? 0xFFFF0000 : 0xFF0000FF;
  auto texture = device_->CreateTexture(64, 16, pixels.data());
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->Width(), 64);
  auto quad = Rectangle(200, 200, 32, 16, 0xFF808080);
  // Source x = 32 with the sprite code's three-quarter texel offset.
  for (int i : {0, 2}) quad.v[i].u = 32.75f / 64;
  for (int i : {1, 3}) quad.v[i].u = 32.75f / 64 + 0.5f;
  const auto picture = Frame(0xFF000000, [&] { device_->DrawQuad(texture.get(), quad.v); });
  EXPECT_LE(ColourDistance(PixelAt(picture, 200, 200), 0xFF000080), 1);
  EXPECT_LE(ColourDistance(PixelAt(picture, 231, 215), 0xFF000080), 1);
  EXPECT_EQ(PixelAt(picture, 232, 200), 0xFF000000u);
}

TEST_F(RenderDeviceTest, HalfTransparentQuadBlendsWithWhatIsBehind) {
  auto texture = SolidTexture(8, 8, 0xFFFFFFFF);
  const auto white = Rectangle(10, 10, 20, 20, 0x80FFFFFF);
  const auto red = Rectangle(40, 10, 20, 20, 0x80FF0000);
  const auto picture = Frame(0xFF000000, [&] {
    device_->DrawQuad(texture.get(), white.v);
    device_->DrawQuad(nullptr, red.v);
  });
  EXPECT_LE(ColourDistance(PixelAt(picture, 20, 20), 0xFF808080), 2);
  EXPECT_LE(ColourDistance(PixelAt(picture, 50, 20), 0xFF800000), 2);
}

TEST_F(RenderDeviceTest, TranslucentFillsTakeTheirOwnColourAndRectangle) {
  // A fill turned translucent is drawn from a kept picture in its colour: each colour in turn,
  // clipped to its rectangle, and one larger than the screen covering all of it.
  const auto red = Rectangle(10, 10, 20, 20, 0x80FF0000);
  const auto green = Rectangle(40.6f, 10, 20, 20, 0x80008000);
  const auto redAgain = Rectangle(70, 10, 20, 20, 0x80FF0000);
  const auto black = Rectangle(-100, -100, 1000, 800, 0x40000000);
  const auto picture = Frame(0xFFFFFFFF, [&] {
    EXPECT_TRUE(device_->DrawQuad(nullptr, red.v));
    EXPECT_TRUE(device_->DrawQuad(nullptr, green.v));
    EXPECT_TRUE(device_->DrawQuad(nullptr, redAgain.v));
  });
  EXPECT_LE(ColourDistance(PixelAt(picture, 20, 20), 0xFFFF7F7F), 2);
  EXPECT_LE(ColourDistance(PixelAt(picture, 50, 20), 0xFF7FBF7F), 2);
  EXPECT_LE(ColourDistance(PixelAt(picture, 80, 20), 0xFFFF7F7F), 2);
  EXPECT_EQ(PixelAt(picture, 9, 20), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(picture, 30, 20), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(picture, 20, 30), 0xFFFFFFFFu);
  const auto dimmed = Frame(0xFFFFFFFF, [&] { EXPECT_TRUE(device_->DrawQuad(nullptr, black.v)); });
  for (auto [x, y] : {std::pair{0, 0}, {799, 599}, {400, 300}})
    EXPECT_LE(ColourDistance(PixelAt(dimmed, x, y), 0xFFBFBFBF), 2) << x << "," << y;
}

TEST_F(RenderDeviceTest, AReleasedTextureOfTheSameSizeShowsOnlyTheNewPicture) {
  // Textures of released pictures are reused for the next one of the same size: nothing of the
  // old picture, nor its opacity, may show through.
  std::vector<uint32_t> opaque(16 * 16, 0xFFFF0000);
  std::vector<uint32_t> holed(16 * 16, 0xFF0000FF);
  holed[0] = 0x00000000;
  const auto quad = Rectangle(100, 100, 16, 16, 0xFFFFFFFF);
  auto first = device_->CreateTexture(16, 16, opaque.data());
  ASSERT_NE(first, nullptr);
  first.reset();
  auto second = device_->CreateTexture(16, 16, holed.data());
  auto other = device_->CreateTexture(16, 8, opaque.data());
  ASSERT_NE(second, nullptr);
  ASSERT_NE(other, nullptr);
  const auto picture = Frame(0xFF00FF00, [&] { device_->DrawQuad(second.get(), quad.v); });
  EXPECT_EQ(PixelAt(picture, 100, 100), 0xFF00FF00u);  // the hole
  EXPECT_EQ(PixelAt(picture, 101, 100), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(picture, 115, 115), 0xFF0000FFu);
}

TEST_F(RenderDeviceTest, TexturesReleasedAroundAResetAreGoneWithTheOldRenderer) {
  for (int i = 0; i < 3; ++i) SolidTexture(64, 64, 0xFFFFFFFF).reset();  // spares now
  ASSERT_TRUE(device_->Reset());
  auto fresh = SolidTexture(64, 64, 0xFF00FF00);
  ASSERT_NE(fresh, nullptr);
  const auto quad = Rectangle(0, 0, 64, 64, 0xFFFFFFFF);
  const auto picture =
      Frame(0xFF000000, [&] { EXPECT_TRUE(device_->DrawQuad(fresh.get(), quad.v)); });
  EXPECT_EQ(PixelAt(picture, 32, 32), 0xFF00FF00u);
}

TEST_F(RenderDeviceTest, TransparentTexelsLeaveTheBackground) {
  // The colour key turns opaque black into fully transparent texels.
  std::vector<uint32_t> pixels = {0x00000000, 0xFF00FF00, 0xFF00FF00, 0x00000000};
  auto texture = device_->CreateTexture(2, 2, pixels.data());
  const auto quad = Rectangle(0, 0, 20, 20, 0xFFFFFFFF);
  const auto picture = Frame(0xFF123456, [&] { device_->DrawQuad(texture.get(), quad.v); });
  EXPECT_EQ(PixelAt(picture, 5, 5), 0xFF123456u);
  EXPECT_EQ(PixelAt(picture, 15, 5), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(picture, 5, 15), 0xFF00FF00u);
}

TEST_F(RenderDeviceTest, RotatedQuadTurnsClockwiseAboutItsCentre) {
  // A 200 x 20 bar centred on (400, 300), turned a quarter clockwise: now 20 wide, 200 tall.
  auto texture = SolidTexture(4, 4, 0xFF00FF00);
  auto quad = Rectangle(300, 290, 200, 20, 0xFFFFFFFF);
  for (SpriteVertex& v : quad.v) {
    const float dx = v.x - 400, dy = v.y - 300;
    v.x = 400 - dy;
    v.y = 300 + dx;
  }
  auto untextured = quad;  // the same bar without a texture, 300 pixels further right
  for (SpriteVertex& v : untextured.v) v.x += 300;
  const auto before = Counts();
  const auto picture = Frame(0xFF000000, [&] {
    EXPECT_TRUE(device_->DrawQuad(texture.get(), quad.v));
    EXPECT_TRUE(device_->DrawQuad(nullptr, untextured.v));
  });
  EXPECT_EQ(Counts().rotated, before.rotated + 2);
  EXPECT_EQ(PixelAt(picture, 700, 210), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(picture, 630, 300), 0xFF000000u);
  EXPECT_EQ(PixelAt(picture, 400, 210), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(picture, 400, 390), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(picture, 330, 300), 0xFF000000u);
  EXPECT_EQ(PixelAt(picture, 470, 300), 0xFF000000u);
}

TEST_F(RenderDeviceTest, MirroredAndMulticolouredQuadsAreDrawnAsTriangles) {
  std::vector<uint32_t> pixels(64 * 4);  // red | blue
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = i % 64 < 32 ? 0xFFFF0000 : 0xFF0000FF;
  auto texture = device_->CreateTexture(64, 4, pixels.data());
  auto mirrored = Rectangle(100, 100, 40, 40, 0xFFFFFFFF);
  std::swap(mirrored.v[0].u, mirrored.v[1].u);
  std::swap(mirrored.v[2].u, mirrored.v[3].u);
  // Offset by three quarters of a texel, as the sprite code does: an edge lies past the texture.
  for (SpriteVertex& v : mirrored.v) {
    v.u += 0.75f / 64;
    v.v += 0.75f / 4;
  }
  auto shaded = Rectangle(300, 100, 40, 40, 0xFFFFFFFF);
  shaded.v[2].diffuse = shaded.v[3].diffuse = 0xFF000000;
  const auto picture = Frame(0xFF000000, [&] {
    EXPECT_TRUE(device_->DrawQuad(texture.get(), mirrored.v));
    EXPECT_TRUE(device_->DrawQuad(nullptr, shaded.v));
  });
  EXPECT_LE(ColourDistance(PixelAt(picture, 105, 120), 0xFF0000FF), 2);  // blue now on the left
  EXPECT_LE(ColourDistance(PixelAt(picture, 135, 120), 0xFFFF0000), 2);
  EXPECT_GT(PixelAt(picture, 320, 101) & 0xFF, 0xE0u);  // white at the top fading to black
  EXPECT_LT(PixelAt(picture, 320, 138) & 0xFF, 0x20u);
}

TEST_F(RenderDeviceTest, DeviceResetEventLosesTheDeviceUntilReset) {
  auto texture = SolidTexture(4, 4, 0xFFFFFFFF);
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  WindowEvent event{};
  bool sawReset = false;
  while (window_->PollEvent(event)) sawReset |= event.type == WindowEventType::DeviceReset;
  ASSERT_TRUE(sawReset);
  EXPECT_EQ(device_->TestCooperativeLevel(), DeviceStatus::NotReset);
  EXPECT_FALSE(device_->BeginScene());
  EXPECT_EQ(device_->Present(), DeviceStatus::Lost);

  EXPECT_TRUE(device_->Reset());
  EXPECT_EQ(device_->TestCooperativeLevel(), DeviceStatus::Ok);
  // A texture made before the reset is dead: drawing it does nothing instead of crashing.
  const auto quad = Rectangle(0, 0, 10, 10, 0xFFFFFFFF);
  const auto picture =
      Frame(0xFF000000, [&] { EXPECT_FALSE(device_->DrawQuad(texture.get(), quad.v)); });
  EXPECT_EQ(PixelAt(picture, 5, 5), 0xFF000000u);
  auto fresh = SolidTexture(4, 4, 0xFFFFFFFF);
  EXPECT_NE(fresh, nullptr);
}

TEST_F(RenderDeviceTest, TexturesMayOutliveTheirDevice) {
  auto texture = SolidTexture(4, 4, 0xFFFFFFFF);
  window_.reset();
  texture.reset();  // must not touch the destroyed renderer
  SUCCEED();
}

TEST_F(RenderDeviceTest, RejectsTexturesWithoutPixels) {
  EXPECT_EQ(device_->CreateTexture(0, 4, nullptr), nullptr);
  uint32_t pixel = 0;
  EXPECT_EQ(device_->CreateTexture(-1, 1, &pixel), nullptr);
}

// Prints what the two drawing paths cost with the software renderer, and checks that they
// draw the same thing: an upright copy, and the same uniform texture mirrored both ways, which
// only triangles can draw.
TEST_F(RenderDeviceTest, CopyAndGeometryPathsAgreeAndAreTimed) {
  struct Case {
    const char* name;
    int size;
    uint32_t colour;
    int quads;
  };
  const Case cases[] = {{"64x64 sprite, plain", 64, 0xFFFFFFFF, 1000},
                        {"64x64 sprite, tinted half-transparent", 64, 0x80FF8040, 1000},
                        {"600x600 picture, plain", 600, 0xFFFFFFFF, 20}};
  for (const Case& c : cases) {
    auto texture = SolidTexture(c.size, c.size, 0xFF3080C0);
    const auto copy =
        Rectangle(100, 0, static_cast<float>(c.size), static_cast<float>(c.size), c.colour);
    auto geometry = copy;
    std::swap(geometry.v[0].u, geometry.v[3].u);
    std::swap(geometry.v[1].u, geometry.v[2].u);
    std::swap(geometry.v[0].v, geometry.v[3].v);
    std::swap(geometry.v[1].v, geometry.v[2].v);
    auto timeQuads = [&](const QuadCorners& quad, std::vector<uint32_t>& picture) {
      device_->Clear(0xFF000000);
      device_->DrawQuad(texture.get(), quad.v);
      device_->Present();
      device_->ReadPixels(picture);  // the picture after one quad
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < c.quads; ++i) device_->DrawQuad(texture.get(), quad.v);
      std::vector<uint32_t> flushed;
      device_->ReadPixels(flushed);  // waits for every queued draw
      return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                 .count() /
             c.quads;
    };
    std::vector<uint32_t> copyPicture, geometryPicture;
    const auto before = Counts();
    const double copyMicros = timeQuads(copy, copyPicture);
    const double geometryMicros = timeQuads(geometry, geometryPicture);
    EXPECT_EQ(Counts().copies - before.copies, static_cast<uint64_t>(c.quads + 1)) << c.name;
    EXPECT_EQ(Counts().geometry - before.geometry, static_cast<uint64_t>(c.quads + 1)) << c.name;
    std::printf("%-40s copy %8.1f us  geometry %8.1f us  (%.1fx)\n", c.name, copyMicros,
                geometryMicros, geometryMicros / copyMicros);
    for (int y : {0, c.size / 2, c.size - 1})
      for (int x : {100, 100 + c.size / 2, 99 + c.size})
        EXPECT_LE(ColourDistance(PixelAt(copyPicture, x, y), PixelAt(geometryPicture, x, y)), 2)
            << c.name << " at " << x << "," << y;
    EXPECT_EQ(PixelAt(copyPicture, 100 + c.size, 0), 0xFF000000u) << c.name;
  }
}
