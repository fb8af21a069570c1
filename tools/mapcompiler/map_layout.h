#pragma once

#include <string>
#include <vector>

// One entity of a layout: its type name as the map file spells it, the cell it stands
// on and the facing in degrees (only the player's is ever other than 0).
struct LayoutEntity
{
    std::string type;
    int degrees = 0;
    int x = 0;
    int y = 0;
};

// A map read from an ASCII layout: the two grids row by row and the entities.
struct MapLayout
{
    int width = 0;
    int height = 0;
    std::vector<int> walls;
    std::vector<int> floors;
    std::vector<LayoutEntity> entities;

    int Wall(int x, int y) const { return walls[y * width + x]; }
};

// Reads a layout text: comment lines starting with ';', header lines "key value" (the one
// key is "player-facing", in degrees: 0, 90, 180 or 270), then a line "map" and one line of
// characters per row, one character per cell:
//   walls     # blue, G green, R red, Y yellow, e empty bookshelf, B bookshelf,
//             P fireplace, D standard door, b blue door, o orange door, z bronze door,
//             X exit, F fake exit
//   floor     . empty
//   entities  @ player, h health, a ammo, $ orb, s scroll, 1 blue key, 2 orange key,
//             3 bronze key, E enemy (each stands on an empty floor)
// Door cells get the door-frame floor of their kind; every other floor is laminate.
// Throws std::runtime_error naming the line and column of the first fault; a layout must
// be a closed rectangle of at most 64 x 64 cells with one player, and every door must sit
// in a wall that runs across its passage (standard doors between walls to their west and
// east, the others between walls to their north and south).
MapLayout ParseLayout(const std::string& text);
