// The .ico file of the Windows executable: a directory Windows can read, pointing at a PNG
// image of each size, all inside the file.
#include "windows_icon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "decoded.h"

namespace {

// The width a PNG file's header gives.
uint32_t PngWidth(const std::vector<uint8_t>& bytes, size_t start) {
  const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (size_t i = 0; i < sizeof signature; ++i)
    if (bytes.at(start + i) != signature[i]) return 0;
  // The IHDR chunk's width, big-endian, after the signature, the length and the type.
  uint32_t width = 0;
  for (size_t i = 16; i < 20; ++i) width = width << 8 | bytes.at(start + i);
  return width;
}

TEST(WindowsIcon, EveryEntryPointsAtAPngOfItsSizeWithinTheFile) {
  const std::vector<uint8_t> icon = MakeWindowsIcon();
  const std::vector<int>& sizes = WindowsIconSizes();
  ASSERT_EQ(Le16(icon, 0), 0u);
  ASSERT_EQ(Le16(icon, 2), 1u) << "an icon, not a cursor";
  ASSERT_EQ(Le16(icon, 4), sizes.size());
  size_t expectedOffset = 6 + 16 * sizes.size();
  for (size_t i = 0; i < sizes.size(); ++i) {
    SCOPED_TRACE(sizes[i]);
    const size_t entry = 6 + 16 * i;
    const uint32_t side = icon.at(entry) == 0 ? 256 : icon.at(entry);
    EXPECT_EQ(side, uint32_t(sizes[i]));
    EXPECT_EQ(icon.at(entry + 1), icon.at(entry)) << "square";
    EXPECT_EQ(Le16(icon, entry + 6), 32u) << "bits per pixel";
    const uint32_t length = Le32(icon, entry + 8);
    const uint32_t offset = Le32(icon, entry + 12);
    EXPECT_EQ(offset, expectedOffset) << "images follow each other without gaps";
    ASSERT_LE(size_t(offset) + length, icon.size());
    EXPECT_EQ(PngWidth(icon, offset), uint32_t(sizes[i]));
    expectedOffset = size_t(offset) + length;
  }
  EXPECT_EQ(expectedOffset, icon.size());
}

}  // namespace
