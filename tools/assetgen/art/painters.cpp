#include "painter.h"

PaintFn FindArtPainter(int id) {
  if (PaintFn play = FindPlayArtPainter(id)) return play;
  return FindMenuArtPainter(id);
}
