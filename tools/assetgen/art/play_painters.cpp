#include "painter.h"
#include "play_art.h"

PaintFn FindPlayArtPainter(int id) {
  switch (id) {
    case 105: return playart::Paint105;
    case 106: return playart::Paint106;
    case 107: return playart::Paint107;
    case 108: return playart::Paint108;
    case 109: return playart::Paint109;
    case 112: return playart::Paint112;
    case 113: return playart::Paint113;
    case 115: return playart::Paint115;
    case 119: return playart::Paint119;
    case 121: return playart::Paint121;
    case 122: return playart::Paint122;
    case 125: return playart::Paint125;
    case 301: return playart::PaintIcon;
    default: return nullptr;
  }
}
