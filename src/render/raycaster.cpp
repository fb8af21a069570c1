#include "render/raycaster.h"

#include "core/image_manager.h"
#include "core/utils.h"
#include "render/inline_step.h"
#include "world/entity.h"
#include "world/grid_math.h"
#include "world/map.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace
{
constexpr double DEPTH_EPSILON = 1e-10;
// Strips of sprites nearer than this are not drawn.
constexpr int MIN_SPRITE_DEPTH = 15;
constexpr int FIXED_ONE = 65536;
constexpr int HALF_TURN = FULL_TURN / 2;
constexpr int QUARTER_TURN = FULL_TURN / 4;
constexpr int EYE_MARGIN = 16;
constexpr double NO_LIMIT = std::numeric_limits<double>::infinity();
// The angle tables' rays point this far past their angle unit (radians).
constexpr double RAY_ANGLE_OFFSET = 0.0003272;
// Sprites in sight that the list holds without growing.
constexpr std::size_t SPRITES_RESERVED = 512;
} // namespace

Raycaster::Raycaster()
{
    mErased.reserve(MAX_SLICES);
    mSprites.reserve(SPRITES_RESERVED);
}

// --- Tables ---

void Raycaster::Init(std::vector<TextureFlagsType>& textureFlags, int viewWidth)
{
    mAnimations.clear();
    for (TextureFlagsType& flags : textureFlags)
    {
        if (!flags.animated)
        {
            continue;
        }
        // The fireplace: two frames, six frames each.
        mAnimations.push_back({6, 6, 0, 2, true});
        flags.animationIndex = static_cast<std::int32_t>(mAnimations.size() - 1);
        flags.doorDelay = 6;
    }
    BuildLight(viewWidth);
    BuildTables();
    mPainter.Init(*this);
}

// --- Visibility ---

void Raycaster::SetVisArray(int width, int height)
{
    mGrid.Reset(width, height);
    // Tails walk the map they were cast on.
    mTailsPending = false;
    mTailCount = 0;
}

void Raycaster::FitGrid(const Map& map)
{
    const bool grids = map.HasGrids() && map.mWidth > 0 && map.mHeight > 0;
    const int width = grids ? map.mWidth : 0;
    const int height = grids ? map.mHeight : 0;
    if (mGrid.Width() != width || mGrid.Height() != height)
    {
        SetVisArray(width, height);
    }
}

void Raycaster::ClearVisibility(const Map& map)
{
    FitGrid(map);
    mGrid.NewFrame();
    mTailsPending = false;
    mTailCount = 0;
}

bool Raycaster::IsVisible(const Map& map, int x, int y)
{
    if (!map.IsInside(x, y) || x >= mGrid.Width() || y >= mGrid.Height())
    {
        return false;
    }
    if (!mGrid.Seen(x, y) && mTailsPending)
    {
        FinishTailsThrough(map, x, y);
    }
    return mGrid.Seen(x, y);
}

std::vector<std::uint8_t> Raycaster::VisibleCells()
{
    if (mTailsPending && mTailMap != nullptr)
    {
        FinishAllTails(*mTailMap);
    }
    return mGrid.SeenCells();
}

void Raycaster::MarkVisible(const Map& map, int x, int y)
{
    if (map.IsInside(x, y) && x < mGrid.Width() && y < mGrid.Height())
    {
        mGrid.MarkSeen(x, y);
    }
}

void Raycaster::MarkSurroundings(const Map& map, int px, int py)
{
    const int x0 = std::max(0, (px - EYE_MARGIN) / TILE_SIZE);
    const int x1 = std::min(map.mWidth - 1, (px + EYE_MARGIN) / TILE_SIZE);
    const int y0 = std::max(0, (py - EYE_MARGIN) / TILE_SIZE);
    const int y1 = std::min(map.mHeight - 1, (py + EYE_MARGIN) / TILE_SIZE);
    for (int y = y0; y <= y1; ++y)
    {
        for (int x = x0; x <= x1; ++x)
        {
            MarkVisible(map, x, y);
        }
    }
}

// --- Casting ---

