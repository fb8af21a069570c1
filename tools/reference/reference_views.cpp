#include "reference/reference_views.h"

#include "core/game.h"
#include "gameplay/player.h"
#include "world/map_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace
{
constexpr int WALL = 1;
// Framed west and east: the door of a corridor running north and south.
constexpr int STANDARD_DOOR = 7;
// Facings in angle units.
constexpr double SOUTH = 480;
constexpr double WEST = 960;
constexpr double SOUTH_EAST = 240;
// The player keeps its 16-unit half width off every wall.
constexpr double BODY_HALF_WIDTH = 16;
// Floor textures the generated maps use, in a pattern.
constexpr int FLOOR_PATTERN = 6;

// A map file being put together cell by cell.
class MapDraft
{
public:
    MapDraft(int width, int height)
    {
        mFile.width = width;
        mFile.height = height;
        mFile.walls.assign(static_cast<std::size_t>(width) * height, 0);
        mFile.floors.assign(mFile.walls.size(), 0);
    }

    void Wall(int x, int y, int value) { mFile.walls[Index(x, y)] = value; }
    void Floor(int x, int y, int value) { mFile.floors[Index(x, y)] = value; }
    // The outer ring of the square from (x0, y0) to (x1, y1), a wall type per side.
    void Ring(int x0, int y0, int x1, int y1)
    {
        for (int x = x0; x <= x1; ++x)
        {
            Wall(x, y0, 2);
            Wall(x, y1, 3);
        }
        for (int y = y0 + 1; y < y1; ++y)
        {
            Wall(x0, y, 4);
            Wall(x1, y, WALL);
        }
    }
    void FloorPattern()
    {
        for (int y = 0; y < mFile.height; ++y)
        {
            for (int x = 0; x < mFile.width; ++x)
            {
                Floor(x, y, (x / 3 + 2 * (y / 3)) % FLOOR_PATTERN);
            }
        }
    }
    // The player must come first.
    void AddEntity(const std::string& type, int x, int y, int degrees = 0)
    {
        mFile.entities.push_back({type, std::to_string(degrees), x, y});
    }

    std::string Text() const { return MapFileText(mFile); }

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * mFile.width + static_cast<std::size_t>(x);
    }

    MapFile mFile;
};

// The open hall: a ring of walls around an empty floor, the player on the west
// side looking east across it.
MapDraft HallDraft(int side)
{
    MapDraft draft(side, side);
    draft.FloorPattern();
    if (side > ReferenceViews::HALL_SIDE)
    {
        draft.Ring(0, 0, side - 1, side - 1);
    }
    draft.Ring(0, 0, ReferenceViews::HALL_SIDE - 1, ReferenceViews::HALL_SIDE - 1);
    draft.AddEntity("Player", 2, ReferenceViews::HALL_SIDE / 2);
    return draft;
}

// Cells of the hall in the player's field of view, spread evenly over it.
std::vector<std::pair<int, int>> CellsInSight(int count)
{
    const double eyeX = 2.5;
    const double eyeY = ReferenceViews::HALL_SIDE / 2 + 0.5;
    // A little inside the 30 degrees to either side, so that whole sprites show.
    const double reach = std::tan(26.0 * 3.141592653589793 / 180);
    std::vector<std::pair<int, int>> candidates;
    for (int x = 5; x < ReferenceViews::HALL_SIDE - 1; ++x)
    {
        for (int y = 1; y < ReferenceViews::HALL_SIDE - 1; ++y)
        {
            if (std::fabs(y + 0.5 - eyeY) <= reach * (x + 0.5 - eyeX))
            {
                candidates.emplace_back(x, y);
            }
        }
    }
    std::vector<std::pair<int, int>> cells;
    const std::size_t available = candidates.size();
    for (int i = 0; i < count && static_cast<std::size_t>(i) < available; ++i)
    {
        cells.push_back(
            candidates[static_cast<std::size_t>(i) * available / static_cast<std::size_t>(count)]);
    }
    return cells;
}

const char* const SPRITE_TYPES[] = {"Enemy", "Orb",    "Enemy",     "Health",  "Enemy",
                                    "Ammo",  "Scroll", "Enemy",     "BlueKey", "OrangeKey",
                                    "Enemy", "Orb",    "BronzeKey", "Enemy"};
} // namespace

ReferenceViews::ReferenceViews(std::string scratchDirectory)
    : mDirectory(std::move(scratchDirectory))
{
}

std::string ReferenceViews::WriteMap(const std::string& name, const std::string& text) const
{
    const std::string path = mDirectory + "/" + name;
    std::ifstream existing(path);
    if (existing)
    {
        return path;
    }
    std::ofstream file(path);
    file << text;
    if (!file)
    {
        throw std::runtime_error("Couldn't write the map " + path);
    }
    return path;
}

