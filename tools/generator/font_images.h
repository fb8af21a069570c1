#pragma once

#include "canvas.h"

// "font.png": the 95 printable ASCII glyphs in 8x8 cells, 12 to a row, light ink with a dark
// shadow on a transparent background.
Canvas MakeFontSheet();
// "hud_font.png": the digits 0 to 9 in 16x16 cells, bold gold with a dark outline.
Canvas MakeHudDigits();
