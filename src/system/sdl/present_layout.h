// Where the fixed-size game picture goes in a window of any size: the largest whole factor
// with nearest sampling, then linear filtering for the rest, letterboxed to keep the aspect.
// Pure arithmetic, no SDL.
#pragma once

struct PresentLayout {
  int dstX = 0, dstY = 0, dstW = 0, dstH = 0;  // the picture's rectangle in the output
  int factor = 1;       // whole factor of the nearest-sampled stage (1: the picture itself)
  bool linear = false;  // the last stage is a linear filter (the size is no whole multiple)
  // The picture is first enlarged by `factor` into an intermediate texture, then filtered.
  bool NeedsIntermediate() const { return factor > 1 && linear; }
};

PresentLayout ComputePresentLayout(int outputWidth, int outputHeight, int pictureWidth,
                                   int pictureHeight);

// Where a point of the window falls on the picture. Window coordinates are the window's own
// units, which are not the output's pixels on a high-density display or a page zoomed by the
// browser: `outputWidth` x `outputHeight` is the output in pixels, `windowWidth` x
// `windowHeight` the same area in window units.
struct PicturePoint {
  int x = 0, y = 0;     // picture pixels, clamped into the picture
  bool inside = false;  // on the picture, not in a black bar or outside the window
};

PicturePoint PictureFromWindow(double windowX, double windowY, int windowWidth, int windowHeight,
                               int outputWidth, int outputHeight, int pictureWidth,
                               int pictureHeight);
