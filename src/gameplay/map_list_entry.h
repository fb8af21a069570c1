#pragma once

#include <string>

// One map of the run, as listed in "data/maps/map.cfg".
struct MapListEntry
{
    std::string mapFile;
    // Music track for the map; empty for silence.
    std::string musicFile;
};
