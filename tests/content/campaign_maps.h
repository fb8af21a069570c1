#pragma once

#include "map_layout.h"
#include "world/map_file.h"

#include <filesystem>
#include <string>
#include <vector>

// The campaign as shipped under data/maps.

struct CampaignEntry
{
    std::string mapFile;
    std::string musicFile;
};

// The lines of data/maps/map.cfg: a map file name and its music, one pair per line.
std::vector<CampaignEntry> ReadCampaignList(const std::filesystem::path& mapConfig);

std::string ReadTextFile(const std::filesystem::path& path);

// A map file read by the game's rules; throws std::runtime_error naming the fault when the
// game would refuse it.
MapFile ReadMapText(const std::string& text);

int CountEntities(const MapFile& map, const std::string& name);