std::int32_t Raycaster::WallNumberOf(const Map& map, std::int32_t value, int nearX, int nearY)
{
    if ((value & DOOR_FRAME_FLAG) != 0)
    {
        value &= ~DOOR_FRAME_FLAG;
        // A wall beside a door shows the door frame to whoever looks out of the door.
        if (map.FindDoor(nearX, nearY) != nullptr)
        {
            return DOOR_FRAME_WALL;
        }
    }
    const std::int32_t wall = value & ~DOOR_FLAG;
    // A door-frame mark on an empty cell has no wall of its own: it shows the frame.
    return wall >= 1 && wall <= WALL_TEXTURE_COUNT ? wall : DOOR_FRAME_WALL;
}

Raycaster::Walk Raycaster::StartX(int px, int py, int angle) const
{
    Walk walk;
    walk.line = px & ~(TILE_SIZE - 1);
    walk.step = TILE_SIZE;
    if (angle >= QUARTER_TURN && angle <= 3 * QUARTER_TURN - 1)
    {
        walk.side = -1;
        walk.step = -TILE_SIZE;
    }
    else
    {
        walk.line += TILE_SIZE;
    }
    walk.along = py + (walk.line - px) * mTan[static_cast<std::size_t>(angle)];
    walk.stepAlong = mStepY[static_cast<std::size_t>(angle)];
    walk.origin = py;
    walk.inverse = mInvSin[static_cast<std::size_t>(angle)];
    return walk;
}

Raycaster::Walk Raycaster::StartY(int px, int py, int angle) const
{
    Walk walk;
    walk.line = py & ~(TILE_SIZE - 1);
    walk.step = TILE_SIZE;
    if (angle < HALF_TURN)
    {
        walk.line += TILE_SIZE;
    }
    else
    {
        walk.side = -1;
        walk.step = -TILE_SIZE;
    }
    walk.along = px + (walk.line - py) * mInvTan[static_cast<std::size_t>(angle)];
    walk.stepAlong = mStepX[static_cast<std::size_t>(angle)];
    walk.origin = px;
    walk.inverse = mInvCos[static_cast<std::size_t>(angle)];
    return walk;
}

template <bool XWalk, bool Limited>
QUILL_INLINE_STEP bool Raycaster::WalkOn(const Map& map, Walk& walk, double limit)
{
    // The grid and the tiles are the same size (FitGrid), or both empty.
    const int width = mGrid.Width();
    const int height = mGrid.Height();
    const double alongLimit = static_cast<double>(TILE_SIZE) * (XWalk ? height : width);
    const int lineCells = XWalk ? width : height;
    const std::int32_t* walls = map.mWalls.data();
    // The walk in locals: the marks go to memory the compiler cannot tell apart.
    int line = walk.line;
    double along = walk.along;
    const int step = walk.step;
    const double stepAlong = walk.stepAlong;
    // The cell across the line moves one cell a step.
    int lineCell = TileOf(line + walk.side);
    const int lineStep = step > 0 ? 1 : -1;
    int cellX = walk.cellX;
    int cellY = walk.cellY;
    const double origin = walk.origin;
    const double inverse = walk.inverse;
    GridTiles::Cursor cursor;
    bool done = true;
    for (;;)
    {
        // Past the limit the wall met would lose to the other walk's.
        if (Limited)
        {
            const double distance = (along - origin) * inverse;
            if (XWalk ? !(distance < limit) : !(distance <= limit))
            {
                done = false;
                break;
            }
        }
        if (!(along >= 0 && along < alongLimit) ||
            static_cast<unsigned>(lineCell) >= static_cast<unsigned>(lineCells))
        {
            // The ray left the map: it ends on the solid outside.
            cellX = XWalk ? lineCell : TileOf(along);
            cellY = XWalk ? TileOf(along) : lineCell;
            walk.inside = false;
            break;
        }
        // Within the map the coordinate is not negative: truncating rounds down.
        const int alongCell = static_cast<int>(along) >> 6;
        cellX = XWalk ? lineCell : alongCell;
        cellY = XWalk ? alongCell : lineCell;
        // The tiles tell whether the cell holds a wall; only a wall's own
        // value is read from the map.
        if (mGrid.Enter(map, cursor, cellX, cellY))
        {
            const std::int32_t value =
                walls[static_cast<std::size_t>(cellY) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(cellX)];
            if (value != 0)
            {
                walk.value = value;
                walk.inside = true;
                break;
            }
            mGrid.MarkSeen(cellX, cellY);
        }
        along += stepAlong;
        line += step;
        lineCell += lineStep;
    }
    mGrid.Leave(cursor);
    walk.line = line;
    walk.along = along;
    walk.cellX = cellX;
    walk.cellY = cellY;
    walk.done = done;
    return done;
}

