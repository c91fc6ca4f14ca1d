// The game's pseudo-random generator: values 0..32767, the classic linear congruential
// sequence (seed x 214013 + 2531011, bits 16..30), so "rand() * n / 32768" picks 0..n-1.
#pragma once

#include <cstdint>

void GameSrand(uint32_t seed);
int GameRand();
// The generator's state: GameSrand of it continues the sequence from here.
uint32_t GameRandState();
