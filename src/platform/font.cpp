#include "platform/font.h"

CFont* const* g_fonts = nullptr;
