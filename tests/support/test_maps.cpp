#include "support/test_maps.h"

#include "map_layout.h"
#include "world/map_names.h"

#include <algorithm>

std::string BuildMapText(const std::vector<std::string>& rows, int playerDegrees)
{
    std::vector<LayoutRow> layout;
    for (const std::string& row : rows)
    {
        layout.push_back({row, static_cast<int>(layout.size()) + 1});
    }
    MapFile map = ReadLayoutRows(layout, playerDegrees);
    // The player first, as the game needs it before any item.
    std::stable_partition(map.entities.begin(), map.entities.end(),
                          [](const MapFileEntity& entity)
                          { return entity.name == EntityNames::PLAYER; });
    return MapFileText(map);
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
