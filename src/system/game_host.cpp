#include "system/game_host.h"

IGameHost* g_gameHost = nullptr;
