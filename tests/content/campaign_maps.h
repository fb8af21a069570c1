#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The campaign as shipped under data/maps, read independently of the game's own loader
// so that the tests can judge the files themselves.

struct CampaignEntry
{
    std::string mapFile;
    std::string musicFile;
};

// The lines of data/maps/map.cfg: a map file name and its music, one pair per line.
std::vector<CampaignEntry> ReadCampaignList(const std::filesystem::path& mapConfig);

struct MapEntity
{
    std::string type;
    int degrees = 0;
    int x = 0;
    int y = 0;
};

// One map file: the size, the two layers row by row and the entities in file order.
struct CampaignMap
{
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<int> walls;
    std::vector<int> floors;
    std::vector<MapEntity> entities;

    int Wall(int x, int y) const { return walls[y * width + x]; }
    int Floor(int x, int y) const { return floors[y * width + x]; }
    int Count(const std::string& type) const;
};

// Reads a map file; throws std::runtime_error naming the fault when the text does not
// have the map format's three sections and complete four-line entity blocks.
CampaignMap ParseCampaignMap(const std::string& name, const std::string& text);

// The text the editor writes for the map: size, both layers and the entity blocks in the
// map's own entity order.
std::string EditorText(const CampaignMap& map);

std::string ReadTextFile(const std::filesystem::path& path);

// Wall numbers of the walls-and-doors layer.
namespace Walls
{
constexpr int BOOKSHELF = 6;
constexpr int STANDARD_DOOR = 7;
constexpr int BLUE_DOOR = 8;
constexpr int ORANGE_DOOR = 9;
constexpr int BRONZE_DOOR = 10;
constexpr int EXIT_DOOR = 11;
constexpr int FAKE_EXIT_DOOR = 12;
constexpr int FIREPLACE = 14;
} // namespace Walls
