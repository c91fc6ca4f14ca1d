#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sdl_test_platform.h"
#include "system/sdl/sdl_render_device.h"

namespace {

// Shows one picture in a window of the given size and reads back what the window shows.
class PresentTest : public ::testing::Test {
 protected:
  struct Output {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const {
      return pixels[static_cast<size_t>(y) * width + x] | 0xFF000000u;
    }
  };

  Output Show(int width, int height) {
    TestPlatform();
    Output output;
    SDL_Window* window = SDL_CreateWindow("present", 0, 0, width, height, 0);
    EXPECT_NE(window, nullptr);
    if (!window) return output;
    {
      auto device = SdlRenderDevice::Create(window);
      EXPECT_NE(device, nullptr);
      if (device) output = DrawAndRead(*device);
    }
    SDL_DestroyWindow(window);
    return output;
  }

  // Grey picture with a red 100 x 100 square at (100, 100) and one white pixel at (10, 10).
  static Output DrawAndRead(SdlRenderDevice& device) {
    device.Clear(0xFF808080);
    const auto square = Rectangle(100, 100, 100, 100, 0xFFFF0000);
    const auto dot = Rectangle(10, 10, 1, 1, 0xFFFFFFFF);
    device.DrawQuad(nullptr, square.v);
    device.DrawQuad(nullptr, dot.v);
    EXPECT_EQ(device.Present(), DeviceStatus::Ok);
    Output output;
    SDL_Renderer* renderer = device.Renderer();
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_GetRendererOutputSize(renderer, &output.width, &output.height);
    output.pixels.resize(static_cast<size_t>(output.width) * output.height);
    EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                   output.pixels.data(), output.width * 4),
              0);
    return output;
  }
};

}  // namespace

TEST_F(PresentTest, OneToOneIsThePictureItself) {
  const Output out = Show(800, 600);
  ASSERT_EQ(out.width, 800);
  EXPECT_EQ(out.At(10, 10), 0xFFFFFFFFu);
  EXPECT_EQ(out.At(11, 10), 0xFF808080u);  // not blurred into its neighbours
  EXPECT_EQ(out.At(100, 100), 0xFFFF0000u);
  EXPECT_EQ(out.At(99, 100), 0xFF808080u);
}

TEST_F(PresentTest, DoubleSizeRepeatsEveryPixelSharply) {
  const Output out = Show(1600, 1200);
  ASSERT_EQ(out.width, 1600);
  for (int x : {20, 21})
    for (int y : {20, 21}) EXPECT_EQ(out.At(x, y), 0xFFFFFFFFu) << x << "," << y;
  EXPECT_EQ(out.At(22, 20), 0xFF808080u);
  EXPECT_EQ(out.At(19, 21), 0xFF808080u);
  EXPECT_EQ(out.At(200, 200), 0xFFFF0000u);
  EXPECT_EQ(out.At(199, 200), 0xFF808080u);
}

TEST_F(PresentTest, WiderOutputIsPillarboxedNotStretched) {
  const Output out = Show(1200, 600);
  ASSERT_EQ(out.width, 1200);
  EXPECT_EQ(out.At(199, 300), 0xFF000000u);  // black bar
  EXPECT_EQ(out.At(200, 300), 0xFF808080u);  // the picture starts here, at 1:1
  EXPECT_EQ(out.At(210, 10), 0xFFFFFFFFu);
  EXPECT_EQ(out.At(1000, 300), 0xFF000000u);
}

TEST_F(PresentTest, InBetweenSizesKeepSolidAreasAndFilterOnlyTheEdges) {
  const Output out = Show(2000, 1500);  // 2.5 x: 2 x nearest, then filtered
  ASSERT_EQ(out.width, 2000);
  EXPECT_EQ(out.At(375, 375), 0xFFFF0000u);  // the middle of the square
  EXPECT_EQ(out.At(1000, 1000), 0xFF808080u);
  const uint32_t edge = out.At(250, 375);  // where red meets grey
  EXPECT_NE(edge, 0xFF000000u);
  EXPECT_GE((edge >> 16) & 0xFF, 0x80u);
}
