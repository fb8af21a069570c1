#pragma once

#include "canvas.h"

#include <string>
#include <vector>

struct PaletteEntry
{
    char symbol;
    Color colour;
};

// Turns a hand-drawn picture, one string per row, into a canvas. Each character is looked up in
// the palette; '.' and any character not in it stay transparent.
Canvas PixelArt(const std::vector<std::string>& rows, const std::vector<PaletteEntry>& palette);
