#pragma once

#include "world/map_file.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// A cell of a map: its column and row.
struct MapCell
{
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// One thing that keeps a map from being played through as its author meant.
struct MapProblem
{
    std::string text;
    // The cell it is about, where there is one.
    std::optional<MapCell> cell;

    // "X,Y: text", or the text alone.
    std::string Line() const;
};

// What the checker found out about a map.
struct MapCheck
{
    // None for a map that can be played through with everything in reach.
    std::vector<MapProblem> problems;
    // The most points the map gives (Map::GetHighScore's number).
    std::int32_t bestScore = 0;
};

// The one map checker, used by the editor (V), the command line (--check) and
// the campaign's tests. It plays a map through the way the game lets the
// player: from the player's start through empty cells and standard doors,
// through a locked door once a key of its colour is held (the key is used up,
// the door stays open), picking up a key only while none of its colour is
// held, with every order of opening the locked doors tried. Doors frame
// the cells beside them as the loader marks them, so an empty cell beside a
// door blocks. An exit is reached from any cell beside an "Exit Door".
//
// It reports: no player; no exit within reach of the start; a locked door on
// which a key can be spent so that the exit is out of reach for good; a key
// reachable only through a door it opens; each item and enemy that cannot be
// reached; each cell on the map's edge that is no wall; and a search that
// gave up, where keys and locked doors allow too many orders of play.
class MapChecker
{
public:
    static MapCheck Check(const MapFile& map);
    // Reads a map file by the game's rules (a map without a player is read
    // too) and checks it; a file the game cannot read throws the loader's
    // std::runtime_error.
    static MapCheck CheckFile(std::istream& in);
};
