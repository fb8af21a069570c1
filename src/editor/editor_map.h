#pragma once

#include "editor/editor_types.h"
#include "world/map_file.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The colours a new, cleared or enlarged cell takes on each layer.
struct EditorEmptyColors
{
    std::uint32_t mWall = 0;
    std::uint32_t mFloor = 0;
    std::uint32_t mEntity = 0;
};

// A whole editor map: its size and its three layers. The editor keeps the map
// being edited in the Game's own members; a map read from a file or reshaped
// is built here first and only swapped in once it is complete, so a bad file
// never costs the user the map on screen.
struct EditorMap
{
    using TileLayer = std::vector<std::unique_ptr<EditorTile<int>>>;
    using EntityLayer = std::vector<std::unique_ptr<EditorTile<std::string>>>;
    using EntityGrid = std::vector<EditorTile<std::string>*>;

    // The map view holds 64 x 64 cells of 8 pixels.
    static constexpr std::int32_t MAX_SIZE = EDITOR_MAP_RULES.maxSide;

    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    TileLayer mWallTiles;
    TileLayer mFloorTiles;
    // Owns the entity cells; mEntityGrid lends them out by position.
    EntityLayer mEntityTiles;
    EntityGrid mEntityGrid;

    static bool IsValidSize(std::int32_t width, std::int32_t height);

    // Every cell empty: value 0 on the tile layers, "Nothing" on the entity layer.
    static EditorMap CreateEmpty(std::int32_t width, std::int32_t height,
                                 const EditorEmptyColors& colors);

    // Appends one empty cell at (x, y) to each layer.
    void AppendEmptyCell(std::int32_t x, std::int32_t y, const EditorEmptyColors& colors);
    void AppendEmptyEntity(std::int32_t x, std::int32_t y, std::uint32_t color);

    // Reads a map file by the editor's rules (EDITOR_MAP_RULES). The cells come
    // without colours and the entity layer unsorted; later entities on a cell
    // replace earlier ones. Nothing when the editor cannot use the file.
    static std::optional<EditorMap> Parse(std::istream& in);

    // The text of a map file, the entity blocks in the order of the entity list.
    static std::string Format(std::int32_t width, std::int32_t height, const TileLayer& walls,
                              const TileLayer& floors, const EntityLayer& entities);

    // An entity's facing as the editor saves and shows it: whole degrees.
    static std::string AngleText(double angle);
};
