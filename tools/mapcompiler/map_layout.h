#pragma once

#include "world/map_file.h"
#include "world/map_names.h"

#include <string>
#include <vector>

// One row of a layout and the line of the file it came from, for the messages.
struct LayoutRow
{
    std::string cells;
    int line = 0;
};

// The cells of layout rows, one character per cell:
//   walls     # blue, G green, R red, Y yellow, e empty bookshelf, B bookshelf,
//             P fireplace, D standard door, b blue door, o orange door, z bronze door,
//             X exit, F fake exit
//   floor     . empty
//   entities  @ player, h health, a ammo, $ orb, s scroll, 1 blue key, 2 orange key,
//             3 bronze key, E enemy (each stands on an empty floor)
// Door cells get the door-frame floor of their kind; every other floor is laminate. The
// entities come in row order, the player facing playerDegrees, the others 0. Throws
// std::runtime_error naming the line and column of a character outside the legend or of
// a row whose length differs from the first one's.
MapFile ReadLayoutRows(const std::vector<LayoutRow>& rows, int playerDegrees);

// Reads a layout text: comment lines starting with ';', header lines "key value" (the one
// key is "player-facing", in degrees: 0, 90, 180 or 270), then a line "map" and the rows
// of cells as above. The entities come in the order the editor saves them. Throws
// std::runtime_error naming the line and column of the first fault; a layout must be a
// closed rectangle of at most 64 x 64 cells with one player, and every door must sit in a
// wall that runs across its passage (standard doors between walls to their west and east,
// the others between walls to their north and south).
MapFile ParseLayout(const std::string& text);
