#include "menu_art.h"
#include "painter.h"

PaintFn FindMenuArtPainter(int id) {
  switch (id) {
    case 101: return art::Paint101;
    case 102: return art::Paint102;
    case 103: return art::Paint103;
    case 104: return art::Paint104;
    case 110: return art::Paint110;
    case 111: return art::Paint111;
    case 114: return art::Paint114;
    case 116: return art::Paint116;
    case 117: return art::Paint117;
    case 118: return art::Paint118;
    case 120: return art::Paint120;
    case 123: return art::Paint123;
    case 124: return art::Paint124;
    case 126: return art::Paint126;
    case 127: return art::Paint127;
    case 128: return art::Paint128;
    case 129: return art::Paint129;
    case 130: return art::Paint130;
    case 131: return art::Paint131;
    default: return nullptr;
  }
}
