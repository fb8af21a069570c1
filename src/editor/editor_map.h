#pragma once

#include "editor/editor_types.h"

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
    static constexpr std::int32_t MAX_SIZE = 64;
    static constexpr const char* NO_ENTITY = "Nothing";

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

    // Reads the text of a map file. The cells come without colours and the
    // entity layer unsorted. Nothing when the editor cannot use the file: a
    // size outside 1..64, or an entity block whose angle, column or row is no
    // number that fits an int.
    static std::optional<EditorMap> Parse(std::istream& in);

    // The text of a map file: size, the two tile layers row by row, then the
    // entity blocks in the order of the entity list, the last without a line end.
    static std::string Format(std::int32_t width, std::int32_t height, const TileLayer& walls,
                              const TileLayer& floors, const EntityLayer& entities);
};
