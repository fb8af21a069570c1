#include "reference/reference_raycaster.h"

#include "core/image_manager.h"
#include "core/utils.h"
#include "render/surface_lock.h"
#include "world/entity.h"
#include "world/grid_math.h"
#include "world/map.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace
{
constexpr double DEPTH_EPSILON = 1e-10;
// Strips of sprites and doors nearer than this are not drawn.
constexpr int MIN_SPRITE_DEPTH = 15;
constexpr int FIXED_ONE = 65536;
constexpr int HALF_TURN = FULL_TURN / 2;
constexpr int QUARTER_TURN = FULL_TURN / 4;
constexpr int EYE_MARGIN = 16;

// Draws one texel into the frame, darkened by the light; transparent texels
// leave the frame as it is.
void PutTexel(SDL_Surface* frame, int x, int y, SDL_Surface* source, int sourceX, int sourceY,
              double light)
{
    const std::uint32_t texel = QuillUtils::GetPixel(source, sourceX, sourceY);
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    Uint8 a = 0;
    SDL_GetRGBA(texel, source->format, &r, &g, &b, &a);
    if (a == 0)
    {
        return;
    }
    QuillUtils::SetPixel(
        frame, x, y,
        QuillUtils::ShadePixel(source->format, texel, light, RaycasterTables::MAX_LIGHT));
}

void PutDark(SDL_Surface* frame, int x, int y)
{
    QuillUtils::SetPixel(frame, x, y, SDL_MapRGB(frame->format, 0, 0, 0));
}
} // namespace

// --- Tables ---

void ReferenceRaycaster::Init(std::vector<TextureFlagsType>& textureFlags, int viewWidth)
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
}

// --- Visibility ---

void ReferenceRaycaster::SetVisArray(int width, int height)
{
    const std::size_t cells =
        width > 0 && height > 0 ? static_cast<std::size_t>(width) * height : 0;
    mVisible.assign(cells, false);
}

void ReferenceRaycaster::ClearVisibility(const Map& map)
{
    const std::size_t cells =
        map.mWidth > 0 && map.mHeight > 0 ? static_cast<std::size_t>(map.mWidth) * map.mHeight : 0;
    if (mVisible.size() != cells)
    {
        SetVisArray(map.mWidth, map.mHeight);
        return;
    }
    std::fill(mVisible.begin(), mVisible.end(), false);
}

bool ReferenceRaycaster::IsVisible(const Map& map, int x, int y) const
{
    if (!map.IsInside(x, y))
    {
        return false;
    }
    const std::size_t cell = static_cast<std::size_t>(y) * map.mWidth + x;
    return cell < mVisible.size() && mVisible[cell];
}

void ReferenceRaycaster::MarkVisible(const Map& map, int x, int y)
{
    if (!map.IsInside(x, y))
    {
        return;
    }
    const std::size_t cell = static_cast<std::size_t>(y) * map.mWidth + x;
    if (cell < mVisible.size())
    {
        mVisible[cell] = true;
    }
}

void ReferenceRaycaster::MarkSurroundings(const Map& map, int px, int py)
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

std::int32_t ReferenceRaycaster::WallNumberOf(const Map& map, std::int32_t value, int nearX,
                                              int nearY)
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

std::int32_t ReferenceRaycaster::WallAt(const Map& map, int x, int y) const
{
    for (const TemporaryErasedType& erased : mErased)
    {
        if (erased.x == x && erased.y == y)
        {
            return 0;
        }
    }
    return map.GetTile(x, y, TileType::WallsAndDoors);
}

