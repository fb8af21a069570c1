#pragma once

#include "render/column_slice.h"
#include "render/grid_tiles.h"
#include "render/raycaster_tables.h"
#include "render/view_column.h"
#include "render/view_painter.h"
#include "render/world_view.h"
#include "world/world_types.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class Entity;
class ImageManager;
class Map;

// Draws the 3D view: casts one ray per screen column through the map grid,
// collects distance-sorted wall, door and sprite strips and draws them with
// textured floors and ceilings, darkened by distance.
//
// The picture is exactly that of ReferenceRaycaster, the plain version, in
// every pixel; this one gets there with less work. A ray that looks through a
// door goes on from where it stopped instead of starting again from the eye,
// the walls and the visible cells are kept in tiles (GridTiles), a ray's two
// walks stop where the nearest wall is known and leave the rest of the farther
// one (which only marks cells seen) until a sprite's cell asks for it, so that
// a view costs the same on any map; sprites find their image once per frame,
// and the columns are drawn by ViewPainter.
// Nothing is allocated per frame once the buffers have grown to the map and
// the number of sprites in sight.
class Raycaster : public RaycasterTables
{
public:
    static constexpr int MAX_SLICES = ViewColumn::MAX_SLICES;
    // Beyond the edge of the map everything is solid: a ray that leaves the map
    // meets a blue wall there.
    static constexpr std::int32_t OUTSIDE_WALL = 1;

    using Slice = ViewSlice;
    using Column = ViewColumn;

    Raycaster();

    // Sets up the animations of the animated textures (noting each one's
    // index in its flags) and the tables for a view this many columns wide.
    void Init(std::vector<TextureFlagsType>& textureFlags, int viewWidth);
    void SetVisArray(int width, int height);
    RayHit CastXRay(const WorldView& view, int px, int py, int angle, int& tileX, int& tileY,
                    double& hitY, int& hitX);
    RayHit CastYRay(const WorldView& view, int px, int py, int angle, int& tileX, int& tileY,
                    double& hitX, int& hitY);
    void RayCaster(const WorldView& view);
    // Inserts an entity's strips into the columns. The strips borrow the
    // entity's texture name: they are good while the entity lives. The
    // sprite's image is looked up in `images` once for all its strips, or
    // else by each strip when it is drawn.
    void RenderEntity(SDL_Surface* frame, Entity* entity, const ImageManager* images = nullptr);
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
    // Walks the rest of the rays that could have passed it, if they are left.
    bool IsVisible(const Map& map, int x, int y);
    // The way the wide parts of the drawing go (the fastest this processor
    // has unless set); every way draws the same pictures.
    RowPath Path() const { return mPainter.Path(); }
    void UsePath(RowPath path) { mPainter.UsePath(path); }
    bool ByteTables() const { return mPainter.ByteTables(); }
    void UseByteTables(bool use) { mPainter.UseByteTables(use); }

    // One flag per map cell, row by row (1 seen this frame).
    std::vector<std::uint8_t> VisibleCells();

    std::vector<Column> mColumns = std::vector<Column>(MAX_COLUMNS);
    std::vector<TemporaryErasedType> mErased;
    std::vector<AnimationsType> mAnimations;

private:
    // A ray walking across one family of grid lines (the vertical lines x =
    // 64k for the X walk, the horizontal ones for the Y walk) until it meets a
    // walls cell or leaves the map.
    struct Walk
    {
        int line = 0;
        double along = 0;
        int side = 0;
        int step = 0;
        double stepAlong = 0;
        int cellX = 0;
        int cellY = 0;
        std::int32_t value = 0;
        // The distance of a crossing is (along - origin) * inverse.
        double origin = 0;
        double inverse = 0;
        // Stopped at a walls cell of the map (else it left the map).
        bool inside = false;
        // Stopped for good (else paused before the crossing at line, along).
        bool done = false;
    };

