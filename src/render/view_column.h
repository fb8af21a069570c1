#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string_view>

// One strip of a wall, door or sprite in one screen column.
struct ViewSlice
{
    // The image key of a sprite strip, borrowed from its entity for the frame;
    // empty for walls and doors.
    std::string_view textureName;
    // The sprite's image, looked up once per entity and frame; null for walls
    // and doors, and for a sprite whose image is to be looked up by its name.
    SDL_Surface* image = nullptr;
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

// The strips of one screen column, nearest first.
struct ViewColumn
{
    static constexpr int MAX_SLICES = 16;

    std::array<ViewSlice, MAX_SLICES> slices;
    std::int32_t count = 0;
};
