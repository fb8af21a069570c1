#pragma once

#include "canvas.h"

// Ceiling and floor texture indices in "cfs.png" (same 8 x 8 grid of 64 x 64 tiles as the walls).
// Each tile is used for a cell's floor and, turned over, for its ceiling.
namespace FloorTextures
{
constexpr int LAMINATE = 0;
constexpr int HORIZONTAL_DOOR_FRAME = 1;
constexpr int VERTICAL_DOOR_FRAME = 2;
} // namespace FloorTextures

// The 512 x 512 ceilings-and-floors atlas, fully opaque; the unused cells hold flagstones.
Canvas MakeCeilingFloorAtlas();