RayHit ReferenceRaycaster::CastXRay(const WorldView& view, int px, int py, int angle, int& tileX,
                                    int& tileY, double& hitY, int& hitX)
{
    const Map& map = view.map;
    int gridX = px & ~(TILE_SIZE - 1);
    int side = 0;
    int step = TILE_SIZE;
    if (angle >= QUARTER_TURN && angle <= 3 * QUARTER_TURN - 1)
    {
        side = -1;
        step = -TILE_SIZE;
    }
    else
    {
        gridX += TILE_SIZE;
    }
    double y = py + (gridX - px) * mTan[angle];
    MarkSurroundings(map, px, py);

    int cellX = 0;
    int cellY = 0;
    std::int32_t wall = OUTSIDE_WALL;
    for (;;)
    {
        cellX = TileOf(gridX + side);
        cellY = TileOf(y);
        if (!map.IsInside(cellX, cellY))
        {
            // The ray left the map: it ends on the solid outside.
            break;
        }
        const std::int32_t value = WallAt(map, cellX, cellY);
        if (value != 0)
        {
            wall = WallNumberOf(map, value, TileOf(gridX + (side == 0 ? -1 : 1)), TileOf(y));
            break;
        }
        MarkVisible(map, cellX, cellY);
        y += mStepY[angle];
        gridX += step;
    }
    if (view.textureFlags[static_cast<std::size_t>(wall - 1)].halfDepth)
    {
        y += 0.5 * mStepY[angle];
        gridX += step / 2;
    }
    hitY = y;
    hitX = gridX;
    tileX = cellX;
    tileY = cellY;
    return {wall, cellX, cellY};
}

RayHit ReferenceRaycaster::CastYRay(const WorldView& view, int px, int py, int angle, int& tileX,
                                    int& tileY, double& hitX, int& hitY)
{
    const Map& map = view.map;
    int gridY = py & ~(TILE_SIZE - 1);
    int side = 0;
    int step = TILE_SIZE;
    if (angle < HALF_TURN)
    {
        gridY += TILE_SIZE;
    }
    else
    {
        side = -1;
        step = -TILE_SIZE;
    }
    double x = px + (gridY - py) * mInvTan[angle];
    MarkSurroundings(map, px, py);

    int cellX = 0;
    int cellY = 0;
    std::int32_t wall = OUTSIDE_WALL;
    for (;;)
    {
        cellX = TileOf(x);
        cellY = TileOf(gridY + side);
        if (!map.IsInside(cellX, cellY))
        {
            break;
        }
        const std::int32_t value = WallAt(map, cellX, cellY);
        if (value != 0)
        {
            wall = WallNumberOf(map, value, TileOf(x), TileOf(gridY + (side == 0 ? -1 : 1)));
            break;
        }
        MarkVisible(map, cellX, cellY);
        x += mStepX[angle];
        gridY += step;
    }
    if (view.textureFlags[static_cast<std::size_t>(wall - 1)].halfDepth)
    {
        x += 0.5 * mStepX[angle];
        gridY += step / 2;
    }
    hitX = x;
    hitY = gridY;
    tileX = cellX;
    tileY = cellY;
    return {wall, cellX, cellY};
}

int ReferenceRaycaster::ColumnCount(const SDL_Surface* frame)
{
    return std::min(frame->w, MAX_COLUMNS);
}

void ReferenceRaycaster::CastColumns(const WorldView& view)
{
    const Entity* player = &view.player;
    const int px = TruncToInt(player->mX);
    const int py = TruncToInt(player->mY);
    for (int column = 0; column < ColumnCount(view.frame); ++column)
    {
        CastColumn(view, column, RayAngle(player->mAngle, column), px, py, player->mZ);
    }
}

void ReferenceRaycaster::CastColumn(const WorldView& view, int columnIndex, int angle, int px,
                                    int py, double eyeHeight)
{
    const Map& map = view.map;
    Column& column = mColumns[static_cast<std::size_t>(columnIndex)];
    column.count = 0;
    mErased.clear();
    const double viewCos = mViewCos[static_cast<std::size_t>(columnIndex)];
    const double planeDistance = mProjectionDistance / viewCos;
    for (;;)
    {
        int xTileX = 0;
        int xTileY = 0;
        int xLine = 0;
        double xHitY = 0;
        int yTileX = 0;
        int yTileY = 0;
        int yLine = 0;
        double yHitX = 0;
        const RayHit xHit = CastXRay(view, px, py, angle, xTileX, xTileY, xHitY, xLine);
        const RayHit yHit = CastYRay(view, px, py, angle, yTileX, yTileY, yHitX, yLine);
        const double xDistance = (xHitY - py) * mInvSin[angle];
        const double yDistance = (yHitX - px) * mInvCos[angle];
        // A tie goes to the horizontal line.
        const bool horizontal = yDistance <= xDistance;
        const RayHit& hit = horizontal ? yHit : xHit;
        if (column.count >= MAX_SLICES)
        {
            // A full column takes no more strips; what lies further is not drawn.
            break;
        }
        ColumnSlice& slice = column.slices[static_cast<std::size_t>(column.count++)];
        slice.textureName.clear();
        // Measured along the view direction, so that walls do not bend.
        slice.distance = ((horizontal ? yDistance : xDistance) + DEPTH_EPSILON) * viewCos;
        slice.scale = mProjectionDistance / slice.distance;
        slice.textureColumn = TruncToInt(horizontal ? yHitX : xHitY) & (TILE_SIZE - 1);
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
        // Look through the cell: it counts as empty for the next cast and
        // holds its wall again afterwards.
        mErased.push_back(
            {hit.tileX, hit.tileY, map.GetTile(hit.tileX, hit.tileY, TileType::WallsAndDoors)});
    }
    mErased.clear();
}

