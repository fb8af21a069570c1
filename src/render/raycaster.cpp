#include "render/raycaster.h"

#include "core/game.h"
#include "core/utils.h"
#include "world/grid_math.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double DEPTH_EPSILON = 1e-10;
// Strips of sprites nearer than this are not drawn.
constexpr int MIN_SPRITE_DEPTH = 15;
constexpr int FIXED_ONE = 65536;
constexpr int HALF_TURN = FULL_TURN / 2;
constexpr int QUARTER_TURN = FULL_TURN / 4;
constexpr int EYE_MARGIN = 16;
// Sprites in sight that the list holds without growing.
constexpr std::size_t SPRITES_RESERVED = 512;
} // namespace

Raycaster::Raycaster()
{
    mErased.reserve(MAX_SLICES);
    mSprites.reserve(SPRITES_RESERVED);
}

// --- Tables ---

void Raycaster::Init(Game* game)
{
    mAnimations.clear();
    for (TextureFlagsType& flags : game->mTextureFlags)
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
    BuildLight(game->mFramework->GetSurface()->w);
    BuildTables();
    mPainter.Init(*this);
}

// --- Visibility ---

void Raycaster::SetVisArray(int width, int height)
{
    mGrid.Reset(width, height);
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
}

bool Raycaster::IsVisible(const Map& map, int x, int y) const
{
    return map.IsInside(x, y) && x < mGrid.Width() && y < mGrid.Height() && mGrid.Seen(x, y);
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
    return walk;
}

template <bool XWalk> void Raycaster::WalkOn(const Map& map, Walk& walk)
{
    // The grid and the tiles are the same size (FitGrid), or both empty.
    const int width = mGrid.Width();
    const int height = mGrid.Height();
    const double alongLimit = static_cast<double>(TILE_SIZE) * (XWalk ? height : width);
    const std::int32_t* walls = map.mWalls.data();
    // The walk in locals: the marks go to memory the compiler cannot tell apart.
    int line = walk.line;
    double along = walk.along;
    const int step = walk.step;
    const double stepAlong = walk.stepAlong;
    // The cell across the line moves one cell a step.
    int lineCell = TileOf(line + walk.side);
    const int lineStep = step > 0 ? 1 : -1;
    int cellX = 0;
    int cellY = 0;
    for (;;)
    {
        // Within the map the coordinate is not negative: truncating rounds down.
        const int alongCell =
            along >= 0 && along < alongLimit ? static_cast<int>(along) >> 6 : TileOf(along);
        cellX = XWalk ? lineCell : alongCell;
        cellY = XWalk ? alongCell : lineCell;
        if (cellX < 0 || cellY < 0 || cellX >= width || cellY >= height)
        {
            // The ray left the map: it ends on the solid outside.
            walk.inside = false;
            break;
        }
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
        along += stepAlong;
        line += step;
        lineCell += lineStep;
    }
    walk.line = line;
    walk.along = along;
    walk.cellX = cellX;
    walk.cellY = cellY;
}

bool Raycaster::ResumeX(const Map& map, Walk& walk)
{
    if (!walk.inside || map.GetTile(walk.cellX, walk.cellY, TileType::WallsAndDoors) != 0)
    {
        return false;
    }
    // A cast from the eye would pass through the cleared cell as through every
    // empty cell before it, and meet what lies behind it.
    MarkVisible(map, walk.cellX, walk.cellY);
    walk.along += walk.stepAlong;
    walk.line += walk.step;
    WalkX(map, walk);
    return true;
}

bool Raycaster::ResumeY(const Map& map, Walk& walk)
{
    if (!walk.inside || map.GetTile(walk.cellX, walk.cellY, TileType::WallsAndDoors) != 0)
    {
        return false;
    }
    MarkVisible(map, walk.cellX, walk.cellY);
    walk.along += walk.stepAlong;
    walk.line += walk.step;
    WalkY(map, walk);
    return true;
}

Raycaster::WalkHit Raycaster::FinishX(Game* game, const Walk& walk) const
{
    const Map& map = *game->mMap;
    std::int32_t wall = OUTSIDE_WALL;
    if (walk.inside)
    {
        wall = WallNumberOf(map, walk.value, TileOf(walk.line + (walk.side == 0 ? -1 : 1)),
                            TileOf(walk.along));
    }
    WalkHit result{{wall, walk.cellX, walk.cellY}, walk.along, walk.line};
    if (game->mTextureFlags[static_cast<std::size_t>(wall - 1)].halfDepth)
    {
        result.along += 0.5 * walk.stepAlong;
        result.line += walk.step / 2;
    }
    return result;
}

Raycaster::WalkHit Raycaster::FinishY(Game* game, const Walk& walk) const
{
    const Map& map = *game->mMap;
    std::int32_t wall = OUTSIDE_WALL;
    if (walk.inside)
    {
        wall = WallNumberOf(map, walk.value, TileOf(walk.along),
                            TileOf(walk.line + (walk.side == 0 ? -1 : 1)));
    }
    WalkHit result{{wall, walk.cellX, walk.cellY}, walk.along, walk.line};
    if (game->mTextureFlags[static_cast<std::size_t>(wall - 1)].halfDepth)
    {
        result.along += 0.5 * walk.stepAlong;
        result.line += walk.step / 2;
    }
    return result;
}

