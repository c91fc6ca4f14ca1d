#include "menu_art.h"
#include "painter.h"

PaintFn FindMenuArtPainter(int id) {
  switch (id) {
    case 110: return art::Paint110;
    default: return nullptr;
  }
}