void Raycaster::WalkX(const Map& map, Walk& walk)
{
    WalkOn<true, false>(map, walk, NO_LIMIT);
}

void Raycaster::WalkY(const Map& map, Walk& walk)
{
    WalkOn<false, false>(map, walk, NO_LIMIT);
}

bool Raycaster::Reopen(const Map& map, Walk& walk)
{
    if (!walk.done || !walk.inside || mGrid.Solid(map, walk.cellX, walk.cellY))
    {
        return false;
    }
    // A cast from the eye would pass through the cleared cell as through every
    // empty cell before it, and meet what lies behind it.
    MarkVisible(map, walk.cellX, walk.cellY);
    walk.along += walk.stepAlong;
    walk.line += walk.step;
    walk.done = false;
    return true;
}

QUILL_INLINE_STEP Raycaster::WalkHit Raycaster::FinishX(const WorldView& view,
                                                        const Walk& walk) const
{
    const Map& map = view.map;
    std::int32_t wall = OUTSIDE_WALL;
    if (walk.inside)
    {
        wall = WallNumberOf(map, walk.value, TileOf(walk.line + (walk.side == 0 ? -1 : 1)),
                            TileOf(walk.along));
    }
    WalkHit result{{wall, walk.cellX, walk.cellY}, walk.along, walk.line};
    if (view.textureFlags[static_cast<std::size_t>(wall - 1)].halfDepth)
    {
        result.along += 0.5 * walk.stepAlong;
        result.line += walk.step / 2;
    }
    return result;
}

QUILL_INLINE_STEP Raycaster::WalkHit Raycaster::FinishY(const WorldView& view,
                                                        const Walk& walk) const
{
    const Map& map = view.map;
    std::int32_t wall = OUTSIDE_WALL;
    if (walk.inside)
    {
        wall = WallNumberOf(map, walk.value, TileOf(walk.along),
                            TileOf(walk.line + (walk.side == 0 ? -1 : 1)));
    }
    WalkHit result{{wall, walk.cellX, walk.cellY}, walk.along, walk.line};
    if (view.textureFlags[static_cast<std::size_t>(wall - 1)].halfDepth)
    {
        result.along += 0.5 * walk.stepAlong;
        result.line += walk.step / 2;
    }
    return result;
}

Raycaster::WalkHit Raycaster::CastAlone(const WorldView& view, int px, int py, int angle,
                                        bool xWalk)
{
    const Map& map = view.map;
    FitGrid(map);
    mGrid.RefreshWalls();
    Walk walk = xWalk ? StartX(px, py, angle) : StartY(px, py, angle);
    MarkSurroundings(map, px, py);
    if (xWalk)
    {
        WalkX(map, walk);
        return FinishX(view, walk);
    }
    WalkY(map, walk);
    return FinishY(view, walk);
}

RayHit Raycaster::CastXRay(const WorldView& view, int px, int py, int angle, int& tileX, int& tileY,
                           double& hitY, int& hitX)
{
    const WalkHit result = CastAlone(view, px, py, angle, true);
    hitY = result.along;
    hitX = result.line;
    tileX = result.hit.tileX;
    tileY = result.hit.tileY;
    return result.hit;
}

RayHit Raycaster::CastYRay(const WorldView& view, int px, int py, int angle, int& tileX, int& tileY,
                           double& hitX, int& hitY)
{
    const WalkHit result = CastAlone(view, px, py, angle, false);
    hitX = result.along;
    hitY = result.line;
    tileX = result.hit.tileX;
    tileY = result.hit.tileY;
    return result.hit;
}

int Raycaster::ColumnCount(const SDL_Surface* frame)
{
    return std::min(frame->w, MAX_COLUMNS);
}

void Raycaster::CastColumns(const WorldView& view)
{
    const Entity& player = view.player;
    const int px = TruncToInt(player.mX);
    const int py = TruncToInt(player.mY);
    FitGrid(view.map);
    // Tails of an earlier cast into the same marks go first, on its walls.
    FinishAllTails(view.map);
    // The walls read from the map once for all the columns.
    mGrid.RefreshWalls();
    mTailMap = &view.map;
    mTailEyeX = px;
    mTailEyeY = py;
    mTailFirstAngle = RayAngle(player.mAngle, 0);
    mTailCount = ColumnCount(view.frame);
    for (int column = 0; column < mTailCount; ++column)
    {
        mTails[static_cast<std::size_t>(column)].pending = false;
    }
    mCastingFrame = true;
    MarkSurroundings(view.map, px, py);
    int angle = mTailFirstAngle;
    for (int column = 0; column < ColumnCount(view.frame); ++column, angle = NextRayAngle(angle))
    {
        CastColumn(view, column, angle, px, py, player.mZ);
    }
    mCastingFrame = false;
}

