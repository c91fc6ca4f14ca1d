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
