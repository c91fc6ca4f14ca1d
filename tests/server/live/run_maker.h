// Games played for the server's tests with the play's own rules, as the game records them: a
// seed the server issued, buttons from a pattern, the replay file of it.
#pragma once

#include <cstdint>
#include <vector>

#include "replay/replay.h"

// Plays from `seed`, changing to random buttons (no pause) every 2 to 20 frames, drawn from
// `pattern`, until the game is over or `maxFrames` have passed (a quit). Safe from any thread.
Replay PlayRun(uint32_t seed, uint32_t pattern, uint32_t maxFrames);
std::vector<uint8_t> MakeRun(uint32_t seed, uint32_t pattern, uint32_t maxFrames);
