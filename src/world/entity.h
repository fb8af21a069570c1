#pragma once

#include "world/world_types.h"

#include <SDL.h>

#include <cstdint>
#include <string>

class Game;

// Everything that stands or moves on the map. The kinds (player, enemy, item,
// projectile) are told apart by mType; the entity turn dispatches on it.
class Entity
{
public:
    explicit Entity(Game* game) : mGame(game) {}
    virtual ~Entity() = default;
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    // Tile of the entity's position (truncated world coordinates / 64).
    int TileX() const { return static_cast<int>(mX) / TILE_SIZE; }
    int TileY() const { return static_cast<int>(mY) / TILE_SIZE; }
    // Whether the entity's 32 x 32 footprint reaches into the cell.
    bool Overlaps(int tileX, int tileY) const;
    // Gameplay's proximity test: closer than 32 units on truncated differences.
    bool IsCloseTo(double x, double y) const;

    std::string mTextureName;
    double mX = 0;
    double mY = 0;
    double mZ = 0;
    double mSpeed = 0;
    double mDeltaX = 0;
    double mDeltaY = 0;
    double mAngle = 0;
    Game* mGame = nullptr;
    SDL_Rect mSourceRect{0, 0, 0, 0};
    std::int32_t mHealth = 0;
    std::int32_t mDistance = 0;
    std::int32_t mAnimationDelay = 0;
    std::int32_t mAnimationCounter = 0;
    std::int32_t mAnimationFrame = 0;
    std::int32_t mAnimationFrames = 0;
    std::int32_t mScreenX = 0;
    std::int32_t mScreenSize = 0;
    EntityType mType = EntityType::Unknown;
    bool mAlive = true;
};

// Depth of the offset (dx, dy) along a facing given in angle units, in world units.
std::int32_t DepthAlongFacing(double dx, double dy, double facing);
