// The screenshot writer, read back with libpng.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "system/png_writer.h"

namespace e2e {
namespace {

TEST(PngWriter, PixelsReadBackExactlyWithoutAlpha) {
  TempDir dir;
  const int w = 37, h = 5;
  std::vector<uint32_t> argb(w * h);
  for (int i = 0; i < w * h; ++i)
    argb[i] = 0x40000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
  std::string error;
  ASSERT_TRUE(WritePng((dir / "a.png").string(), w, h, argb, error)) << error;
  std::optional<Picture> picture = ReadPng(dir / "a.png");
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->width, w);
  ASSERT_EQ(picture->height, h);
  for (int i = 0; i < w * h; ++i) ASSERT_EQ(picture->rgb[i], argb[i] & 0xFFFFFF) << i;
}

TEST(PngWriter, RefusesAWrongPixelCountAndAnUnwritablePath) {
  TempDir dir;
  std::vector<uint32_t> argb(10);
  std::string error;
  EXPECT_FALSE(WritePng((dir / "short.png").string(), 4, 4, argb, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "short.png"));

  error.clear();
  EXPECT_FALSE(WritePng((dir / "no" / "dir.png").string(), 2, 5, argb, error));
  EXPECT_NE(error.find("dir.png"), std::string::npos) << error;
}

}  // namespace
}  // namespace e2e