// --- The frame ---

void ReferenceRaycaster::RayCaster(const WorldView& view)
{
    SDL_Surface* walls = view.images.GetImage("walls");
    SDL_Surface* floors = view.images.GetImage("ceilingsAndFloors");
    if (walls == nullptr || floors == nullptr)
    {
        return;
    }
    ClearVisibility(view.map);
    CastColumns(view);
    ProjectEntities(view);
    DrawColumns(view);
}

void ReferenceRaycaster::ProjectEntities(const WorldView& view)
{
    const Map& map = view.map;
    const Entity* player = &view.player;
    SDL_Surface* frame = view.frame;
    const int px = TruncToInt(player->mX);
    const int py = TruncToInt(player->mY);
    std::vector<Entity*> sprites;
    for (const auto& owned : view.entities)
    {
        Entity* entity = owned.get();
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
        sprites.push_back(entity);
    }
    std::stable_sort(sprites.begin(), sprites.end(),
                     [](const Entity* a, const Entity* b) { return a->mDistance > b->mDistance; });
    for (Entity* sprite : sprites)
    {
        RenderEntity(frame, sprite);
    }
}

void ReferenceRaycaster::RenderEntity(SDL_Surface* frame, Entity* entity)
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
    const int columns = ColumnCount(frame);
    for (int i = 0; i < entity->mScreenSize; ++i)
    {
        const long long columnIndex = static_cast<long long>(entity->mScreenX) + i;
        if (columnIndex < 0 || columnIndex >= columns)
        {
            continue;
        }
        Column& column = mColumns[static_cast<std::size_t>(columnIndex)];
        // The strip goes in front of the first strip that lies further away.
        int j = 0;
        while (j < column.count &&
               column.slices[static_cast<std::size_t>(j)].distance <= entity->mDistance)
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
        ColumnSlice& slice = column.slices[static_cast<std::size_t>(j)];
        slice.textureIndex = -1;
        slice.scale = scale;
        slice.distance = entity->mDistance;
        slice.textureColumn = static_cast<double>(i * step / FIXED_ONE);
        slice.tileX = entity->mSourceRect.x;
        slice.tileY = entity->mSourceRect.y;
        slice.textureName = entity->mTextureName;
        slice.isDoor = false;
        slice.isSprite = true;
    }
}

void ReferenceRaycaster::DrawColumns(const WorldView& view)
{
    SDL_Surface* frame = view.frame;
    SDL_Surface* walls = view.images.GetImage("walls");
    SDL_Surface* floors = view.images.GetImage("ceilingsAndFloors");
    if (walls == nullptr || floors == nullptr)
    {
        return;
    }
    const SurfaceLock frameLock(frame);
    if (!frameLock.Locked())
    {
        return;
    }
    const SurfaceLock floorsLock(floors);
    if (!floorsLock.Locked())
    {
        return;
    }
    const SurfaceLock wallsLock(walls);
    if (!wallsLock.Locked())
    {
        return;
    }
    for (int column = 0; column < ColumnCount(frame); ++column)
    {
        const int angle = RayAngle(view.player.mAngle, column);
        const Column& strips = mColumns[static_cast<std::size_t>(column)];
        // Farthest first, so that nearer strips cover what lies behind them.
        for (int s = strips.count - 1; s >= 0; --s)
        {
            DrawSlice(view, walls, floors, column, angle,
                      strips.slices[static_cast<std::size_t>(s)]);
        }
    }
}

