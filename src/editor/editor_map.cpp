#include "editor/editor_map.h"

#include "world/map_names.h"

#include <cmath>

namespace
{
std::vector<std::int32_t> CellValues(const EditorMap::TileLayer& layer)
{
    std::vector<std::int32_t> values;
    values.reserve(layer.size());
    for (const auto& cell : layer)
    {
        values.push_back(cell->mValue);
    }
    return values;
}
} // namespace

bool EditorMap::IsValidSize(std::int32_t width, std::int32_t height)
{
    return width >= 1 && width <= MAX_SIZE && height >= 1 && height <= MAX_SIZE;
}

EditorMap EditorMap::CreateEmpty(std::int32_t width, std::int32_t height,
                                 const EditorEmptyColors& colors)
{
    EditorMap map;
    map.mWidth = width;
    map.mHeight = height;
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            map.AppendEmptyCell(x, y, colors);
        }
    }
    return map;
}

void EditorMap::AppendEmptyCell(std::int32_t x, std::int32_t y, const EditorEmptyColors& colors)
{
    mWallTiles.push_back(
        std::make_unique<EditorTile<int>>(EditorTile<int>{0, 0.0, colors.mWall, x, y}));
    mFloorTiles.push_back(
        std::make_unique<EditorTile<int>>(EditorTile<int>{0, 0.0, colors.mFloor, x, y}));
    AppendEmptyEntity(x, y, colors.mEntity);
}

void EditorMap::AppendEmptyEntity(std::int32_t x, std::int32_t y, std::uint32_t color)
{
    mEntityTiles.push_back(std::make_unique<EditorTile<std::string>>(
        EditorTile<std::string>{EntityNames::NOTHING, 0.0, color, x, y}));
    mEntityGrid.push_back(mEntityTiles.back().get());
}

std::optional<EditorMap> EditorMap::Parse(std::istream& in)
{
    const std::optional<MapFile> file = ReadMapFile(in, EDITOR_MAP_RULES);
    if (!file)
    {
        return std::nullopt;
    }
    EditorMap map;
    map.mWidth = file->width;
    map.mHeight = file->height;
    for (std::int32_t y = 0; y < map.mHeight; ++y)
    {
        for (std::int32_t x = 0; x < map.mWidth; ++x)
        {
            map.mWallTiles.push_back(
                std::make_unique<EditorTile<int>>(EditorTile<int>{file->Wall(x, y), 0.0, 0, x, y}));
            map.mFloorTiles.push_back(std::make_unique<EditorTile<int>>(
                EditorTile<int>{file->Floor(x, y), 0.0, 0, x, y}));
            map.AppendEmptyEntity(x, y, 0);
        }
    }
    for (const MapFileEntity& entity : file->entities)
    {
        EditorTile<std::string>* cell = map.mEntityGrid[entity.y * map.mWidth + entity.x];
        cell->mValue = entity.name;
        cell->mAngle = entity.Degrees().value();
    }
    return map;
}

std::string EditorMap::Format(std::int32_t width, std::int32_t height, const TileLayer& walls,
                              const TileLayer& floors, const EntityLayer& entities)
{
    MapFile file;
    file.width = width;
    file.height = height;
    file.walls = CellValues(walls);
    file.floors = CellValues(floors);
    for (const auto& entity : entities)
    {
        if (entity->mValue != EntityNames::NOTHING)
        {
            file.entities.push_back(
                {entity->mValue, AngleText(entity->mAngle), entity->mX, entity->mY});
        }
    }
    return MapFileText(file);
}

std::string EditorMap::AngleText(double angle)
{
    return std::to_string(static_cast<long long>(std::trunc(angle)));
}