    // The rest of a column's walk that could not change the picture: it lay
    // behind the column's last wall. Its only use is the cells it would mark as
    // seen, so it is walked when someone asks about such a cell.
    struct Tail
    {
        Walk walk;
        bool xWalk = false;
        bool pending = false;
        // The see-through cells the column looked through, open for the walk.
        int erasedCount = 0;
        std::int32_t erasedX[ViewColumn::MAX_SLICES] = {};
        std::int32_t erasedY[ViewColumn::MAX_SLICES] = {};
    };

    // What a walk met, as the casts report it.
    struct WalkHit
    {
        RayHit hit;
        double along = 0;
        int line = 0;
    };

    // A sprite to draw this frame, with its place in the entity list.
    struct SpriteEntry
    {
        Entity* entity = nullptr;
        std::size_t order = 0;
    };

    void ClearVisibility(const Map& map);
    // Fits the tiles to the map when it changed size without SetVisArray.
    void FitGrid(const Map& map);
    void MarkVisible(const Map& map, int x, int y);
    // Every cell within 16 units of the eye counts as seen.
    void MarkSurroundings(const Map& map, int px, int py);
    // The wall number to draw for a walls cell that a ray stopped at; nearX and
    // nearY name the cell the ray came out of.
    static std::int32_t WallNumberOf(const Map& map, std::int32_t value, int nearX, int nearY);
    static int ColumnCount(const SDL_Surface* frame);

    Walk StartX(int px, int py, int angle) const;
    Walk StartY(int px, int py, int angle) const;
    // Walks on until a walls cell or the edge of the map; the X walk crosses
    // the vertical lines (its `along` is a y), the Y walk the horizontal ones.
    // Limited, it pauses at the first crossing from which its wall would lie
    // at least as far as the limit (the X walk) or beyond it (the Y walk, which
    // wins ties). True when it stopped for good.
    template <bool XWalk, bool Limited> bool WalkOn(const Map& map, Walk& walk, double limit);
    void WalkX(const Map& map, Walk& walk);
    void WalkY(const Map& map, Walk& walk);
    // Walks the column's tail, if it still has one, to its end.
    void FinishTail(const Map& map, int column);
    // Walks every tail that could pass through cell (x, y).
    void FinishTailsThrough(const Map& map, int x, int y);
    void FinishAllTails(const Map& map);
    // Whether a box around the eye (its edges relative to the eye) lies
    // wholly outside the frame's view, which is narrower than a half turn.
    bool OutsideView(double left, double right, double top, double bottom) const;
    // Sends a walk that stopped at a cell now cleared on through it.
    bool Reopen(const Map& map, Walk& walk);
    // Walks a column's two walks until the nearer wall is known: one walk has
    // stopped for good, and the other too or is behind it. The distances are
    // those of the walls met.
    void WalkBoth(const WorldView& view, Walk& xWalk, Walk& yWalk, WalkHit& xHit, WalkHit& yHit,
                  double& xDistance, double& yDistance);
    // The distance of a walk's point at `along` on its line.
    static double CrossingDistance(const Walk& walk, double along)
    {
        return (along - walk.origin) * walk.inverse;
    }
    // Keeps what is left of a frame column's walk.
    void KeepTail(int columnIndex, const Walk& walk, bool xWalk);
    // One ray cast on its own (outside a frame), walked to its wall.
    WalkHit CastAlone(const WorldView& view, int px, int py, int angle, bool xWalk);
    WalkHit FinishX(const WorldView& view, const Walk& walk) const;
    WalkHit FinishY(const WorldView& view, const Walk& walk) const;

    ViewPainter mPainter;
    // The walls the rays meet and the cells they pass this frame.
    GridTiles mGrid;
    // Casting the columns of a frame (else a column is cast on its own).
    bool mCastingFrame = false;
    // The tails of this frame's columns, and the eye and first ray angle they
    // were cast from.
    std::vector<Tail> mTails = std::vector<Tail>(MAX_COLUMNS);
    int mTailCount = 0;
    bool mTailsPending = false;
    const Map* mTailMap = nullptr;
    int mTailEyeX = 0;
    int mTailEyeY = 0;
    int mTailFirstAngle = 0;
    std::vector<SpriteEntry> mSprites;
};
