#include "map_layout.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace
{
constexpr int MAX_SIZE = 64;
constexpr int STANDARD_DOOR = 7;
constexpr int EXIT_DOOR = 11;
constexpr int FAKE_EXIT_DOOR = 12;
constexpr int HORIZONTAL_DOOR_FRAME = 1;
constexpr int VERTICAL_DOOR_FRAME = 2;

const std::map<char, int> WALLS = {{'#', 1},  {'G', 2},  {'R', 3}, {'Y', 4}, {'e', 5},
                                   {'B', 6},  {'D', 7},  {'b', 8}, {'o', 9}, {'z', 10},
                                   {'X', 11}, {'F', 12}, {'P', 14}};
const std::map<char, std::string> ENTITIES = {
    {'@', "Player"},  {'h', "Health"},    {'a', "Ammo"},      {'$', "Orb"},  {'s', "Scroll"},
    {'1', "BlueKey"}, {'2', "OrangeKey"}, {'3', "BronzeKey"}, {'E', "Enemy"}};

bool IsDoor(int wall)
{
    return wall >= STANDARD_DOOR && wall <= FAKE_EXIT_DOOR;
}

bool IsPlainWall(int wall)
{
    return wall != 0 && !IsDoor(wall);
}

bool IsExit(int wall)
{
    return wall == EXIT_DOOR || wall == FAKE_EXIT_DOOR;
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

// A layout row as read, with the file line it came from for the messages.
struct Row
{
    std::string cells;
    int line = 0;
};

struct LayoutText
{
    int playerDegrees = 0;
    std::vector<Row> rows;
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

void ReadCells(const LayoutText& text, MapLayout& layout)
{
    layout.height = static_cast<int>(text.rows.size());
    layout.width = static_cast<int>(text.rows[0].cells.size());
    if (layout.width > MAX_SIZE || layout.height > MAX_SIZE)
    {
        Fail(text.rows[0].line, 1, "a map holds at most 64 x 64 cells");
    }
    layout.walls.assign(layout.width * layout.height, 0);
    layout.floors.assign(layout.width * layout.height, 0);
    for (int y = 0; y < layout.height; ++y)
    {
        const Row& row = text.rows[y];
        if (static_cast<int>(row.cells.size()) != layout.width)
        {
            Fail(row.line, 1, "every row must be " + std::to_string(layout.width) + " cells long");
        }
        for (int x = 0; x < layout.width; ++x)
        {
            const char c = row.cells[x];
            if (const auto wall = WALLS.find(c); wall != WALLS.end())
            {
                layout.walls[y * layout.width + x] = wall->second;
                if (IsDoor(wall->second))
                {
                    layout.floors[y * layout.width + x] =
                        wall->second == STANDARD_DOOR ? HORIZONTAL_DOOR_FRAME : VERTICAL_DOOR_FRAME;
                }
            }
            else if (const auto entity = ENTITIES.find(c); entity != ENTITIES.end())
            {
                const int degrees = entity->second == "Player" ? text.playerDegrees : 0;
                layout.entities.push_back({entity->second, degrees, x, y});
            }
            else if (c != '.')
            {
                Fail(row.line, x + 1, std::string("unknown cell '") + c + "'");
            }
        }
    }
}

bool OnBorder(const MapLayout& layout, int x, int y)
{
    return x == 0 || y == 0 || x == layout.width - 1 || y == layout.height - 1;
}

void CheckRing(const LayoutText& text, const MapLayout& layout)
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
void CheckDoor(const LayoutText& text, const MapLayout& layout, int x, int y)
{
    const int wall = layout.Wall(x, y);
    const bool standard = wall == STANDARD_DOOR;
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

void CheckDoors(const LayoutText& text, const MapLayout& layout)
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

void CheckPlayer(const MapLayout& layout)
{
    int players = 0;
    for (const LayoutEntity& entity : layout.entities)
    {
        players += entity.type == "Player" ? 1 : 0;
    }
    if (players != 1)
    {
        throw std::runtime_error("a map needs exactly one player, this one has " +
                                 std::to_string(players));
    }
}
} // namespace

MapLayout ParseLayout(const std::string& text)
{
    const LayoutText layoutText = SplitLayout(text);
    MapLayout layout;
    ReadCells(layoutText, layout);
    CheckRing(layoutText, layout);
    CheckDoors(layoutText, layout);
    CheckPlayer(layout);
    return layout;
}