void Raycaster::CastColumn(const WorldView& view, int columnIndex, int angle, int px, int py,
                           double eyeHeight)
{
    const Map& map = view.map;
    if (!mCastingFrame)
    {
        // A column on its own reads the walls afresh.
        FitGrid(map);
        mGrid.RefreshWalls();
    }
    Column& column = mColumns[static_cast<std::size_t>(columnIndex)];
    column.count = 0;
    mErased.clear();
    const double viewCos = mViewCos[static_cast<std::size_t>(columnIndex)];
    const double planeDistance = mProjectionDistance / viewCos;

    if (!mCastingFrame)
    {
        // A frame marks the cells around the eye once for all its columns.
        MarkSurroundings(map, px, py);
    }
    Walk xWalk = StartX(px, py, angle);
    Walk yWalk = StartY(px, py, angle);
    WalkHit xHit;
    WalkHit yHit;
    double xDistance = NO_LIMIT;
    double yDistance = NO_LIMIT;
    for (;;)
    {
        WalkBoth(view, xWalk, yWalk, xHit, yHit, xDistance, yDistance);
        // A tie goes to the horizontal line. A walk still on its way would
        // meet its wall further than the other's.
        const bool horizontal = yWalk.done && (!xWalk.done || yDistance <= xDistance);
        const WalkHit& chosen = horizontal ? yHit : xHit;
        const RayHit& hit = chosen.hit;
        if (column.count >= MAX_SLICES)
        {
            // A full column takes no more strips; what lies further is not drawn.
            break;
        }
        Slice& slice = column.slices[static_cast<std::size_t>(column.count++)];
        slice.textureName = {};
        slice.image = nullptr;
        // Measured along the view direction, so that walls do not bend.
        slice.distance = ((horizontal ? yDistance : xDistance) + DEPTH_EPSILON) * viewCos;
        slice.scale = mProjectionDistance / slice.distance;
        slice.textureColumn = TruncToInt(chosen.along) & (TILE_SIZE - 1);
        slice.textureIndex = hit.tile - 1;
        slice.tileX = hit.tileX;
        slice.tileY = hit.tileY;
        const TextureFlagsType& flags =
            view.textureFlags[static_cast<std::size_t>(slice.textureIndex)];
        slice.isDoor = flags.isDoor;
        slice.isSprite = false;
        slice.ceilingFactor = planeDistance * (TILE_SIZE - eyeHeight);
        slice.floorFactor = planeDistance * eyeHeight;
        if (!flags.seeThrough)
        {
            break;
        }
        // Look through the cell: clear it in the tiles for the walks and put
        // it back afterwards (the walks read the walls through the tiles only;
        // the map stays as it is). Only a walk that stopped at the cleared
        // cell meets something new.
        mErased.push_back(
            {hit.tileX, hit.tileY, map.GetTile(hit.tileX, hit.tileY, TileType::WallsAndDoors)});
        if (map.IsInside(hit.tileX, hit.tileY))
        {
            mGrid.SetSolid(hit.tileX, hit.tileY, false);
        }
        if (Reopen(map, xWalk))
        {
            xDistance = NO_LIMIT;
        }
        if (Reopen(map, yWalk))
        {
            yDistance = NO_LIMIT;
        }
    }
    KeepTail(columnIndex, xWalk.done ? yWalk : xWalk, !xWalk.done);
    for (const TemporaryErasedType& erased : mErased)
    {
        if (map.IsInside(erased.x, erased.y))
        {
            mGrid.SetSolid(erased.x, erased.y, erased.value != 0);
        }
    }
}

