// The sound effects, made by our synthesiser. Each fills a sound of the given rate and length.
#pragma once

#include <cstddef>

#include "wave.h"

Stereo CursorBlip(int rate, size_t frames);    // 205: soft high blip, all in its first 60 ms
Stereo DecidePon(int rate, size_t frames);     // 206: round two-note "pon", heard in 20 ms
Stereo DiamondChime(int rate, size_t frames);  // 204: rising glassy arpeggio
Stereo MonsterPop(int rate, size_t frames);    // 209: magical pop with a shimmer
Stereo EndingBwoop(int rate, size_t frames);   // 202: falling comic "bwoop"
