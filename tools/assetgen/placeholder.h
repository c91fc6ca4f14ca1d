// A stand-in picture for a bitmap whose painter is not written yet: the id in big letters and
// the outline and name of every cut, so a screenshot shows which rectangle the code reads.
#pragma once

#include <cairo.h>

void PaintPlaceholder(cairo_t* cr, int id, int width, int height);
