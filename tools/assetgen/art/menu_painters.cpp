#include "painter.h"

PaintFn FindMenuArtPainter(int id) { return nullptr; }
