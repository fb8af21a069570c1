#pragma once

#include "canvas.h"

// Wall texture indices in "walls.png" (texture n sits at column n % 8, row n / 8).
namespace WallTextures
{
constexpr int BLUE_WALL = 0;
constexpr int GREEN_WALL = 1;
constexpr int RED_WALL = 2;
constexpr int YELLOW_WALL = 3;
constexpr int EMPTY_BOOKSHELF = 4;
constexpr int FULL_BOOKSHELF = 5;
constexpr int STANDARD_DOOR = 6;
constexpr int BLUE_DOOR = 7;
constexpr int ORANGE_DOOR = 8;
constexpr int BRONZE_DOOR = 9;
constexpr int EXIT_DOOR = 10;
constexpr int FAKE_EXIT_DOOR = 11;
constexpr int DOOR_FRAME = 12;
constexpr int FIREPLACE = 13;
constexpr int FIREPLACE_FLICKER = 14; // the fireplace's second animation frame
} // namespace WallTextures

// The 512 x 512 wall atlas: 64 tiles of 64 x 64, all fully opaque; the cells after the
// fireplace hold plain stone.
Canvas MakeWallAtlas();
