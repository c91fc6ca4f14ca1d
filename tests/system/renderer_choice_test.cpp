#include "system/renderer_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(RendererChoice, RecognisesTheCpuRasterisersByTheirRendererStrings) {
  EXPECT_TRUE(IsSoftwareRasteriser("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsSoftwareRasteriser("softpipe"));
  EXPECT_TRUE(IsSoftwareRasteriser("Mesa X11 swrast"));
  EXPECT_TRUE(IsSoftwareRasteriser("Software Rasterizer"));
  EXPECT_TRUE(IsSoftwareRasteriser("GDI Generic"));
  EXPECT_TRUE(IsSoftwareRasteriser("LLVMPIPE"));
  // What browsers without a GPU report as their unmasked WebGL renderer.
  EXPECT_TRUE(IsSoftwareRasteriser(
      "ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero) (0x0000C0DE)), SwiftShader "
      "driver)"));
  EXPECT_TRUE(IsSoftwareRasteriser("ANGLE (Microsoft, Microsoft Basic Render Driver Direct3D11)"));
  EXPECT_FALSE(
      IsSoftwareRasteriser("ANGLE (Intel, Mesa Intel(R) UHD Graphics 620 (KBL GT2), OpenGL 4.6)"));
  // Real GPUs, including ones whose names share letters with the rasterisers.
  EXPECT_FALSE(IsSoftwareRasteriser("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(IsSoftwareRasteriser("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)"));
  EXPECT_FALSE(IsSoftwareRasteriser("NVIDIA GeForce GTX 1060/PCIe/SSE2"));
  EXPECT_FALSE(IsSoftwareRasteriser("virgl"));
  EXPECT_FALSE(IsSoftwareRasteriser(""));
}

TEST(RendererChoice, OnlyOpenGlOnTheCpuGivesWayAndTheUsersChoiceWins) {
  EXPECT_TRUE(PreferSoftwareRenderer("opengl", "llvmpipe (LLVM 15.0.6, 256 bits)", false));
  EXPECT_TRUE(PreferSoftwareRenderer("opengles2", "softpipe", false));
  EXPECT_FALSE(PreferSoftwareRenderer("opengl", "llvmpipe (LLVM 15.0.6, 256 bits)", true));
  EXPECT_FALSE(PreferSoftwareRenderer("opengl", "Mesa Intel(R) UHD Graphics 620", false));
  // Renderers that are not OpenGL report no GL string; a stale one must not count.
  EXPECT_FALSE(PreferSoftwareRenderer("software", "llvmpipe", false));
  EXPECT_FALSE(PreferSoftwareRenderer("direct3d11", "llvmpipe", false));
}

TEST(RendererChoice, AGpuDeviceIsADrmNodeOrNvidiasOwn) {
  namespace fs = std::filesystem;
  const fs::path dev = fs::temp_directory_path() / "moravin-renderer-choice-dev";
  fs::remove_all(dev);
  fs::create_directories(dev / "dri");
  const auto touch = [](const fs::path& file) { std::ofstream{file}; };
  EXPECT_FALSE(HasGpuDevice(dev)) << "an empty dri folder";
  touch(dev / "dri" / "by-path");
  touch(dev / "null");
  EXPECT_FALSE(HasGpuDevice(dev));
  touch(dev / "dri" / "renderD128");
  EXPECT_TRUE(HasGpuDevice(dev));
  fs::remove(dev / "dri" / "renderD128");
  touch(dev / "dri" / "card0");
  EXPECT_TRUE(HasGpuDevice(dev));
  fs::remove_all(dev / "dri");
  EXPECT_FALSE(HasGpuDevice(dev)) << "no dri folder at all";
  touch(dev / "nvidia0");
  EXPECT_TRUE(HasGpuDevice(dev));
  EXPECT_FALSE(HasGpuDevice(dev / "missing")) << "an unreadable device folder";
  fs::remove_all(dev);
}