SDL_Surface* ReferenceRaycaster::SliceSource(const WorldView& view, SDL_Surface* walls,
                                             const ColumnSlice& slice, SDL_Point& origin) const
{
    if (slice.isSprite)
    {
        SDL_Surface* image = view.images.GetImage(slice.textureName);
        if (image == nullptr)
        {
            throw std::runtime_error("Couldn't get entity texture with key: " + slice.textureName);
        }
        origin = {slice.tileX, slice.tileY};
        return image;
    }
    if (slice.isDoor)
    {
        origin = {0, 0};
        return view.map.GetDoor(slice.tileX, slice.tileY)->surface.Get<SDL_Surface>();
    }
    const TextureFlagsType& flags = view.textureFlags[static_cast<std::size_t>(slice.textureIndex)];
    std::size_t rectangle = static_cast<std::size_t>(slice.textureIndex);
    if (flags.animated)
    {
        rectangle += static_cast<std::size_t>(
            mAnimations[static_cast<std::size_t>(flags.animationIndex)].frame);
    }
    const SDL_Rect& rect = view.wallRects.at(rectangle);
    origin = {rect.x, rect.y};
    return walls;
}

void ReferenceRaycaster::DrawSlice(const WorldView& view, SDL_Surface* walls, SDL_Surface* floors,
                                   int column, int angle, const ColumnSlice& slice)
{
    SDL_Surface* frame = view.frame;
    SDL_Point origin{0, 0};
    SDL_Surface* source = SliceSource(view, walls, slice, origin);
    // The walls are locked for the whole frame already; doors and sprites here.
    const SurfaceLock sourceLock(source == walls ? nullptr : source);
    if (source != walls && !sourceLock.Locked())
    {
        return;
    }
    const double halfHeight = frame->h * 0.5;
    const double eyeHeight = view.player.mZ;
    const double top = halfHeight - (TILE_SIZE - eyeHeight) * slice.scale;
    const double bottom = halfHeight + eyeHeight * slice.scale;
    const double light = LightAt(slice.distance);
    const int textureX = origin.x + TruncToInt(slice.textureColumn);
    for (int row = 0; row < frame->h; ++row)
    {
        const double y = row;
        if (y < top)
        {
            DrawFloorPoint(view, floors, column, row, angle, slice.ceilingFactor / (halfHeight - y),
                           true);
        }
        else if (y >= bottom)
        {
            DrawFloorPoint(view, floors, column, row, angle, slice.floorFactor / (y - halfHeight),
                           false);
        }
        else
        {
            const double v = (y - top) * (1 / slice.scale) - DEPTH_EPSILON;
            PutTexel(frame, column, row, source, textureX, origin.y + TruncToInt(v), light);
        }
    }
}

void ReferenceRaycaster::DrawFloorPoint(const WorldView& view, SDL_Surface* floors, int column,
                                        int y, int angle, double distance, bool ceiling)
{
    SDL_Surface* frame = view.frame;
    const Entity* player = &view.player;
    if (!std::isfinite(distance) || distance < 0)
    {
        PutDark(frame, column, y);
        return;
    }
    const double wx = TruncToInt(player->mX) + mCos[static_cast<std::size_t>(angle)] * distance;
    const double wy = TruncToInt(player->mY) + mSin[static_cast<std::size_t>(angle)] * distance;
    const std::int32_t value =
        view.map.GetTile(TileOf(wx), TileOf(wy), TileType::CeilingsAndFloors);
    if (value < 0 || value >= static_cast<std::int32_t>(view.ceilingFloorRects.size()))
    {
        // Beyond the map there is nothing to see.
        PutDark(frame, column, y);
        return;
    }
    const SDL_Rect& rect = view.ceilingFloorRects[static_cast<std::size_t>(value)];
    // The ceiling shows the cell's floor texture turned over.
    const int u = (ceiling ? TruncToInt(wx - TILE_SIZE) : TruncToInt(wx)) & (TILE_SIZE - 1);
    const int v = (ceiling ? TruncToInt(TILE_SIZE - wy) : TruncToInt(wy)) & (TILE_SIZE - 1);
    PutTexel(frame, column, y, floors, rect.x + u, rect.y + v, LightAt(distance));
}

void ReferenceRaycaster::RotateAnimations()
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
