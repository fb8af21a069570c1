#pragma once

#include "support/test_game.h"

#include <string>
#include <utility>
#include <vector>

// Builds the text of a map file from rows of characters, one per cell, by the
// legend of the campaign's layouts (tools/mapcompiler/map_layout.h), the player
// first and facing playerDegrees (map degrees: 0 east, 90 north, ...).
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
