// A hash of a game's state, taken at the checkpoints of a replay: the field (its lines, cursor,
// scroll and pattern), the heroine, the monsters, the diamonds, and the run's score, distance
// and chain. The effects are left out: they are for the eye and decide nothing.
#pragma once

#include <cstdint>

class CPlayRound;
struct SaveData;

uint64_t HashPlayState(const CPlayRound& round, const SaveData& save);
