#pragma once

#include <cstdint>
#include <string>

// One strip of a wall, door or sprite in one screen column, as the reference
// renderer keeps it.
struct ColumnSlice
{
    std::string textureName;
    double scale = 0;
    double textureColumn = 0;
    double distance = 0;
    double ceilingFactor = 0;
    double floorFactor = 0;
    std::int32_t textureIndex = 0;
    std::int32_t tileX = 0;
    std::int32_t tileY = 0;
    bool isDoor = false;
    bool isSprite = false;
};

// The wall cell a cast met.
struct RayHit
{
    std::int32_t tile = 0;
    std::int32_t tileX = 0;
    std::int32_t tileY = 0;
};
