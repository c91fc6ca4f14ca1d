#include "desktop_icons.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <memory>
#include <optional>
#include <stdexcept>

#include "painter.h"
#include "rects.h"

namespace {

using IconSurface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// The share of a maskable icon's side that its picture takes: the circle a launcher's mask
// keeps has a diameter of 80 % of the side, and the square picture's corners are empty.
constexpr double kMaskablePicture = 0.72;

// Paints the window icon on `surface`, which is `side` units square. With a background, the
// square is filled with it first and the picture is painted smaller, in its middle.
void PaintIconOn(cairo_surface_t* surface, int side, const std::filesystem::path& path,
                 std::optional<uint32_t> backgroundRgb = std::nullopt) {
  PaintFn painter = FindArtPainter(kIconId);
  if (!painter) throw std::runtime_error("the window icon has no painter");
  {
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface), cairo_destroy);
    int pictureSide = side;
    if (backgroundRgb) {
      cairo_set_source_rgb(cr.get(), (*backgroundRgb >> 16 & 0xFF) / 255.0,
                           (*backgroundRgb >> 8 & 0xFF) / 255.0, (*backgroundRgb & 0xFF) / 255.0);
      cairo_paint(cr.get());
      pictureSide = static_cast<int>(side * kMaskablePicture + 0.5);
      const double margin = (side - pictureSide) / 2.0;
      cairo_translate(cr.get(), margin, margin);
    }
    painter(cr.get(), pictureSide, pictureSide);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error("painting " + path.string() + " failed");
  }
  cairo_surface_flush(surface);
}

std::filesystem::path IconPath(const std::filesystem::path& dir, const std::string& folder,
                               const std::string& file) {
  const std::filesystem::path apps = dir / "hicolor" / folder / "apps";
  std::filesystem::create_directories(apps);
  return apps / file;
}

void WritePng(const std::filesystem::path& path, int side,
              std::optional<uint32_t> backgroundRgb = std::nullopt) {
  IconSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side),
                      cairo_surface_destroy);
  PaintIconOn(surface.get(), side, path, backgroundRgb);
  if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path.string());
}

// The drawing is made at the window icon's own size; viewers scale it from there.
void WriteSvg(const std::filesystem::path& path) {
  IconSurface surface(cairo_svg_surface_create(path.c_str(), kIconSize, kIconSize),
                      cairo_surface_destroy);
  cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
  PaintIconOn(surface.get(), kIconSize, path);
  cairo_surface_finish(surface.get());  // writes the file
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

const std::vector<int>& DesktopIconSizes() {
  static const std::vector<int> sizes{16, 24, 32, 48, 64, 128, 256, 512};
  return sizes;
}

void WriteDesktopIcons(const std::filesystem::path& dir, const std::string& name) {
  for (int side : DesktopIconSizes()) {
    const std::string folder = std::to_string(side) + "x" + std::to_string(side);
    WritePng(IconPath(dir, folder, name + ".png"), side);
  }
  WriteSvg(IconPath(dir, "scalable", name + ".svg"));
}

void WriteWebIcons(const std::filesystem::path& dir, uint32_t backgroundRgb) {
  std::filesystem::create_directories(dir);
  for (int side : {192, 512}) WritePng(dir / ("icon-" + std::to_string(side) + ".png"), side);
  WritePng(dir / "icon-maskable-512.png", 512, backgroundRgb);
}
