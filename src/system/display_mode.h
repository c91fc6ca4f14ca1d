// The choice of a full-screen display mode closest to the one the game wants.
#pragma once

#include <cstdint>
#include <span>

#include "system/window.h"

// Score of `mode` against the wanted one: a sum of terms that are all zero or negative.
// Narrower/lower/slower than wanted costs 100 per unit, wider/higher/faster 1 per unit; the
// aspect costs the difference of 100 x width / height; a format other than the wanted one
// costs its format code.
int32_t ScoreDisplayMode(const DisplayMode& mode, const DisplayMode& wanted);

// Index of the best-scoring mode (the first of equal ones), or -1 when there is none. Modes
// with a zero width or height are never chosen.
int ChooseBestDisplayMode(std::span<const DisplayMode> modes, const DisplayMode& wanted);
