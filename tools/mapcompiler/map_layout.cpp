#include "map_layout.h"

#include "world/map_names.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

namespace
{
constexpr int MAX_SIZE = EDITOR_MAP_RULES.maxSide;
constexpr int HORIZONTAL_DOOR_FRAME = 1;
constexpr int VERTICAL_DOOR_FRAME = 2;

const std::map<char, int> WALLS = {
    {'#', Walls::BLUE_WALL},     {'G', Walls::GREEN_WALL},      {'R', Walls::RED_WALL},
    {'Y', Walls::YELLOW_WALL},   {'e', Walls::EMPTY_BOOKSHELF}, {'B', Walls::BOOKSHELF},
    {'D', Walls::STANDARD_DOOR}, {'b', Walls::BLUE_DOOR},       {'o', Walls::ORANGE_DOOR},
    {'z', Walls::BRONZE_DOOR},   {'X', Walls::EXIT_DOOR},       {'F', Walls::FAKE_EXIT_DOOR},
    {'P', Walls::FIREPLACE}};
const std::map<char, const char*> ENTITIES = {
    {'@', EntityNames::PLAYER},     {'h', EntityNames::HEALTH},     {'a', EntityNames::AMMO},
    {'$', EntityNames::ORB},        {'s', EntityNames::SCROLL},     {'1', EntityNames::BLUE_KEY},
    {'2', EntityNames::ORANGE_KEY}, {'3', EntityNames::BRONZE_KEY}, {'E', EntityNames::ENEMY}};

bool IsDoor(int wall)
{
    return wall >= Walls::STANDARD_DOOR && wall <= Walls::FAKE_EXIT_DOOR;
}

bool IsPlainWall(int wall)
{
    return wall != 0 && !IsDoor(wall);
}

bool IsExit(int wall)
{
    return wall == Walls::EXIT_DOOR || wall == Walls::FAKE_EXIT_DOOR;
}

[[noreturn]] void Fail(int line, int column, const std::string& what)
{
    throw std::runtime_error("line " + std::to_string(line) + ", column " + std::to_string(column) +
                             ": " + what);
}

int ParseFacing(const std::string& value, int line)
{
    if (value == "0" || value == "90" || value == "180" || value == "270")
    {
        return std::stoi(value);
    }
    Fail(line, 1, "the player faces 0, 90, 180 or 270 degrees, not '" + value + "'");
}

struct LayoutText
{
    int playerDegrees = 0;
    std::vector<LayoutRow> rows;
};

LayoutText SplitLayout(const std::string& text)
{
    LayoutText layout;
    std::istringstream stream(text);
    std::string content;
    bool inMap = false;
    for (int line = 1; std::getline(stream, content); ++line)
    {
        if (!content.empty() && content.back() == '\r')
        {
            content.pop_back();
        }
        if (inMap)
        {
            if (!content.empty())
            {
                layout.rows.push_back({content, line});
            }
            continue;
        }
        if (content.empty() || content[0] == ';')
        {
            continue;
        }
        std::istringstream words(content);
        std::string key;
        std::string value;
        words >> key >> value;
        if (key == "map")
        {
            inMap = true;
        }
        else if (key == "player-facing")
        {
            layout.playerDegrees = ParseFacing(value, line);
        }
        else
        {
            Fail(line, 1, "unknown header '" + key + "'");
        }
    }
    if (!inMap || layout.rows.empty())
    {
        throw std::runtime_error("the layout has no map rows");
    }
    return layout;
}

void CheckSize(const LayoutText& text)
{
    if (static_cast<int>(text.rows[0].cells.size()) > MAX_SIZE ||
        static_cast<int>(text.rows.size()) > MAX_SIZE)
    {
        Fail(text.rows[0].line, 1, "a map holds at most 64 x 64 cells");
    }
}

bool OnBorder(const MapFile& layout, int x, int y)
{
    return x == 0 || y == 0 || x == layout.width - 1 || y == layout.height - 1;
}

void CheckRing(const LayoutText& text, const MapFile& layout)
{
    for (int y = 0; y < layout.height; ++y)
    {
        for (int x = 0; x < layout.width; ++x)
        {
            const int wall = layout.Wall(x, y);
            if (OnBorder(layout, x, y) && !IsPlainWall(wall) && !IsExit(wall))
            {
                Fail(text.rows[y].line, x + 1, "the outer ring must be closed");
            }
        }
    }
}

// The loader marks a standard door's west and east neighbours, and the other doors' north
// and south neighbours, as its frame: they must be walls, and the passage must be open.
void CheckDoor(const LayoutText& text, const MapFile& layout, int x, int y)
{
    const int wall = layout.Wall(x, y);
    const bool standard = wall == Walls::STANDARD_DOOR;
    const int frameDx = standard ? 1 : 0;
    const int frameDy = standard ? 0 : 1;
    const auto wallAt = [&](int cx, int cy)
    {
        if (cx < 0 || cy < 0 || cx >= layout.width || cy >= layout.height)
        {
            return 1; // outside counts as solid rock
        }
        return layout.Wall(cx, cy);
    };
    const int line = text.rows[y].line;
    if (!IsPlainWall(wallAt(x - frameDx, y - frameDy)) ||
        !IsPlainWall(wallAt(x + frameDx, y + frameDy)))
    {
        Fail(line, x + 1,
             standard ? "a standard door needs walls to its west and east"
                      : "a locked or exit door needs walls to its north and south");
    }
    const bool openBefore = wallAt(x - frameDy, y - frameDx) == 0;
    const bool openAfter = wallAt(x + frameDy, y + frameDx) == 0;
    if (IsExit(wall) ? !(openBefore || openAfter) : !(openBefore && openAfter))
    {
        Fail(line, x + 1, "a door needs open floor on the sides it is passed from");
    }
}

void CheckDoors(const LayoutText& text, const MapFile& layout)
{
    for (int y = 0; y < layout.height; ++y)
    {
        for (int x = 0; x < layout.width; ++x)
        {
            if (IsDoor(layout.Wall(x, y)))
            {
                CheckDoor(text, layout, x, y);
            }
        }
    }
}

void CheckPlayer(const MapFile& layout)
{
    const auto players = std::count_if(layout.entities.begin(), layout.entities.end(),
                                       [](const MapFileEntity& entity)
                                       { return entity.name == EntityNames::PLAYER; });
    if (players != 1)
    {
        throw std::runtime_error("a map needs exactly one player, this one has " +
                                 std::to_string(players));
    }
}
} // namespace

