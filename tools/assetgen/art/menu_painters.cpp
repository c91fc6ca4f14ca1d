#include "menu_art.h"
#include "painter.h"

PaintFn FindMenuArtPainter(int id) {
  switch (id) {
    case 110: return art::Paint110;
    case 116: return art::Paint116;
    case 117: return art::Paint117;
    case 118: return art::Paint118;
    case 124: return art::Paint124;
    default: return nullptr;
  }
}