RayHit Raycaster::CastXRay(Game* game, int px, int py, int angle, int& tileX, int& tileY,
                           double& hitY, int& hitX)
{
    const Map& map = *game->mMap;
    FitGrid(map);
    mGrid.RefreshWalls();
    Walk walk = StartX(px, py, angle);
    MarkSurroundings(map, px, py);
    WalkX(map, walk);
    const WalkHit result = FinishX(game, walk);
    hitY = result.along;
    hitX = result.line;
    tileX = result.hit.tileX;
    tileY = result.hit.tileY;
    return result.hit;
}

RayHit Raycaster::CastYRay(Game* game, int px, int py, int angle, int& tileX, int& tileY,
                           double& hitX, int& hitY)
{
    const Map& map = *game->mMap;
    FitGrid(map);
    mGrid.RefreshWalls();
    Walk walk = StartY(px, py, angle);
    MarkSurroundings(map, px, py);
    WalkY(map, walk);
    const WalkHit result = FinishY(game, walk);
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

void Raycaster::CastColumns(Game* game, const Entity* player, SDL_Surface* frame)
{
    const int px = TruncToInt(player->mX);
    const int py = TruncToInt(player->mY);
    FitGrid(*game->mMap);
    // The walls read from the map once for all the columns.
    mGrid.RefreshWalls();
    mCastingFrame = true;
    for (int column = 0; column < ColumnCount(frame); ++column)
    {
        CastColumn(game, column, RayAngle(player->mAngle, column), px, py, player->mZ);
    }
    mCastingFrame = false;
}

void Raycaster::CastColumn(Game* game, int columnIndex, int angle, int px, int py, double eyeHeight)
{
    Map& map = *game->mMap;
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
    const double invSin = mInvSin[static_cast<std::size_t>(angle)];
    const double invCos = mInvCos[static_cast<std::size_t>(angle)];

    MarkSurroundings(map, px, py);
    Walk xWalk = StartX(px, py, angle);
    Walk yWalk = StartY(px, py, angle);
    WalkX(map, xWalk);
    WalkY(map, yWalk);
    WalkHit xHit = FinishX(game, xWalk);
    WalkHit yHit = FinishY(game, yWalk);
    for (;;)
    {
        const double xDistance = (xHit.along - py) * invSin;
        const double yDistance = (yHit.along - px) * invCos;
        // A tie goes to the horizontal line.
        const bool horizontal = yDistance <= xDistance;
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
            game->mTextureFlags[static_cast<std::size_t>(slice.textureIndex)];
        slice.isDoor = flags.isDoor;
        slice.isSprite = false;
        slice.ceilingFactor = planeDistance * (TILE_SIZE - eyeHeight);
        slice.floorFactor = planeDistance * eyeHeight;
        if (!flags.seeThrough)
        {
            break;
        }
        // Look through the cell: clear it for the walks and put it back afterwards.
        // Only a walk that stopped at the cleared cell meets something new.
        mErased.push_back(
            {hit.tileX, hit.tileY, map.GetTile(hit.tileX, hit.tileY, TileType::WallsAndDoors)});
        map.SetTile(hit.tileX, hit.tileY, 0, TileType::WallsAndDoors);
        if (map.IsInside(hit.tileX, hit.tileY))
        {
            mGrid.SetSolid(hit.tileX, hit.tileY, false);
        }
        if (ResumeX(map, xWalk))
        {
            xHit = FinishX(game, xWalk);
        }
        if (ResumeY(map, yWalk))
        {
            yHit = FinishY(game, yWalk);
        }
    }
    for (const TemporaryErasedType& erased : mErased)
    {
        map.SetTile(erased.x, erased.y, erased.value, TileType::WallsAndDoors);
        if (map.IsInside(erased.x, erased.y))
        {
            mGrid.SetSolid(erased.x, erased.y, erased.value != 0);
        }
    }
}

// --- The frame ---

void Raycaster::RayCaster(Game* game)
{
    SDL_Surface* walls = game->mImageManager->GetImage("walls");
    SDL_Surface* floors = game->mImageManager->GetImage("ceilingsAndFloors");
    if (walls == nullptr || floors == nullptr)
    {
        return;
    }
    const Entity* player = game->GetPlayer();
    SDL_Surface* frame = game->mFramework->mSurface.Get<SDL_Surface>();
    ClearVisibility(*game->mMap);
    CastColumns(game, player, frame);
    ProjectEntities(game, frame, player);
    DrawColumns(game, frame, player);
}

void Raycaster::ProjectEntities(Game* game, SDL_Surface* frame, const Entity* player)
{
    const Map& map = *game->mMap;
    const int px = TruncToInt(player->mX);
    const int py = TruncToInt(player->mY);
    mSprites.clear();
    std::size_t order = 0;
    for (const auto& owned : game->mEntities)
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
        RenderEntity(frame, sprite.entity);
    }
}

void Raycaster::RenderEntity(SDL_Surface* frame, Entity* entity)
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
    SDL_Surface* image = entity->mGame != nullptr && entity->mGame->mImageManager != nullptr
                             ? entity->mGame->mImageManager->GetImage(entity->mTextureName)
                             : nullptr;
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

void Raycaster::DrawColumns(Game* game, SDL_Surface* frame, const Entity* player)
{
    mPainter.Paint(game, frame, player, mColumns, ColumnCount(frame), mAnimations, *this);
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