MapFile ReadLayoutRows(const std::vector<LayoutRow>& rows, int playerDegrees)
{
    MapFile map;
    map.height = static_cast<int>(rows.size());
    map.width = rows.empty() ? 0 : static_cast<int>(rows[0].cells.size());
    map.walls.assign(static_cast<std::size_t>(map.width) * map.height, 0);
    map.floors.assign(map.walls.size(), 0);
    for (int y = 0; y < map.height; ++y)
    {
        const LayoutRow& row = rows[y];
        if (static_cast<int>(row.cells.size()) != map.width)
        {
            Fail(row.line, 1, "every row must be " + std::to_string(map.width) + " cells long");
        }
        for (int x = 0; x < map.width; ++x)
        {
            const char c = row.cells[x];
            const std::size_t cell = static_cast<std::size_t>(y) * map.width + x;
            if (const auto wall = WALLS.find(c); wall != WALLS.end())
            {
                map.walls[cell] = wall->second;
                if (IsDoor(wall->second))
                {
                    map.floors[cell] = wall->second == Walls::STANDARD_DOOR ? HORIZONTAL_DOOR_FRAME
                                                                            : VERTICAL_DOOR_FRAME;
                }
            }
            else if (const auto entity = ENTITIES.find(c); entity != ENTITIES.end())
            {
                const bool player = entity->second == std::string(EntityNames::PLAYER);
                map.entities.push_back(
                    {entity->second, std::to_string(player ? playerDegrees : 0), x, y});
            }
            else if (c != '.')
            {
                Fail(row.line, x + 1, std::string("unknown cell '") + c + "'");
            }
        }
    }
    return map;
}

MapFile ParseLayout(const std::string& text)
{
    const LayoutText layoutText = SplitLayout(text);
    CheckSize(layoutText);
    MapFile layout = ReadLayoutRows(layoutText.rows, layoutText.playerDegrees);
    CheckRing(layoutText, layout);
    CheckDoors(layoutText, layout);
    CheckPlayer(layout);
    std::sort(layout.entities.begin(), layout.entities.end(),
              [](const MapFileEntity& a, const MapFileEntity& b) {
                  return SavedBefore({a.name, a.x, a.y}, {b.name, b.x, b.y});
              });
    return layout;
}
