#pragma once

#include "support/test_game.h"

#include <string>
#include <utility>
#include <vector>

// Builds the text of a map file from rows of characters, one per cell:
//   walls     # 1 blue, G 2 green, R 3 red, Y 4 yellow, e 5 empty bookshelf,
//             B 6 bookshelf, D 7 standard door, b 8 blue door, o 9 orange door,
//             z 10 bronze door, X 11 exit, F 12 fake exit, P 14 fireplace
//   entities  @ player, h health, a ammo, $ orb, s scroll, 1 blue key,
//             2 orange key, 3 bronze key, E enemy (on an empty floor cell)
// Floors are laminate; door cells get the door-frame floor of their kind.
// The player faces playerDegrees (map degrees: 0 east, 90 north, ...).
std::string BuildMapText(const std::vector<std::string>& rows, int playerDegrees = 0);

// Start-up options whose map list holds the given maps, in order, each with
// an optional music track.
struct TestMap
{
    std::string name;
    std::string text;
    std::string music;
};
TestGame::Options OptionsWithMaps(const std::vector<TestMap>& maps);
