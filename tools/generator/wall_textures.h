#pragma once

#include "canvas.h"

// Wall texture indices in "walls.png" (texture n sits at column n % 8, row n / 8).
enum WallTexture
{
    BLUE_WALL = 0,
    GREEN_WALL = 1,
    RED_WALL = 2,
    YELLOW_WALL = 3,
    EMPTY_BOOKSHELF = 4,
    FULL_BOOKSHELF = 5,
    STANDARD_DOOR = 6,
    BLUE_DOOR = 7,
    ORANGE_DOOR = 8,
    BRONZE_DOOR = 9,
    EXIT_DOOR = 10,
    FAKE_EXIT_DOOR = 11,
    DOOR_FRAME = 12,
    FIREPLACE = 13,
    FIREPLACE_FLICKER = 14
};

// The 512 x 512 wall atlas: 64 tiles of 64 x 64, all fully opaque.
Canvas MakeWallAtlas();
// Places a 64 x 64 tile at index n of a 512 x 512 atlas.
void PlaceTile(Canvas& atlas, const Canvas& tile, int index);
