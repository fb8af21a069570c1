#include "support/test_maps.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

namespace
{
struct Cell
{
    int wall = 0;
    int floor = 0;
};

struct PlacedEntity
{
    std::string type;
    int angle = 0;
    int x = 0;
    int y = 0;
};

const std::map<char, int> WALLS = {{'#', 1},  {'G', 2},  {'R', 3}, {'Y', 4}, {'e', 5},
                                   {'B', 6},  {'D', 7},  {'b', 8}, {'o', 9}, {'z', 10},
                                   {'X', 11}, {'F', 12}, {'P', 14}};
const std::map<char, std::string> ENTITIES = {
    {'@', "Player"},  {'h', "Health"},    {'a', "Ammo"},      {'$', "Orb"},  {'s', "Scroll"},
    {'1', "BlueKey"}, {'2', "OrangeKey"}, {'3', "BronzeKey"}, {'E', "Enemy"}};

std::string JoinRow(const std::vector<int>& values)
{
    std::ostringstream row;
    for (std::size_t i = 0; i < values.size(); ++i)
    {
        row << (i == 0 ? "" : " ") << values[i];
    }
    return row.str();
}
} // namespace

std::string BuildMapText(const std::vector<std::string>& rows, int playerDegrees)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows.at(0).size());
    std::vector<std::vector<int>> walls(height, std::vector<int>(width, 0));
    std::vector<std::vector<int>> floors(height, std::vector<int>(width, 0));
    std::vector<PlacedEntity> entities;
    for (int y = 0; y < height; ++y)
    {
        if (static_cast<int>(rows[y].size()) != width)
        {
            throw std::invalid_argument("map rows differ in length");
        }
        for (int x = 0; x < width; ++x)
        {
            const char c = rows[y][x];
            if (const auto wall = WALLS.find(c); wall != WALLS.end())
            {
                walls[y][x] = wall->second;
                floors[y][x] = c == 'D' ? 1 : (wall->second >= 8 && wall->second <= 12 ? 2 : 0);
            }
            else if (const auto entity = ENTITIES.find(c); entity != ENTITIES.end())
            {
                entities.push_back(
                    {entity->second, entity->second == "Player" ? playerDegrees : 0, x, y});
            }
        }
    }
    // The player first, as the game needs it before any item.
    std::stable_sort(entities.begin(), entities.end(),
                     [](const PlacedEntity& a, const PlacedEntity& b)
                     { return a.type == "Player" && b.type != "Player"; });

    std::ostringstream text;
    text << width << '\n' << height << "\n\n";
    for (const auto& row : walls)
    {
        text << JoinRow(row) << '\n';
    }
    text << '\n';
    for (const auto& row : floors)
    {
        text << JoinRow(row) << '\n';
    }
    text << '\n';
    for (std::size_t i = 0; i < entities.size(); ++i)
    {
        const PlacedEntity& e = entities[i];
        text << (i == 0 ? "" : "\n\n") << "Type " << e.type << "\nAngle " << e.angle << "\nX "
             << e.x << "\nY " << e.y;
    }
    return text.str();
}

TestGame::Options OptionsWithMaps(const std::vector<TestMap>& maps)
{
    TestGame::Options options;
    std::string list;
    for (const TestMap& map : maps)
    {
        options.files.push_back({"data/maps/" + map.name, map.text});
        list += map.name + (map.music.empty() ? "" : " " + map.music) + "\n";
    }
    options.files.push_back({"data/maps/map.cfg", list});
    return options;
}
