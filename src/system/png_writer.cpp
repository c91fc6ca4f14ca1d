#include "system/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// libpng reports errors through longjmp; everything that needs cleaning up lives outside the
// function that calls setjmp, so no destructor is skipped.
struct PngWrite {
  FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<png_byte> row;

  ~PngWrite() {
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    if (file) std::fclose(file);
  }
};

void StoreLibpngMessage(png_structp png, png_const_charp message) {
  auto* error = static_cast<std::string*>(png_get_error_ptr(png));
  *error = message;
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The part that may longjmp: only plain data and libpng calls.
bool Encode(PngWrite& w, int width, int height, const uint32_t* argb) {
  if (setjmp(png_jmpbuf(w.png))) return false;
  png_init_io(w.png, w.file);
  png_set_IHDR(w.png, w.info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.png, w.info);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = argb[static_cast<size_t>(y) * width + x];
      w.row[x * 3 + 0] = static_cast<png_byte>(pixel >> 16);
      w.row[x * 3 + 1] = static_cast<png_byte>(pixel >> 8);
      w.row[x * 3 + 2] = static_cast<png_byte>(pixel);
    }
    png_write_row(w.png, w.row.data());
  }
  png_write_end(w.png, nullptr);
  return true;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, std::span<const uint32_t> argb,
              std::string& error) {
  if (width <= 0 || height <= 0 || argb.size() != static_cast<size_t>(width) * height) {
    error =
        "the picture is not " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    return false;
  }
  bool written = false;
  {
    PngWrite w;
    w.file = std::fopen(path.c_str(), "wb");
    if (!w.file) {
      error = path + ": " + std::strerror(errno);
      return false;
    }
    w.row.resize(static_cast<size_t>(width) * 3);
    w.png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, StoreLibpngMessage, IgnoreWarning);
    if (w.png) w.info = png_create_info_struct(w.png);
    written = w.png && w.info && Encode(w, width, height, argb.data());
    if (written && std::fflush(w.file) != 0) {
      error = path + ": " + std::strerror(errno);
      written = false;
    }
  }
  if (!written) {
    if (error.empty()) error = path + ": cannot encode the PNG";
    std::remove(path.c_str());
  }
  return written;
}