QUILL_INLINE_STEP void Raycaster::WalkBoth(const WorldView& view, Walk& xWalk, Walk& yWalk,
                                           WalkHit& xHit, WalkHit& yHit, double& xDistance,
                                           double& yDistance)
{
    const Map& map = view.map;
    // A column on its own walks both to their ends. In a frame the walk that
    // crosses its lines more often (the one less likely to jump a wall) goes
    // first to its end, then the other only as long as its wall could be the
    // nearer: what lies beyond the nearest wall costs nothing (Tail).
    const bool xFirst = std::fabs(xWalk.stepAlong) <= std::fabs(yWalk.stepAlong);
    const bool limited = mCastingFrame;
    for (int turn = 0; turn < 2; ++turn)
    {
        if (xFirst == (turn == 0) && !xWalk.done)
        {
            const bool done = limited && yWalk.done ? WalkOn<true, true>(map, xWalk, yDistance)
                                                    : WalkOn<true, false>(map, xWalk, NO_LIMIT);
            if (done)
            {
                xHit = FinishX(view, xWalk);
                xDistance = CrossingDistance(xWalk, xHit.along);
            }
        }
        if (xFirst != (turn == 0) && !yWalk.done)
        {
            const bool done = limited && xWalk.done ? WalkOn<false, true>(map, yWalk, xDistance)
                                                    : WalkOn<false, false>(map, yWalk, NO_LIMIT);
            if (done)
            {
                yHit = FinishY(view, yWalk);
                yDistance = CrossingDistance(yWalk, yHit.along);
            }
        }
    }
}

// --- The walks behind the walls ---

void Raycaster::KeepTail(int columnIndex, const Walk& walk, bool xWalk)
{
    if (!mCastingFrame)
    {
        // A column on its own walks to the ends; a frame's tails stay as they are.
        return;
    }
    Tail& tail = mTails[static_cast<std::size_t>(columnIndex)];
    tail.pending = !walk.done;
    if (!tail.pending)
    {
        return;
    }
    tail.walk = walk;
    tail.xWalk = xWalk;
    tail.erasedCount = static_cast<int>(mErased.size());
    for (std::size_t i = 0; i < mErased.size(); ++i)
    {
        tail.erasedX[i] = mErased[i].x;
        tail.erasedY[i] = mErased[i].y;
    }
    mTailsPending = true;
}

void Raycaster::FinishTail(const Map& map, int columnIndex)
{
    Tail& tail = mTails[static_cast<std::size_t>(columnIndex)];
    if (!tail.pending)
    {
        return;
    }
    tail.pending = false;
    // The walk goes on as it would have in its column: through the cells the
    // column looked through.
    for (int i = 0; i < tail.erasedCount; ++i)
    {
        if (map.IsInside(tail.erasedX[i], tail.erasedY[i]))
        {
            mGrid.Solid(map, tail.erasedX[i], tail.erasedY[i]);
            mGrid.SetSolid(tail.erasedX[i], tail.erasedY[i], false);
        }
    }
    Walk walk = tail.walk;
    if (tail.xWalk)
    {
        WalkX(map, walk);
    }
    else
    {
        WalkY(map, walk);
    }
    for (int i = tail.erasedCount - 1; i >= 0; --i)
    {
        if (map.IsInside(tail.erasedX[i], tail.erasedY[i]))
        {
            mGrid.SetSolid(tail.erasedX[i], tail.erasedY[i], true);
        }
    }
}

void Raycaster::FinishAllTails(const Map& map)
{
    if (!mTailsPending)
    {
        return;
    }
    for (int column = 0; column < mTailCount; ++column)
    {
        FinishTail(map, column);
    }
    mTailsPending = false;
}

bool Raycaster::OutsideView(double left, double right, double top, double bottom) const
{
    // The rays of the frame lie between the directions one angle unit before
    // the first and after the last; a box entirely on the far side of either
    // edge's line meets none of them.
    const auto direction = [&](int unit)
    {
        const std::size_t angle =
            static_cast<std::size_t>((unit % FULL_TURN + FULL_TURN) % FULL_TURN);
        return std::pair<double, double>{mCos[angle], mSin[angle]};
    };
    const auto [firstX, firstY] = direction(mTailFirstAngle - 1);
    const auto [lastX, lastY] = direction(mTailFirstAngle + mTailCount);
    bool beforeFirst = true;
    bool afterLast = true;
    for (const double cornerX : {left, right})
    {
        for (const double cornerY : {top, bottom})
        {
            beforeFirst = beforeFirst && firstX * cornerY - firstY * cornerX < 0;
            afterLast = afterLast && cornerX * lastY - cornerY * lastX < 0;
        }
    }
    return beforeFirst || afterLast;
}

