#include "painter.h"
#include "play_art.h"

PaintFn FindPlayArtPainter(int id) {
  switch (id) {
    case 105: return playart::Paint105;
    case 106: return playart::Paint106;
    case 108: return playart::Paint108;
    case 109: return playart::Paint109;
    case 115: return playart::Paint115;
    default: return nullptr;
  }
}
