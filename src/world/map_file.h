#pragma once

#include "world/world_types.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The text map file, read and written in one place. It holds the size (width
// and height), the walls-and-doors grid and the ceilings-and-floors grid row by
// row, then entity lines: a key and a value split at the first space, where
// the keys of one entity's name, facing in degrees, column and row may come in
// any order; an entity is complete once it has all four. The game's loader, the
// editor and the end screen's best score read the same files, each by its own
// MapFileRules.

// One entity of a map file: its name, its facing as written, and its cell (-1
// until given).
struct MapFileEntity
{
    std::string name;
    std::string angle;
    std::int32_t x = -1;
    std::int32_t y = -1;

    // The facing read as a decimal integer as std::stoi reads it (blanks, a sign,
    // text after the number ignored); nothing when it holds no int.
    std::optional<int> Degrees() const;
};

// A whole map file.
struct MapFile
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Row by row: the cell (x, y) is element y * width + x.
    std::vector<std::int32_t> walls;
    // A cell's texture is its floor and, turned over, its ceiling.
    std::vector<std::int32_t> floors;
    std::vector<MapFileEntity> entities;

    std::int32_t Wall(int x, int y) const { return walls[static_cast<std::size_t>(y) * width + x]; }
    std::int32_t Floor(int x, int y) const
    {
        return floors[static_cast<std::size_t>(y) * width + x];
    }
};

// What a reader takes, what it refuses and how it says so.
struct MapFileRules
{
    // A refused file throws std::runtime_error with a message that names the
    // fault; otherwise the reader only answers false.
    bool throwErrors = false;
    // Sides from 1 to this are taken; 0 takes any size, for a reader that keeps
    // no grid.
    std::int32_t maxSide = 0;
    // Cell values from 0 to these are taken; -1 takes any number.
    std::int32_t maxWall = -1;
    std::int32_t maxFloor = -1;
    // The column, the row and the facing must be numbers (else the file is
    // refused, without a message), and an entity is only complete on a cell of
    // the map (until then later lines may still mend it).
    bool numericEntities = false;
    // The entities the game builds must face 0 to 360 degrees and stand on a
    // cell of the map.
    bool playableEntities = false;
    // One of the entities must be the player.
    bool needsPlayer = false;
};

// The game's loader: up to 1024 cells a side, only values that have a texture,
// a player, and every fault named.
constexpr MapFileRules GAME_MAP_RULES = []
{
    MapFileRules rules;
    rules.throwErrors = true;
    rules.maxSide = 1024;
    rules.maxWall = 14;
    rules.maxFloor = 63;
    rules.playableEntities = true;
    rules.needsPlayer = true;
    return rules;
}();

// The map checker: what the game takes, a map without a player too, so that
// the checker can name that among the map's other problems.
constexpr MapFileRules CHECK_MAP_RULES = []
{
    MapFileRules rules = GAME_MAP_RULES;
    rules.needsPlayer = false;
    return rules;
}();

// The editor: as many cells as its view shows, any value (unknown ones are shown
// as such and saved back as they were), and only entities it can place and save.
constexpr MapFileRules EDITOR_MAP_RULES = []
{
    MapFileRules rules;
    rules.maxSide = 64;
    rules.numericEntities = true;
    return rules;
}();

// The best score: whatever the file holds, counted as far as it can be read.
constexpr MapFileRules BEST_SCORE_RULES = MapFileRules{};

// A fault of a map file that the game cannot load.
std::runtime_error MapLoadError(const std::string& problem);
// A map file that cannot be opened.
std::runtime_error MapOpenError(const std::string& path);

// Reads a map file section by section, handing every value on as it is read
// (a refusal then comes after what was handed on before it). A value of a grid
// that is no number ends the numbers of the file: it and the cells after it are
// not handed on, and no entity follows.
class MapFileReader
{
public:
    using CellSink = std::function<void(std::int32_t x, std::int32_t y, std::int32_t value)>;
    using EntitySink = std::function<void(const MapFileEntity& entity)>;

    MapFileReader(std::istream& in, const MapFileRules& rules) : mIn(in), mRules(rules) {}

    // Each step answers false when the rules refuse the file (or throws).
    bool ReadSize();
    std::int32_t Width() const { return mWidth; }
    std::int32_t Height() const { return mHeight; }
    // One grid; layer is WallsAndDoors or CeilingsAndFloors.
    bool ReadGrid(TileType layer, const CellSink& cell);
    // The entity lines to the end of the file.
    bool ReadEntities(const EntitySink& entity);

private:
    bool Refuse(const std::runtime_error& error) const;
    bool ReadEntityLine(const std::string& line, MapFileEntity& pending) const;
    bool IsComplete(const MapFileEntity& entity) const;
    bool CheckEntity(const MapFileEntity& entity) const;
    void SkipRestOfLine();

    std::istream& mIn;
    const MapFileRules mRules;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
};

// The whole file; nothing when the rules refuse it. The rules must bound the
// size, since the grids are kept.
std::optional<MapFile> ReadMapFile(std::istream& in, const MapFileRules& rules);

// The text of a map file as the editor saves it: the width and the height on
// lines of their own, an empty line, the walls one row a line (values separated
// by single spaces), an empty line, the floors the same way, an empty line, then
// one block of four lines per entity in the order given (name, facing, column,
// row), blocks separated by an empty line and no line end after the last.
std::string MapFileText(const MapFile& map);

// The order of the entity blocks the editor saves: the player first, then by
// name; entities of one name by row, then column.
struct MapFilePlace
{
    const std::string& name;
    std::int32_t x;
    std::int32_t y;
};
bool SavedBefore(const MapFilePlace& a, const MapFilePlace& b);