void Raycaster::FinishTailsThrough(const Map& map, int x, int y)
{
    // A walk marks a cell where the ray crosses one of its edges, give or take
    // the rounding of its sums: only rays that come within a unit of the cell
    // can. Those are the rays whose direction lies within the angles that the
    // cell, grown by a unit, spans from the eye.
    constexpr double MARGIN = 1;
    const double left = x * TILE_SIZE - MARGIN - mTailEyeX;
    const double right = (x + 1) * TILE_SIZE + MARGIN - mTailEyeX;
    const double top = y * TILE_SIZE - MARGIN - mTailEyeY;
    const double bottom = (y + 1) * TILE_SIZE + MARGIN - mTailEyeY;
    if (left <= 0 && right >= 0 && top <= 0 && bottom >= 0)
    {
        // The eye is at the cell: any ray may pass it.
        FinishAllTails(map);
        return;
    }
    if (OutsideView(left, right, top, bottom))
    {
        return;
    }
    // The angles need not be exact: the range of rays found is widened by
    // more than their error.
    const double centre = RoughAtan2((top + bottom) * 0.5, (left + right) * 0.5);
    double low = 0;
    double high = 0;
    for (const double cornerX : {left, right})
    {
        for (const double cornerY : {top, bottom})
        {
            double offset = RoughAtan2(cornerY, cornerX) - centre;
            offset = offset > QuillUtils::PI    ? offset - 2 * QuillUtils::PI
                     : offset < -QuillUtils::PI ? offset + 2 * QuillUtils::PI
                                                : offset;
            low = std::min(low, offset);
            high = std::max(high, offset);
        }
    }
    // Ray angle i points at i * pi / 960 + RAY_ANGLE_OFFSET.
    constexpr double UNITS_PER_RADIAN = HALF_TURN / QuillUtils::PI;
    // The rounding of the sums, and three rough angles' errors (the centre's
    // and two corners').
    constexpr double ANGLE_MARGIN = 1e-6 + 3 * ROUGH_ATAN2_ERROR;
    const double middle = (centre - RAY_ANGLE_OFFSET) * UNITS_PER_RADIAN;
    const long long first =
        static_cast<long long>(std::floor(middle + (low - ANGLE_MARGIN) * UNITS_PER_RADIAN));
    const long long last =
        static_cast<long long>(std::ceil(middle + (high + ANGLE_MARGIN) * UNITS_PER_RADIAN));
    // The columns of those angles, the first found once and the rest counted
    // on around the turn.
    long long column = ((first - mTailFirstAngle) % FULL_TURN + FULL_TURN) % FULL_TURN;
    for (long long unit = first; unit <= last; ++unit)
    {
        if (column < mTailCount && mTails[static_cast<std::size_t>(column)].pending)
        {
            FinishTail(map, static_cast<int>(column));
        }
        column = column + 1 < FULL_TURN ? column + 1 : 0;
    }
}

// --- The frame ---

void Raycaster::RayCaster(const WorldView& view)
{
    if (view.images.GetImage("walls") == nullptr ||
        view.images.GetImage("ceilingsAndFloors") == nullptr)
    {
        return;
    }
    ClearVisibility(view.map);
    CastColumns(view);
    ProjectEntities(view);
    DrawColumns(view);
}

