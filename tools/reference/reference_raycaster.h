#pragma once

#include "render/column_slice.h"
#include "render/raycaster_tables.h"
#include "render/world_view.h"
#include "world/world_types.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Entity;
class Map;

// Draws the 3D view: casts one ray per screen column through the map grid,
// collects distance-sorted wall, door and sprite strips and draws them with
// textured floors and ceilings, darkened by distance.
//
// This is the plain version that draws every pixel the straightforward way,
// back to front, through SDL's colour functions. The game draws with the fast
// Raycaster; this one stays as the oracle that the tests and the benchmark
// hold it against, pixel for pixel.
class ReferenceRaycaster : public RaycasterTables
{
public:
    static constexpr int MAX_SLICES = 16;
    // Beyond the edge of the map everything is solid: a ray that leaves the map
    // meets a blue wall there.
    static constexpr std::int32_t OUTSIDE_WALL = 1;

    struct Column
    {
        std::array<ColumnSlice, MAX_SLICES> slices;
        std::int32_t count = 0;
    };

    void Init(std::vector<TextureFlagsType>& textureFlags, int viewWidth);
    void SetVisArray(int width, int height);
    RayHit CastXRay(const WorldView& view, int px, int py, int angle, int& tileX, int& tileY,
                    double& hitY, int& hitX);
    RayHit CastYRay(const WorldView& view, int px, int py, int angle, int& tileX, int& tileY,
                    double& hitX, int& hitY);
    void RayCaster(const WorldView& view);
    void RenderEntity(SDL_Surface* frame, Entity* entity);
    void RotateAnimations();

    // The steps of RayCaster, usable one by one.
    // Fills every column of the view with its wall and door strips.
    void CastColumns(const WorldView& view);
    // Fills one column with the strips its ray meets, nearest first.
    void CastColumn(const WorldView& view, int column, int angle, int px, int py, double eyeHeight);
    // Projects the visible entities and inserts their strips, farthest first.
    void ProjectEntities(const WorldView& view);
    // Draws the columns' strips with their ceilings and floors.
    void DrawColumns(const WorldView& view);

    // Whether a ray passed through the cell (or it touches the eye) this frame.
    bool IsVisible(const Map& map, int x, int y) const;
    std::vector<Column> mColumns = std::vector<Column>(MAX_COLUMNS);
    std::vector<TemporaryErasedType> mErased;
    std::vector<AnimationsType> mAnimations;
    std::vector<bool> mVisible;

private:
    void ClearVisibility(const Map& map);
    void MarkVisible(const Map& map, int x, int y);
    // Every cell within 16 units of the eye counts as seen.
    void MarkSurroundings(const Map& map, int px, int py);
    // The wall number to draw for a walls cell that a ray stopped at; nearX and
    // nearY name the cell the ray came out of.
    static std::int32_t WallNumberOf(const Map& map, std::int32_t value, int nearX, int nearY);
    // A walls cell as the rays of the column being cast see it: the cells it
    // has looked through (mErased) are empty.
    std::int32_t WallAt(const Map& map, int x, int y) const;
    static int ColumnCount(const SDL_Surface* frame);

    // Drawing one strip with the ceiling above and the floor below it.
    void DrawSlice(const WorldView& view, SDL_Surface* walls, SDL_Surface* floors, int column,
                   int angle, const ColumnSlice& slice);
    void DrawFloorPoint(const WorldView& view, SDL_Surface* floors, int column, int y, int angle,
                        double distance, bool ceiling);
    SDL_Surface* SliceSource(const WorldView& view, SDL_Surface* walls, const ColumnSlice& slice,
                             SDL_Point& origin) const;
};
