#include "system/random.h"

namespace {
uint32_t g_randomState = 1;
}

void GameSrand(uint32_t seed) { g_randomState = seed; }

int GameRand() {
  g_randomState = g_randomState * 214013u + 2531011u;
  return int((g_randomState >> 16) & 0x7FFF);
}

uint32_t GameRandState() { return g_randomState; }