void Raycaster::ProjectEntities(const WorldView& view)
{
    const Map& map = view.map;
    const Entity* player = &view.player;
    SDL_Surface* frame = view.frame;
    const int px = TruncToInt(player->mX);
    const int py = TruncToInt(player->mY);
    mSprites.clear();
    std::size_t order = 0;
    for (const auto& owned : view.entities)
    {
        Entity* entity = owned.get();
        ++order;
        const int cellX = TruncToInt(entity->mX) / TILE_SIZE;
        const int cellY = TruncToInt(entity->mY) / TILE_SIZE;
        if (!entity->mAlive || !IsVisible(map, cellX, cellY))
        {
            continue;
        }
        const double u = (entity->mX - px) * QuillUtils::DEGREES_TO_RADIANS;
        const double v = (entity->mY - py) * QuillUtils::DEGREES_TO_RADIANS;
        const double relative = std::atan2(v, u) - player->mAngle * QuillUtils::ANGLE_TO_RADIANS;
        const double depth = std::cos(relative) * std::sqrt(u * u + v * v) + DEPTH_EPSILON;
        const double size = mProjectionDistance / depth;
        if (size <= 0)
        {
            // Behind the eye.
            continue;
        }
        entity->mDistance = TruncToInt(depth * QuillUtils::RADIANS_TO_DEGREES);
        if (entity->mDistance <= MIN_SPRITE_DEPTH)
        {
            // Too close to see (the player itself stands at depth 0).
            continue;
        }
        entity->mScreenSize = TruncToInt(size);
        entity->mScreenX =
            TruncToInt(std::tan(relative) * mProjectionDistance + frame->w * 0.5 - size * 0.5);
        mSprites.push_back({entity, order});
    }
    // Farthest first; at equal depth in the order of the entity list.
    std::sort(mSprites.begin(), mSprites.end(),
              [](const SpriteEntry& a, const SpriteEntry& b)
              {
                  if (a.entity->mDistance != b.entity->mDistance)
                  {
                      return a.entity->mDistance > b.entity->mDistance;
                  }
                  return a.order < b.order;
              });
    for (const SpriteEntry& sprite : mSprites)
    {
        RenderEntity(frame, sprite.entity, &view.images);
    }
}

void Raycaster::RenderEntity(SDL_Surface* frame, Entity* entity, const ImageManager* images)
{
    if (frame == nullptr || entity->mTextureName.empty() || entity->mScreenSize < 1 ||
        entity->mDistance < 1)
    {
        return;
    }
    // A 16.16 fixed-point walk through the 64 texture columns.
    const int step = TruncToInt(64.0 / entity->mScreenSize * FIXED_ONE);
    const double scale = mProjectionDistance / entity->mDistance;
    if (entity->mScreenX >= frame->w)
    {
        entity->mScreenX = frame->w - 1;
    }
    if (entity->mType == EntityType::Enemy)
    {
        entity->mSourceRect.x = TILE_SIZE * entity->mAnimationFrame;
    }
    // Looked up once here; a missing image fails when the strips are drawn.
    SDL_Surface* image = images != nullptr ? images->GetImage(entity->mTextureName) : nullptr;
    const int columns = ColumnCount(frame);
    // Only the strips that fall on the screen.
    const long long first = std::max(0LL, -static_cast<long long>(entity->mScreenX));
    const long long last =
        std::min(static_cast<long long>(entity->mScreenSize),
                 static_cast<long long>(columns) - static_cast<long long>(entity->mScreenX));
    const double distance = entity->mDistance;
    for (long long i = first; i < last; ++i)
    {
        Column& column =
            mColumns[static_cast<std::size_t>(static_cast<long long>(entity->mScreenX) + i)];
        // The strip goes in front of the first strip that lies further away.
        int j = 0;
        while (j < column.count && column.slices[static_cast<std::size_t>(j)].distance <= distance)
        {
            ++j;
        }
        if (j >= column.count)
        {
            continue;
        }
        // In a full column the farthest strip drops out.
        for (int k = std::min(column.count, MAX_SLICES - 1); k > j; --k)
        {
            column.slices[static_cast<std::size_t>(k)] =
                column.slices[static_cast<std::size_t>(k - 1)];
        }
        column.count = std::min(column.count + 1, MAX_SLICES);
        // The ceiling and floor factors stay those of the column.
        Slice& slice = column.slices[static_cast<std::size_t>(j)];
        slice.textureIndex = -1;
        slice.scale = scale;
        slice.distance = distance;
        slice.textureColumn = static_cast<double>(static_cast<int>(i) * step / FIXED_ONE);
        slice.tileX = entity->mSourceRect.x;
        slice.tileY = entity->mSourceRect.y;
        slice.textureName = entity->mTextureName;
        slice.image = image;
        slice.isDoor = false;
        slice.isSprite = true;
    }
}

void Raycaster::DrawColumns(const WorldView& view)
{
    mPainter.Paint(view, mColumns, ColumnCount(view.frame), mAnimations, *this);
}

void Raycaster::RotateAnimations()
{
    for (AnimationsType& animation : mAnimations)
    {
        if (!animation.running)
        {
            continue;
        }
        if (--animation.counter <= 0)
        {
            if (++animation.frame >= animation.frameCount)
            {
                animation.frame = 0;
            }
            animation.counter = animation.delay;
        }
    }
}
