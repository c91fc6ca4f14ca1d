#include "system/sdl/present_layout.h"

#include <algorithm>

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
