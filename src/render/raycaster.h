#pragma once

#include "world/world_types.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Entity;
class Game;
class Map;

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
//
// This is the plain version that draws every pixel the straightforward way; it
// is the reference that any faster renderer must match pixel for pixel.
class Raycaster
{
public:
    static constexpr int TABLE_SIZE = FULL_TURN + 1;
    static constexpr int MAX_SLICES = 16;
    static constexpr int MAX_COLUMNS = 320;
    static constexpr int LIGHT_SIZE = 4096;
    static constexpr double MAX_LIGHT = 32;
    // Half the field of view in angle units (and in columns).
    static constexpr int HALF_VIEW = 160;
    // Beyond the edge of the map everything is solid: a ray that leaves the map
    // meets a blue wall there.
    static constexpr std::int32_t OUTSIDE_WALL = 1;

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

    // The steps of RayCaster, usable one by one.
    // Fills every column of the view with its wall and door strips.
    void CastColumns(Game* game, const Entity* player, SDL_Surface* frame);
    // Fills one column with the strips its ray meets, nearest first.
    void CastColumn(Game* game, int column, int angle, int px, int py, double eyeHeight);
    // Projects the visible entities and inserts their strips, farthest first.
    void ProjectEntities(Game* game, SDL_Surface* frame, const Entity* player);
    // Draws the columns' strips with their ceilings and floors.
    void DrawColumns(Game* game, SDL_Surface* frame, const Entity* player);

    // The ray angle of a screen column for a facing.
    static int RayAngle(double facing, int column);
    // Whether a ray passed through the cell (or it touches the eye) this frame.
    bool IsVisible(const Map& map, int x, int y) const;
    // The light of a distance, 0 to 32; distances beyond the table get its last entry.
    double LightAt(double distance) const;

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

private:
    void ClearVisibility(const Map& map);
    void MarkVisible(const Map& map, int x, int y);
    // Every cell within 16 units of the eye counts as seen.
    void MarkSurroundings(const Map& map, int px, int py);
    // The wall number to draw for a walls cell that a ray stopped at; nearX and
    // nearY name the cell the ray came out of.
    static std::int32_t WallNumberOf(const Map& map, std::int32_t value, int nearX, int nearY);
    static int ColumnCount(const SDL_Surface* frame);

    // Drawing one strip with the ceiling above and the floor below it.
    void DrawSlice(Game* game, SDL_Surface* frame, SDL_Surface* walls, SDL_Surface* floors,
                   int column, int angle, const ColumnSlice& slice, const Entity* player);
    void DrawFloorPoint(Game* game, SDL_Surface* frame, SDL_Surface* floors, int column, int y,
                        int angle, double distance, const Entity* player, bool ceiling);
    SDL_Surface* SliceSource(Game* game, SDL_Surface* walls, const ColumnSlice& slice,
                             SDL_Point& origin) const;
};
