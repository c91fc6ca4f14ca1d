#include "system/platform.h"

IPlatform* g_platform = nullptr;
