#include "media/font.h"

CFont* const* g_fonts = nullptr;
