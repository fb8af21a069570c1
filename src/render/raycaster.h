#pragma once

#include "world/world_types.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Entity;
class Game;

// One strip of a wall, door or sprite in one screen column.
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

// Draws the 3D view: casts one ray per screen column through the map grid,
// collects distance-sorted wall, door and sprite strips and draws them with
// textured floors and ceilings, darkened by distance.
class Raycaster
{
public:
    static constexpr int TABLE_SIZE = FULL_TURN + 1;
    static constexpr int MAX_SLICES = 16;
    static constexpr int MAX_COLUMNS = 320;
    static constexpr int LIGHT_SIZE = 4096;

    struct Column
    {
        std::array<ColumnSlice, MAX_SLICES> slices;
        std::int32_t count = 0;
    };

    void Init(Game* game);
    void BuildTables();
    void SetVisArray(int width, int height);
    RayHit CastXRay(Game* game, int px, int py, int angle, int& tileX, int& tileY, double& hitY,
                    int& hitX);
    RayHit CastYRay(Game* game, int px, int py, int angle, int& tileX, int& tileY, double& hitX,
                    int& hitY);
    void RayCaster(Game* game);
    void RenderEntity(SDL_Surface* frame, Entity* entity);
    void RotateAnimations();

    std::vector<double> mTan = std::vector<double>(TABLE_SIZE);
    std::vector<double> mInvTan = std::vector<double>(TABLE_SIZE);
    std::vector<double> mStepY = std::vector<double>(TABLE_SIZE);
    std::vector<double> mStepX = std::vector<double>(TABLE_SIZE);
    std::vector<double> mCos = std::vector<double>(TABLE_SIZE);
    std::vector<double> mSin = std::vector<double>(TABLE_SIZE);
    std::vector<double> mInvCos = std::vector<double>(TABLE_SIZE);
    std::vector<double> mInvSin = std::vector<double>(TABLE_SIZE);
    std::vector<double> mViewCos = std::vector<double>(MAX_COLUMNS + 1);
    std::vector<double> mLight = std::vector<double>(LIGHT_SIZE);
    std::vector<Column> mColumns = std::vector<Column>(MAX_COLUMNS);
    std::vector<TemporaryErasedType> mErased;
    std::vector<AnimationsType> mAnimations;
    std::vector<bool> mVisible;
    double mProjectionDistance = 0;
};
