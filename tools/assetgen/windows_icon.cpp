#include "windows_icon.h"

#include <cairo.h>

#include <fstream>
#include <memory>
#include <stdexcept>

#include "painter.h"
#include "rects.h"
#include "system/little_endian.h"

namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// The window icon painted `side` pixels square, as a PNG file.
std::vector<uint8_t> IconPng(int side) {
  PaintFn painter = FindArtPainter(kIconId);
  if (!painter) throw std::runtime_error("the window icon has no painter");
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side), cairo_surface_destroy);
  {
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                          cairo_destroy);
    painter(cr.get(), side, side);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error("painting the Windows icon failed");
  }
  std::vector<uint8_t> png;
  if (cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &png) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot encode the Windows icon");
  return png;
}

}  // namespace

const std::vector<int>& WindowsIconSizes() {
  static const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64, 256};
  return sizes;
}

// The .ico layout: a header, one directory entry per image, then the images. Every image is
// a PNG file, which Windows reads in icons at every size.
std::vector<uint8_t> MakeWindowsIcon() {
  const std::vector<int>& sizes = WindowsIconSizes();
  std::vector<std::vector<uint8_t>> images;
  for (int side : sizes) images.push_back(IconPng(side));

  std::vector<uint8_t> out;
  PutLe16(out, 0);  // reserved
  PutLe16(out, 1);  // an icon, not a cursor
  PutLe16(out, uint32_t(images.size()));
  size_t offset = kHeaderSize + kEntrySize * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    const uint8_t side = sizes[i] >= 256 ? 0 : uint8_t(sizes[i]);  // 0 stands for 256
    out.insert(out.end(), {side, side, 0, 0});  // width, height, no palette, reserved
    PutLe16(out, 1);                            // colour planes
    PutLe16(out, 32);                           // bits per pixel
    PutLe32(out, uint32_t(images[i].size()));
    PutLe32(out, uint32_t(offset));
    offset += images[i].size();
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

void WriteWindowsIcon(const std::filesystem::path& path) {
  const std::vector<uint8_t> icon = MakeWindowsIcon();
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(icon.data()), std::streamsize(icon.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}