std::vector<ReferenceView> ReferenceViews::ShippedStarts(const std::string& dataDirectory) const
{
    const std::string list = dataDirectory + "/maps/map.cfg";
    std::ifstream file(list);
    if (!file)
    {
        throw std::runtime_error("Couldn't open the map list " + list);
    }
    std::vector<ReferenceView> views;
    std::string line;
    while (std::getline(file, line))
    {
        std::istringstream words(line);
        std::string mapFile;
        if (!(words >> mapFile))
        {
            continue;
        }
        ReferenceView view;
        view.name = "start of " + mapFile;
        view.mapPath = dataDirectory + "/maps/" + mapFile;
        views.push_back(view);
    }
    return views;
}

ReferenceView ReferenceViews::Hall(int sprites) const
{
    MapDraft draft = HallDraft(HALL_SIDE);
    int index = 0;
    for (const auto& [x, y] : CellsInSight(sprites))
    {
        const char* type = SPRITE_TYPES[static_cast<std::size_t>(index) % std::size(SPRITE_TYPES)];
        draft.AddEntity(type, x, y, 90 * (index % 4));
        ++index;
    }
    ReferenceView view;
    view.name = "hall, " + std::to_string(sprites) + " sprites in sight";
    view.mapPath = WriteMap("hall_" + std::to_string(sprites) + ".map", draft.Text());
    return view;
}

ReferenceView ReferenceViews::MapOfSide(int side) const
{
    ReferenceView view;
    view.name = "hall in a " + std::to_string(side) + " x " + std::to_string(side) + " map";
    view.mapPath = WriteMap("side_" + std::to_string(side) + ".map", HallDraft(side).Text());
    return view;
}

std::vector<ReferenceView> ReferenceViews::StressViews() const
{
    std::vector<ReferenceView> views;
    views.push_back(Hall(HALL_SPRITES));

    // A corridor one cell wide going south through ten standard doors, one
    // every other cell, from a small room where the player looks down it.
    const int height = 4 + 2 * CORRIDOR_DOORS + 2;
    MapDraft corridor(5, height);
    corridor.FloorPattern();
    corridor.Ring(0, 0, 4, height - 1);
    for (int y = 3; y < height - 1; ++y)
    {
        corridor.Wall(1, y, 4);
        corridor.Wall(3, y, 4);
    }
    for (int door = 0; door < CORRIDOR_DOORS; ++door)
    {
        corridor.Wall(2, 3 + 2 * door, STANDARD_DOOR);
    }
    corridor.AddEntity("Player", 2, 1, 270);
    ReferenceView doors;
    doors.name = "ten doors half open";
    doors.mapPath = WriteMap("corridor.map", corridor.Text());
    doors.fromStart = false;
    // In line with the open halves of the doors, which all slide the same way.
    doors.x = 2 * TILE_SIZE + 17;
    doors.y = TILE_SIZE + 40;
    doors.angle = SOUTH;
    doors.doorSteps = HALF_OPEN_STEPS;
    views.push_back(doors);

    const std::string hallPath = Hall(0).mapPath;
    ReferenceView wall;
    wall.name = "pressed against a wall";
    wall.mapPath = hallPath;
    wall.fromStart = false;
    wall.x = TILE_SIZE + BODY_HALF_WIDTH;
    wall.y = TILE_SIZE * (HALL_SIDE / 2) + 20;
    wall.angle = WEST;
    views.push_back(wall);

    ReferenceView far;
    far.name = "across the longest open distance";
    far.mapPath = hallPath;
    far.fromStart = false;
    far.x = TILE_SIZE + BODY_HALF_WIDTH;
    far.y = TILE_SIZE + BODY_HALF_WIDTH;
    far.angle = SOUTH_EAST;
    views.push_back(far);
    return views;
}

void ReferenceViews::Enter(Game& game, const ReferenceView& view)
{
    Map& map = *game.mMap;
    map.ClearMap();
    game.ClearEntities(false);
    if (!map.OpenMap(view.mapPath, &game, true))
    {
        throw std::runtime_error("Couldn't open map file: " + view.mapPath);
    }
    game.mRaycaster->SetVisArray(map.mWidth, map.mHeight);
    Player* player = game.GetPlayerRecord();
    if (!view.fromStart)
    {
        player->mX = view.x;
        player->mY = view.y;
        player->mDeltaX = 0;
        player->mDeltaY = 0;
        player->mAngle = view.angle;
    }
    if (view.doorSteps <= 0)
    {
        return;
    }
    for (const auto& door : map.mDoors)
    {
        if (game.mTextureFlags[static_cast<std::size_t>(door->textureIndex)].seeThrough)
        {
            map.StartDoor(&game, door->tileX, door->tileY);
        }
    }
    for (int step = 0; step < view.doorSteps; ++step)
    {
        game.StepWorld();
    }
}
