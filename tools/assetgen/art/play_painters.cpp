#include "painter.h"

PaintFn FindPlayArtPainter(int id) { return nullptr; }
