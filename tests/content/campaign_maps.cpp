#include "campaign_maps.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

std::string ReadTextFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        throw std::runtime_error("can't read " + path.string());
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<CampaignEntry> ReadCampaignList(const std::filesystem::path& mapConfig)
{
    std::vector<CampaignEntry> entries;
    std::istringstream lines(ReadTextFile(mapConfig));
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream words(line);
        CampaignEntry entry;
        words >> entry.mapFile >> entry.musicFile;
        entries.push_back(entry);
    }
    return entries;
}

MapFile ReadMapText(const std::string& text)
{
    std::istringstream in(text);
    return ReadMapFile(in, GAME_MAP_RULES).value();
}

int CountEntities(const MapFile& map, const std::string& name)
{
    return static_cast<int>(std::count_if(map.entities.begin(), map.entities.end(),
                                          [&name](const MapFileEntity& entity)
                                          { return entity.name == name; }));
}
