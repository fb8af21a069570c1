#pragma once

#include "campaign_maps.h"

#include <string>
#include <vector>

// What a search over a map's grid finds out about playing it through.
struct MapSolution
{
    // Some order of picking up keys and unlocking doors leads next to an exit door.
    bool exitReachable = false;
    // Every item that no order of play reaches, as "Orb at (3, 4)".
    std::vector<std::string> unreachableItems;
    // Situations the player can get into from which no exit can be reached any more
    // (a key spent on the wrong door), as a list of the doors opened so far.
    std::vector<std::string> deadEnds;
    int situations = 0;
    // False when the search gave up before it had seen every situation.
    bool complete = true;
};

// Walks the map from the player's start cell the way the game lets the player: through
// empty cells and standard doors, through a locked door once a key of its colour is held
// (the key is used up, the door stays unlocked), picking up a key only while none of its
// colour is held. Door-frame marks are applied as the loader applies them, so an empty
// cell beside a door blocks. An exit is reached from any cell next to an "Exit Door".
MapSolution SolveMap(const MapFile& map);

// The loader's door-frame marks on the walls layer: 0x80 on door cells, 0x40 on the
// cells beside them (west and east of a standard door, north and south of the others).
std::vector<int> MarkedWalls(const MapFile& map);
