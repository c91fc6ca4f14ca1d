#include "system/sdl/present_layout.h"

#include <algorithm>
#include <cmath>

PresentLayout ComputePresentLayout(int outputWidth, int outputHeight, int pictureWidth,
                                   int pictureHeight) {
  PresentLayout layout;
  if (outputWidth <= 0 || outputHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
    return layout;
  }
  // The widest rectangle of the picture's aspect that fits (64-bit: no overflow on big outputs).
  if (static_cast<long long>(outputWidth) * pictureHeight <=
      static_cast<long long>(outputHeight) * pictureWidth) {
    layout.dstW = outputWidth;
    layout.dstH =
        static_cast<int>(static_cast<long long>(outputWidth) * pictureHeight / pictureWidth);
  } else {
    layout.dstH = outputHeight;
    layout.dstW =
        static_cast<int>(static_cast<long long>(outputHeight) * pictureWidth / pictureHeight);
  }
  layout.dstX = (outputWidth - layout.dstW) / 2;
  layout.dstY = (outputHeight - layout.dstH) / 2;
  layout.factor = std::max(1, std::min(layout.dstW / pictureWidth, layout.dstH / pictureHeight));
  layout.linear =
      layout.dstW != pictureWidth * layout.factor || layout.dstH != pictureHeight * layout.factor;
  return layout;
}

PicturePoint PictureFromWindow(double windowX, double windowY, int windowWidth, int windowHeight,
                               int outputWidth, int outputHeight, int pictureWidth,
                               int pictureHeight) {
  PicturePoint point;
  const PresentLayout layout =
      ComputePresentLayout(outputWidth, outputHeight, pictureWidth, pictureHeight);
  if (windowWidth <= 0 || windowHeight <= 0 || layout.dstW <= 0 || layout.dstH <= 0) return point;
  // Window units to output pixels, then output pixels to picture pixels.
  const double outputX = windowX * outputWidth / windowWidth;
  const double outputY = windowY * outputHeight / windowHeight;
  const double x = std::floor((outputX - layout.dstX) * pictureWidth / layout.dstW);
  const double y = std::floor((outputY - layout.dstY) * pictureHeight / layout.dstH);
  point.inside = x >= 0 && y >= 0 && x < pictureWidth && y < pictureHeight;
  // Clamped as doubles: a point far outside (or not a number) cannot overflow an int.
  point.x = static_cast<int>(std::clamp(std::isnan(x) ? 0.0 : x, 0.0, pictureWidth - 1.0));
  point.y = static_cast<int>(std::clamp(std::isnan(y) ? 0.0 : y, 0.0, pictureHeight - 1.0));
  return point;
}
