#pragma once

#include "canvas.h"

// The 512 x 512 texture atlases hold 64 tiles of 64 x 64; tile n sits at column n % 8, row n / 8.
constexpr int ATLAS_TILE_SIZE = 64;
constexpr int ATLAS_TILES_PER_ROW = 8;

// An atlas with every cell holding the same filler tile.
Canvas MakeFilledAtlas(const Canvas& filler);
// Puts a tile into cell index of an atlas.
void PlaceTile(Canvas& atlas, const Canvas& tile, int index);
