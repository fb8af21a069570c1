#include "render/view_painter.h"

#include "core/image_manager.h"
#include "core/utils.h"
#include "render/inline_step.h"
#include "render/raycaster_tables.h"
#include "render/surface_lock.h"
#include "world/entity.h"
#include "world/grid_math.h"
#include "world/map.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
constexpr double DEPTH_EPSILON = 1e-10;
constexpr double INFINITE = std::numeric_limits<double>::infinity();
constexpr std::uint32_t CHANNEL = 0xFF;
// Row pass columns that draw nothing: no ceiling, floor or strip rows.
constexpr std::int32_t NO_FLOOR = std::numeric_limits<std::int32_t>::max();

// The number of rows y (0 to height - 1) with y < limit.
int RowsBelow(double limit, int height)
{
    if (!(limit > 0))
    {
        return 0;
    }
    if (limit > height)
    {
        return height;
    }
    const int whole = static_cast<int>(limit);
    return whole < limit ? whole + 1 : whole;
}

// The light table entry of a distance.
int LightIndex(double distance)
{
    return std::clamp(TruncToInt(distance), 0, RaycasterTables::LIGHT_SIZE - 1);
}

std::uint32_t* PixelAt(std::uint8_t* column, int pitch, int row)
{
    return reinterpret_cast<std::uint32_t*>(column + static_cast<std::ptrdiff_t>(row) * pitch);
}

std::uint32_t ReadTexel(const std::uint8_t* texel)
{
    return *reinterpret_cast<const std::uint32_t*>(texel);
}

// Shades one texel through SDL's colour functions, darkened by the light;
// false when the texel is transparent and the frame keeps its pixel.
bool ShadeTexelThroughSdl(SDL_Surface* source, int sourceX, int sourceY, double light,
                          std::uint32_t& pixel)
{
    const std::uint32_t texel = QuillUtils::GetPixel(source, sourceX, sourceY);
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    Uint8 a = 0;
    SDL_GetRGBA(texel, source->format, &r, &g, &b, &a);
    if (a == 0)
    {
        return false;
    }
    pixel = QuillUtils::ShadePixel(source->format, texel, light, RaycasterTables::MAX_LIGHT);
    return true;
}

// The channel positions of ARGB8888, the format the game's renderers use:
// known when compiling, so the shifts are constants.
struct ArgbLayout
{
    static constexpr int redShift = 16;
    static constexpr int greenShift = 8;
    static constexpr int blueShift = 0;
    static constexpr std::uint32_t alphaMask = 0xFF000000u;
};

bool IsArgb(int redShift, int greenShift, int blueShift, std::uint32_t alphaMask)
{
    return redShift == ArgbLayout::redShift && greenShift == ArgbLayout::greenShift &&
           blueShift == ArgbLayout::blueShift && alphaMask == ArgbLayout::alphaMask;
}

// Whether SDL would read the texel's alpha as 0 (a format without alpha is opaque).
template <typename Layout> inline bool Transparent(const Layout& layout, std::uint32_t texel)
{
    return layout.alphaMask != 0 && (texel & layout.alphaMask) == 0;
}
} // namespace

void ViewPainter::Init(const RaycasterTables& tables)
{
    mShades.Build(tables.mLight, RaycasterTables::MAX_LIGHT);
    mSources.assign(static_cast<std::size_t>(RaycasterTables::MAX_COLUMNS) * ViewColumn::MAX_SLICES,
                    SliceSource{});
    mLockedSources.reserve(ViewColumn::MAX_SLICES);
    // Whole groups of columns, and one more for reading a group past the last.
    const std::size_t columns =
        (RaycasterTables::MAX_COLUMNS + RowPass::GROUP - 1) / RowPass::GROUP * RowPass::GROUP +
        RowPass::GROUP;
    RowColumns& row = mRowColumns;
    for (std::vector<std::int32_t>* values : {&row.ceilingEnd, &row.floorBegin})
    {
        values->assign(columns, 0);
    }
    for (std::vector<double>* values : {&row.cos, &row.sin, &row.ceilingFactor, &row.floorFactor})
    {
        values->assign(columns, 0);
    }
    row.coveredPitch = static_cast<int>(columns / 8);
}

ViewPainter::PixelLayout ViewPainter::LayoutOf(const SDL_PixelFormat* format)
{
    PixelLayout layout;
    layout.redShift = format->Rshift;
    layout.greenShift = format->Gshift;
    layout.blueShift = format->Bshift;
    layout.alphaMask = format->Amask;
    layout.direct = format->BytesPerPixel == 4 && format->palette == nullptr &&
                    format->Rmask == CHANNEL << format->Rshift &&
                    format->Gmask == CHANNEL << format->Gshift &&
                    format->Bmask == CHANNEL << format->Bshift;
    return layout;
}

// --- Setting up the frame ---

void ViewPainter::Paint(const WorldView& view, const std::vector<ViewColumn>& columns, int count,
                        const std::vector<AnimationsType>& animations,
                        const RaycasterTables& tables)
{
    SDL_Surface* frame = view.frame;
    const Entity& player = view.player;
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
    // Door and sprite images are locked for the whole frame where they need it.
    struct SourceUnlocker
    {
        ViewPainter& painter;
        ~SourceUnlocker() { painter.UnlockSources(); }
    } unlocker{*this};
    ResolveSources(view, walls, columns, count, animations);

    const Map& map = view.map;
    FrameState& state = mFrame;
    state.frame = frame;
    state.framePixels = static_cast<std::uint8_t*>(frame->pixels);
    state.framePitch = frame->pitch;
    state.height = frame->h;
    state.directFrame = frame->format->BytesPerPixel == 4;
    state.dark = SDL_MapRGB(frame->format, 0, 0, 0);
    state.floors = floors;
    state.walls = walls;
    state.floorLayout = LayoutOf(floors->format);
    state.directFloors = state.directFrame && state.floorLayout.direct;
    state.map = &map;
    state.floorRects = &view.ceilingFloorRects;
    const bool grids = map.HasGrids() && map.mWidth > 0 && map.mHeight > 0;
    state.floorGrid = grids ? map.mCeilingsAndFloors.data() : nullptr;
    state.mapWidth = grids ? map.mWidth : 0;
    state.mapLimitX = grids ? static_cast<double>(TILE_SIZE) * map.mWidth : 0;
    state.mapLimitY = grids ? static_cast<double>(TILE_SIZE) * map.mHeight : 0;
    state.eyeX = TruncToInt(player.mX);
    state.eyeY = TruncToInt(player.mY);
    state.eyeHeight = player.mZ;
    state.halfHeight = frame->h * 0.5;
    state.tables = &tables;
    state.columns = &columns;
    PrepareRows(frame->h);
    PrepareFloors(view);

    RowColumns& row = mRowColumns;
    int angle = RaycasterTables::RayAngle(player.mAngle, 0);
    for (int column = 0; column < count; ++column, angle = RaycasterTables::NextRayAngle(angle))
    {
        row.cos[static_cast<std::size_t>(column)] = tables.mCos[static_cast<std::size_t>(angle)];
        row.sin[static_cast<std::size_t>(column)] = tables.mSin[static_cast<std::size_t>(angle)];
    }
    const bool rowPass = RowPassFits(walls);
    if (rowPass)
    {
        mWallColumns.Follow(walls, view.images.Generation());
        ResetRowColumns(count);
        // No drawn pixel has this value: its alpha (or unused byte) differs.
        const PixelLayout& layout = state.floorLayout;
        mBlock.empty = layout.alphaMask != 0
                           ? 0u
                           : ~(CHANNEL << layout.redShift | CHANNEL << layout.greenShift |
                               CHANNEL << layout.blueShift);
    }
    for (int first = 0; first < count; first += StripBlock::COLUMNS)
    {
        const int last = std::min(count, first + StripBlock::COLUMNS);
        if (rowPass)
        {
            PaintRowPassGroup(first, last);
            continue;
        }
        for (int column = first; column < last; ++column)
        {
            const std::size_t at = static_cast<std::size_t>(column);
            PaintColumn(columns[at], Ray{column, row.cos[at], row.sin[at]});
        }
    }
    if (rowPass)
    {
        RowPaths::Paint(mPath, MakeRowPass(count));
    }
}

void ViewPainter::PaintRowPassGroup(int first, int last)
{
    const FrameState& state = mFrame;
    const RowColumns& row = mRowColumns;
    const std::vector<ViewColumn>& columns = *state.columns;
    // Which columns the row pass takes, and the rows their strips may draw.
    bool fits[StripBlock::COLUMNS] = {};
    SliceRows farRows[StripBlock::COLUMNS];
    int firstRow = state.height;
    int endRow = 0;
    for (int column = first; column < last; ++column)
    {
        const int at = column - first;
        fits[at] = FitsRowPass(columns[static_cast<std::size_t>(column)], column, farRows[at],
                               firstRow, endRow);
    }
    const int band = StripBlock::BAND;
    mBlock.firstRow = std::max(0, firstRow) / band * band;
    mBlock.endRow = std::min(mBlock.stride, (endRow + band - 1) / band * band);
    mBlockFirst = mBlock.firstRow < mBlock.endRow ? first : -1;
    if (mBlockFirst >= 0)
    {
        RowPaths::ClearStripBlock(mPath, mBlock);
    }
    for (int column = first; column < last; ++column)
    {
        const std::size_t at = static_cast<std::size_t>(column);
        const Ray ray{column, row.cos[at], row.sin[at]};
        const ViewColumn& strips = columns[at];
        if (fits[column - first])
        {
            PaintRowPassColumn(strips, ray, farRows[column - first]);
            continue;
        }
        LeaveColumnToOthers(column);
        // Drawn in full straight into the frame.
        const int staged = mBlockFirst;
        mBlockFirst = -1;
        PaintColumn(strips, ray);
        mBlockFirst = staged;
    }
    if (mBlockFirst >= 0)
    {
        BlockTarget target;
        target.frame = state.framePixels;
        target.framePitch = state.framePitch;
        target.rows = state.height;
        target.firstColumn = first;
        target.columns = last - first;
        target.covered = mRowColumns.covered.data();
        target.coveredPitch = mRowColumns.coveredPitch;
        RowPaths::FlushStripBlock(mPath, mBlock, target);
    }
    mBlockFirst = -1;
}

ViewPainter::ColumnTarget ViewPainter::TargetOf(int column)
{
    const ColumnTarget block = BlockTargetOf(column);
    if (block.pixels != nullptr)
    {
        return block;
    }
    return {mFrame.framePixels + static_cast<std::ptrdiff_t>(column) * 4, mFrame.framePitch};
}

ViewPainter::ColumnTarget ViewPainter::BlockTargetOf(int column)
{
    if (mBlockFirst < 0 || column < mBlockFirst || column >= mBlockFirst + StripBlock::COLUMNS)
    {
        return {};
    }
    return {reinterpret_cast<std::uint8_t*>(mBlock.Column(column - mBlockFirst)), 4};
}

void ViewPainter::PrepareRows(int height)
{
    const double halfHeight = height * 0.5;
    if (height == mRowsFor && halfHeight == mHalfHeightFor)
    {
        return;
    }
    const std::size_t rows = static_cast<std::size_t>(std::max(height, 0));
    mRowY.resize(rows);
    mCeilingRowDepth.resize(rows);
    mFloorRowDepth.resize(rows);
    for (std::size_t row = 0; row < rows; ++row)
    {
        const double y = static_cast<double>(row);
        mRowY[row] = y;
        mCeilingRowDepth[row] = halfHeight - y;
        mFloorRowDepth[row] = y - halfHeight;
    }
    // Ceiling row y pairs with floor row height - y while that lies below it.
    mPairedRows = (height + 1) / 2;
    for (int y = 1; y < mPairedRows; ++y)
    {
        if (mCeilingRowDepth[static_cast<std::size_t>(y)] !=
            mFloorRowDepth[static_cast<std::size_t>(height - y)])
        {
            mPairedRows = 0;
            break;
        }
    }
    // Each run of open rows is at least one row long with a drawn row after it.
    mRunsA.resize(rows + 1);
    mRunsB.resize(rows + 1);
    // One more, so that rows can go two at a time.
    mStripRows.resize(rows + 1);
    mRowColumns.covered.assign(rows * static_cast<std::size_t>(mRowColumns.coveredPitch), 0);
    mBlock.stride =
        static_cast<int>((rows + StripBlock::BAND - 1) / StripBlock::BAND * StripBlock::BAND);
    mBlockPixels.assign(static_cast<std::size_t>(mBlock.stride) * StripBlock::COLUMNS, 0);
    mBlock.pixels = mBlockPixels.data();
    mBlock.shadedTexels = &mShadedTexels;
    mRowsFor = height;
    mHalfHeightFor = halfHeight;
}

void ViewPainter::PrepareFloors(const WorldView& view)
{
    const std::vector<SDL_Rect>& rects = view.ceilingFloorRects;
    SDL_Surface* floors = mFrame.floors;
    mFloorTexture.resize(rects.size());
    mFloorTextureIndex.resize(rects.size());
    for (std::size_t value = 0; value < rects.size(); ++value)
    {
        const SDL_Rect& rect = rects[value];
        const bool inside = rect.x >= 0 && rect.y >= 0 && rect.x <= floors->w - TILE_SIZE &&
                            rect.y <= floors->h - TILE_SIZE;
        mFloorTexture[value] = inside ? static_cast<const std::uint8_t*>(floors->pixels) +
                                            static_cast<std::ptrdiff_t>(rect.y) * floors->pitch +
                                            static_cast<std::ptrdiff_t>(rect.x) * 4
                                      : nullptr;
        mFloorTextureIndex[value] =
            inside && floors->pitch % 4 == 0 ? rect.y * (floors->pitch / 4) + rect.x : -1;
    }
    mFloorBlocks.Follow(floors, rects, view.images.Generation());
}

void ViewPainter::ResolveSources(const WorldView& view, SDL_Surface* walls,
                                 const std::vector<ViewColumn>& columns, int count,
                                 const std::vector<AnimationsType>& animations)
{
    for (DoorEntry& entry : mDoorCache)
    {
        entry.used = false;
    }
    for (int c = 0; c < count; ++c)
    {
        const ViewColumn& column = columns[static_cast<std::size_t>(c)];
        for (int s = column.count - 1; s >= 0; --s)
        {
            const ViewSlice& slice = column.slices[static_cast<std::size_t>(s)];
            SliceSource& source = mSources[static_cast<std::size_t>(c) * ViewColumn::MAX_SLICES +
                                           static_cast<std::size_t>(s)];
            if (slice.isSprite)
            {
                SDL_Surface* image = slice.image;
                if (image == nullptr)
                {
                    image = view.images.GetImage(std::string(slice.textureName));
                }
                if (image == nullptr)
                {
                    throw std::runtime_error("Couldn't get entity texture with key: " +
                                             std::string(slice.textureName));
                }
                source = {image, slice.tileX, slice.tileY};
            }
            else if (slice.isDoor)
            {
                source = {DoorSurface(view.map, slice.tileX, slice.tileY), 0, 0};
            }
            else
            {
                const TextureFlagsType& flags =
                    view.textureFlags[static_cast<std::size_t>(slice.textureIndex)];
                std::size_t rectangle = static_cast<std::size_t>(slice.textureIndex);
                if (flags.animated)
                {
                    rectangle += static_cast<std::size_t>(
                        animations[static_cast<std::size_t>(flags.animationIndex)].frame);
                }
                const SDL_Rect& rect = view.wallRects.at(rectangle);
                source = {walls, rect.x, rect.y};
            }
            if (source.surface != walls && !LockSource(source.surface))
            {
                // Left out, as a strip whose image cannot be locked is left out
                // when drawing back to front.
                source.surface = nullptr;
            }
        }
    }
}

SDL_Surface* ViewPainter::DoorSurface(const Map& map, int tileX, int tileY)
{
    const std::size_t slot = static_cast<std::size_t>((tileX * 31 + tileY) & (DOOR_CACHE_SIZE - 1));
    DoorEntry& entry = mDoorCache[slot];
    if (entry.used && entry.tileX == tileX && entry.tileY == tileY)
    {
        return entry.surface;
    }
    SDL_Surface* surface = map.GetDoor(tileX, tileY)->surface.Get<SDL_Surface>();
    entry = {tileX, tileY, surface, true};
    return surface;
}

bool ViewPainter::LockSource(SDL_Surface* source)
{
    if (source == nullptr)
    {
        return false;
    }
    if (!SDL_MUSTLOCK(source) ||
        std::find(mLockedSources.begin(), mLockedSources.end(), source) != mLockedSources.end())
    {
        return true;
    }
    if (SDL_LockSurface(source) != 0)
    {
        return false;
    }
    mLockedSources.push_back(source);
    return true;
}

void ViewPainter::UnlockSources()
{
    for (auto it = mLockedSources.rbegin(); it != mLockedSources.rend(); ++it)
    {
        SDL_UnlockSurface(*it);
    }
    mLockedSources.clear();
}

QUILL_INLINE_STEP ViewPainter::SliceRows ViewPainter::RowsOf(const ViewSlice& slice) const
{
    const FrameState& state = mFrame;
    SliceRows rows;
    rows.top = state.halfHeight - (TILE_SIZE - state.eyeHeight) * slice.scale;
    const double bottom = state.halfHeight + state.eyeHeight * slice.scale;
    // A row is ceiling when y < top, else floor when y >= bottom, else strip.
    rows.ceilingEnd = RowsBelow(rows.top, state.height);
    rows.floorBegin = std::max(rows.ceilingEnd,
                               std::isnan(bottom) ? state.height : RowsBelow(bottom, state.height));
    return rows;
}

void ViewPainter::PaintColumn(const ViewColumn& column, const Ray& ray)
{
    const FrameState& state = mFrame;
    RowRun* current = mRunsA.data();
    RowRun* next = mRunsB.data();
    int currentCount = 0;
    if (state.height > 0)
    {
        current[0] = {0, state.height};
        currentCount = 1;
    }
    for (int s = 0; s < column.count && currentCount > 0; ++s)
    {
        const SliceSource& source = SourceOf(ray.column, s);
        if (source.surface == nullptr)
        {
            continue;
        }
        const ViewSlice& slice = column.slices[static_cast<std::size_t>(s)];
        const SliceRows rows = RowsOf(slice);
        OpenRows open{next, 0};
        for (int r = 0; r < currentCount; ++r)
        {
            const int begin = current[r].begin;
            const int end = current[r].end;
            const int ceilingStop = std::min(end, rows.ceilingEnd);
            if (begin < ceilingStop)
            {
                PaintCeilingOrFloor(ray, slice.ceilingFactor, true, begin, ceilingStop, open);
            }
            const int stripBegin = std::max(begin, rows.ceilingEnd);
            const int stripStop = std::min(end, rows.floorBegin);
            if (stripBegin < stripStop)
            {
                PaintStrip(ray, slice, source, rows.top, stripBegin, stripStop, open);
            }
            const int floorStart = std::max(begin, rows.floorBegin);
            if (floorStart < end)
            {
                PaintCeilingOrFloor(ray, slice.floorFactor, false, floorStart, end, open);
            }
        }
        std::swap(current, next);
        currentCount = open.count;
    }
}

void ViewPainter::PaintPixelFrom(int column, int row, int first)
{
    const ViewColumn& strips = (*mFrame.columns)[static_cast<std::size_t>(column)];
    const std::size_t at = static_cast<std::size_t>(column);
    const Ray ray{column, mRowColumns.cos[at], mRowColumns.sin[at]};
    RowRun runs[1];
    for (int s = first; s < strips.count; ++s)
    {
        const SliceSource& source = SourceOf(column, s);
        if (source.surface == nullptr)
        {
            continue;
        }
        const ViewSlice& slice = strips.slices[static_cast<std::size_t>(s)];
        const SliceRows rows = RowsOf(slice);
        OpenRows open{runs, 0};
        if (row < rows.ceilingEnd)
        {
            PaintCeilingOrFloor(ray, slice.ceilingFactor, true, row, row + 1, open);
        }
        else if (row < rows.floorBegin)
        {
            PaintStrip(ray, slice, source, rows.top, row, row + 1, open);
        }
        else
        {
            PaintCeilingOrFloor(ray, slice.floorFactor, false, row, row + 1, open);
        }
        if (open.count == 0)
        {
            return;
        }
    }
}

void ViewPainter::PaintStrip(const Ray& ray, const ViewSlice& slice, const SliceSource& source,
                             double top, int begin, int end, OpenRows& open)
{
    const PixelLayout layout = LayoutOf(source.surface->format);
    if (!mFrame.directFrame || !layout.direct)
    {
        PaintStripThroughSdl(ray, slice, source, top, begin, end, open);
    }
    else if (IsArgb(layout.redShift, layout.greenShift, layout.blueShift, layout.alphaMask))
    {
        PaintStripRows(ArgbLayout{}, ray, slice, source, top, begin, end, open);
    }
    else
    {
        PaintStripRows(layout, ray, slice, source, top, begin, end, open);
    }
}

void ViewPainter::FindStripRows(const ViewSlice& slice, double top, int begin, int end)
{
    const double inverseScale = 1 / slice.scale;
    const double* rowY = mRowY.data();
    std::int32_t* rows = mStripRows.data();
    const auto textureRow = [&](int y)
    { return TruncToInt((rowY[y] - top) * inverseScale - DEPTH_EPSILON); };
    // The rows never fall as y goes down; when the first and the last are
    // ordinary numbers, so is every row between.
    const double first = (rowY[begin] - top) * inverseScale - DEPTH_EPSILON;
    const double last = (rowY[end - 1] - top) * inverseScale - DEPTH_EPSILON;
    const double limit = 2147483648.0;
    const bool ordinary = first > -limit && last < limit;
    int y = begin;
#if defined(__SSE2__)
    if (ordinary)
    {
        // The very operations of the row arithmetic, two rows at once.
        const __m128d tops = _mm_set1_pd(top);
        const __m128d inverse = _mm_set1_pd(inverseScale);
        const __m128d epsilon = _mm_set1_pd(DEPTH_EPSILON);
        for (; y + 1 < end; y += 2)
        {
            const __m128d v =
                _mm_sub_pd(_mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(rowY + y), tops), inverse), epsilon);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(rows + y), _mm_cvttpd_epi32(v));
        }
    }
#endif
    for (; y < end; ++y)
    {
        rows[y] = textureRow(y);
    }
}

template <typename Layout>
void ViewPainter::PaintStripRows(const Layout& layout, const Ray& ray, const ViewSlice& slice,
                                 const SliceSource& source, double top, int begin, int end,
                                 OpenRows& open)
{
    SDL_Surface* image = source.surface;
    const ColumnTarget target = TargetOf(ray.column);
    const std::uint8_t* shade = mShades.Row(LightIndex(slice.distance));
    const long long sourceX =
        static_cast<long long>(source.originX) + TruncToInt(slice.textureColumn);
    // A texel outside the image reads as 0.
    const std::uint8_t* texels = sourceX >= 0 && sourceX < image->w
                                     ? static_cast<const std::uint8_t*>(image->pixels) + sourceX * 4
                                     : nullptr;
    const long long imageHeight = texels != nullptr ? image->h : 0;
    const std::ptrdiff_t imagePitch = image->pitch;
    const long long originY = source.originY;
    FindStripRows(slice, top, begin, end);
    const std::int32_t* rows = mStripRows.data();
    // Rows of the same texel row, near strips have many, are read and shaded once.
    int y = begin;
    while (y < end)
    {
        const std::int32_t row = rows[y];
        int next = y + 1;
        while (next < end && rows[next] == row)
        {
            ++next;
        }
        const long long sourceY = originY + row;
        const std::uint32_t texel =
            sourceY >= 0 && sourceY < imageHeight ? ReadTexel(texels + sourceY * imagePitch) : 0u;
        if (Transparent(layout, texel))
        {
            open.AddRange(y, next);
        }
        else
        {
            const std::uint32_t shaded = ShadeTable::ShadeTexel(layout, shade, texel);
            for (int r = y; r < next; ++r)
            {
                target.Put(r, shaded);
            }
        }
        y = next;
    }
}

bool ViewPainter::FindFloorPoint(double distance, double cos, double sin, FloorPoint& point) const
{
    const FrameState& state = mFrame;
    if (!(distance >= 0 && distance < INFINITE))
    {
        return false;
    }
    point.wx = state.eyeX + cos * distance;
    point.wy = state.eyeY + sin * distance;
    if (!(point.wx >= 0 && point.wy >= 0 && point.wx < state.mapLimitX &&
          point.wy < state.mapLimitY))
    {
        // Beyond the map there is nothing to see.
        return false;
    }
    // Inside the map both are small and not negative: truncating is rounding down.
    point.ix = static_cast<int>(point.wx);
    point.iy = static_cast<int>(point.wy);
    point.value =
        state.floorGrid[static_cast<std::size_t>(point.iy >> 6) * state.mapWidth + (point.ix >> 6)];
    if (point.value < 0 || static_cast<std::size_t>(point.value) >= mFloorTexture.size())
    {
        return false;
    }
    point.texture = mFloorTexture[static_cast<std::size_t>(point.value)];
    const int light = distance < RaycasterTables::LIGHT_SIZE - 1 ? static_cast<int>(distance)
                                                                 : RaycasterTables::LIGHT_SIZE - 1;
    point.shade = mShades.Row(light);
    return true;
}

template <bool Ceiling> std::uint32_t ViewPainter::FloorTexel(const FloorPoint& point) const
{
    // The ceiling shows the cell's floor texture turned over.
    const int u = (Ceiling ? static_cast<int>(point.wx - TILE_SIZE) : point.ix) & (TILE_SIZE - 1);
    const int v = (Ceiling ? static_cast<int>(TILE_SIZE - point.wy) : point.iy) & (TILE_SIZE - 1);
    if (point.texture != nullptr)
    {
        return ReadTexel(point.texture + static_cast<std::ptrdiff_t>(v) * mFrame.floors->pitch +
                         u * 4);
    }
    const SDL_Rect& rect = (*mFrame.floorRects)[static_cast<std::size_t>(point.value)];
    return QuillUtils::GetPixel(mFrame.floors, rect.x + u, rect.y + v);
}

void ViewPainter::PaintCeilingOrFloor(const Ray& ray, double factor, bool ceiling, int begin,
                                      int end, OpenRows& open) const
{
    const FrameState& state = mFrame;
    if (!state.directFloors)
    {
        PaintCeilingOrFloorThroughSdl(ray, factor, ceiling, begin, end, open);
        return;
    }
    const PixelLayout& layout = state.floorLayout;
    const double* rowDepth = ceiling ? mCeilingRowDepth.data() : mFloorRowDepth.data();
    std::uint8_t* frameColumn = state.framePixels + static_cast<std::ptrdiff_t>(ray.column) * 4;
    for (int y = begin; y < end; ++y)
    {
        std::uint32_t* pixel = PixelAt(frameColumn, state.framePitch, y);
        FloorPoint point;
        if (!FindFloorPoint(factor / rowDepth[y], ray.cos, ray.sin, point))
        {
            *pixel = state.dark;
            continue;
        }
        const std::uint32_t texel = ceiling ? FloorTexel<true>(point) : FloorTexel<false>(point);
        if (Transparent(layout, texel))
        {
            open.Add(y);
            continue;
        }
        *pixel = ShadeTable::ShadeTexel(layout, point.shade, texel);
    }
}

// --- The farthest strips, the ceilings and the floors, row by row ---

bool ViewPainter::RowPassFits(SDL_Surface* walls) const
{
    const FrameState& state = mFrame;
    const PixelLayout& floors = state.floorLayout;
    const PixelLayout wallLayout = LayoutOf(walls->format);
    // One format for the floors and the walls, read as whole 32-bit words.
    return state.directFloors && wallLayout.direct && state.floorGrid != nullptr &&
           wallLayout.redShift == floors.redShift && wallLayout.greenShift == floors.greenShift &&
           wallLayout.blueShift == floors.blueShift && wallLayout.alphaMask == floors.alphaMask &&
           state.framePitch % 4 == 0 && state.floors->pitch % 4 == 0 && walls->pitch % 4 == 0;
}

void ViewPainter::ResetRowColumns(int count)
{
    RowColumns& row = mRowColumns;
    std::fill(row.covered.begin(), row.covered.end(), 0);
    // The columns past the view, up to a whole group, draw nothing.
    const int padded = (count + RowPass::GROUP - 1) / RowPass::GROUP * RowPass::GROUP;
    for (int column = count; column < padded; ++column)
    {
        LeaveColumnToOthers(column);
    }
    mSameFactors = true;
    mLowestFloorBegin = NO_FLOOR;
    mHighestCeilingEnd = 0;
}

void ViewPainter::LeaveColumnToOthers(int column)
{
    RowColumns& row = mRowColumns;
    const std::size_t at = static_cast<std::size_t>(column);
    row.ceilingEnd[at] = 0;
    row.floorBegin[at] = NO_FLOOR;
    row.ceilingFactor[at] = 0;
    row.floorFactor[at] = 0;
}

QUILL_INLINE_STEP bool ViewPainter::ReadsLikeWalls(const SDL_Surface* image) const
{
    const FrameState& state = mFrame;
    if (image == state.walls)
    {
        return true;
    }
    if (image == nullptr || image->pitch % 4 != 0)
    {
        return false;
    }
    const PixelLayout& floors = state.floorLayout;
    const PixelLayout layout =
        image->format == state.walls->format ? floors : LayoutOf(image->format);
    return layout.direct && layout.redShift == floors.redShift &&
           layout.greenShift == floors.greenShift && layout.blueShift == floors.blueShift &&
           layout.alphaMask == floors.alphaMask;
}

QUILL_INLINE_STEP bool ViewPainter::FitsRowPass(const ViewColumn& column, int index,
                                                SliceRows& farRows, int& firstRow,
                                                int& endRow) const
{
    if (column.count <= 0)
    {
        // Nothing to draw: the frame keeps its pixels.
        return true;
    }
    const int last = column.count - 1;
    const ViewSlice& far = column.slices[static_cast<std::size_t>(last)];
    const SliceSource& source = SourceOf(index, last);
    // The farthest strip is a wall or a door: nothing lies behind either.
    if (far.isSprite || !ReadsLikeWalls(source.surface))
    {
        return false;
    }
    farRows = RowsOf(far);
    int stripBegin = farRows.ceilingEnd;
    int stripEnd = farRows.floorBegin;
    for (int s = 0; s < last; ++s)
    {
        // Every strip in front reaches at least as high and as low, and sees
        // the same ceiling and floor.
        const ViewSlice& slice = column.slices[static_cast<std::size_t>(s)];
        const SliceRows front = RowsOf(slice);
        if (!(slice.ceilingFactor == far.ceilingFactor && slice.floorFactor == far.floorFactor) ||
            front.ceilingEnd > farRows.ceilingEnd || front.floorBegin < farRows.floorBegin)
        {
            return false;
        }
        stripBegin = std::min(stripBegin, front.ceilingEnd);
        stripEnd = std::max(stripEnd, front.floorBegin);
    }
    if (stripBegin < stripEnd)
    {
        firstRow = std::min(firstRow, stripBegin);
        endRow = std::max(endRow, stripEnd);
    }
    return true;
}

void ViewPainter::PaintRowPassColumn(const ViewColumn& column, const Ray& ray,
                                     const SliceRows& rows)
{
    if (column.count <= 0)
    {
        LeaveColumnToOthers(ray.column);
        return;
    }
    // Nearest first, each strip only over the pixels the ones in front left
    // empty; the row pass then fills the farthest strip's ceiling and floor.
    const int last = column.count - 1;
    for (int s = 0; s < last; ++s)
    {
        const SliceSource& source = SourceOf(ray.column, s);
        if (source.surface != nullptr)
        {
            const ViewSlice& slice = column.slices[static_cast<std::size_t>(s)];
            PaintBlockStrip(slice, source, RowsOf(slice), ray, s);
        }
    }
    const ViewSlice& far = column.slices[static_cast<std::size_t>(last)];
    PaintBlockStrip(far, SourceOf(ray.column, last), rows, ray, last);
    RowColumns& row = mRowColumns;
    const std::size_t at = static_cast<std::size_t>(ray.column);
    row.ceilingEnd[at] = rows.ceilingEnd;
    row.floorBegin[at] = rows.floorBegin;
    row.ceilingFactor[at] = far.ceilingFactor;
    row.floorFactor[at] = far.floorFactor;
    mSameFactors = mSameFactors && far.ceilingFactor == far.floorFactor;
    mLowestFloorBegin = std::min(mLowestFloorBegin, rows.floorBegin);
    mHighestCeilingEnd = std::max(mHighestCeilingEnd, rows.ceilingEnd);
}

void ViewPainter::PaintBlockStrip(const ViewSlice& slice, const SliceSource& source,
                                  const SliceRows& rows, const Ray& ray, int index)
{
    if (rows.ceilingEnd >= rows.floorBegin)
    {
        return;
    }
    const FrameState& state = mFrame;
    const SDL_Surface* image = source.surface;
    const long long sourceX =
        static_cast<long long>(source.originX) + TruncToInt(slice.textureColumn);
    const bool inside = ReadsLikeWalls(image) && sourceX >= 0 && sourceX < image->w &&
                        source.originY >= 0 && source.originY <= image->h - TILE_SIZE;
    WallStrip strip;
    strip.texels = inside ? static_cast<const std::uint8_t*>(image->pixels) +
                                static_cast<std::ptrdiff_t>(source.originY) * image->pitch +
                                sourceX * 4
                          : nullptr;
    strip.texelPitch = image->pitch;
    if (inside && mWallColumns.Holds(image))
    {
        strip.texels = mWallColumns.At(static_cast<int>(sourceX), source.originY);
        strip.texelPitch = 4;
    }
    strip.top = rows.top;
    strip.inverseScale = 1 / slice.scale;
    strip.begin = rows.ceilingEnd;
    strip.end = rows.floorBegin;
    strip.behind = index > 0;
    const int light = LightIndex(slice.distance);
    strip.multiplier = mShades.Multipliers()[light];
    strip.shade = mShades.Row(light);
    strip.redShift = state.floorLayout.redShift;
    strip.greenShift = state.floorLayout.greenShift;
    strip.blueShift = state.floorLayout.blueShift;
    strip.alphaMask = state.floorLayout.alphaMask;
    strip.byteTables = mByteTables;
    // A texture column or rows reaching out of the image, or an image of
    // another format: pixel by pixel.
    if (strip.texels == nullptr || mBlockFirst < 0 ||
        !RowPaths::PaintWallStrip(mPath, mBlock, ray.column - mBlockFirst, strip))
    {
        PaintBlockStripPixels(ray.column, strip.begin, strip.end, index);
    }
}

void ViewPainter::PaintBlockStripPixels(int column, int begin, int end, int index)
{
    const std::uint32_t* pixels = mBlockFirst >= 0 ? mBlock.Column(column - mBlockFirst) : nullptr;
    for (int y = begin; y < end; ++y)
    {
        if (pixels == nullptr || pixels[y] == mBlock.empty)
        {
            PaintPixelFrom(column, y, index);
        }
    }
}

RowPass ViewPainter::MakeRowPass(int count) const
{
    const FrameState& state = mFrame;
    const RowColumns& row = mRowColumns;
    RowPass pass;
    pass.frame = state.framePixels;
    pass.framePitch = state.framePitch;
    pass.columns = count;
    pass.rows = state.height;
    pass.halfHeight = state.halfHeight;
    // Ceiling rows only above the pairs' floor rows and floor rows only below
    // their ceiling rows, with one factor for both.
    pass.ceilingRows = mHighestCeilingEnd;
    pass.floorRows = mLowestFloorBegin;
    pass.paired = mSameFactors && mPairedRows > 1 && mLowestFloorBegin >= mPairedRows &&
                  mHighestCeilingEnd <= state.height - mPairedRows + 1;
    pass.pairedRows = mPairedRows;
    pass.ceilingEnd = row.ceilingEnd.data();
    pass.floorBegin = row.floorBegin.data();
    pass.cos = row.cos.data();
    pass.sin = row.sin.data();
    pass.ceilingFactor = row.ceilingFactor.data();
    pass.floorFactor = row.floorFactor.data();
    pass.stepsFit =
        RowPass::FactorsFit(row.floorFactor.data(), static_cast<int>(row.floorFactor.size()));
    pass.covered = row.covered.data();
    pass.coveredPitch = row.coveredPitch;
    pass.floorGrid = state.floorGrid;
    pass.mapWidth = state.mapWidth;
    pass.mapLimitX = state.mapLimitX;
    pass.mapLimitY = state.mapLimitY;
    pass.eyeX = state.eyeX;
    pass.eyeY = state.eyeY;
    pass.floorTextureCount = static_cast<int>(mFloorTextureIndex.size());
    if (mFloorBlocks.Holds(state.floors))
    {
        pass.floorTextures = mFloorBlocks.Firsts();
        pass.floorTexels = mFloorBlocks.Texels();
        pass.floorPitch = TextureBlocks::SIDE;
    }
    else
    {
        pass.floorTextures = mFloorTextureIndex.data();
        pass.floorTexels = static_cast<const std::uint32_t*>(state.floors->pixels);
        pass.floorPitch = state.floors->pitch / 4;
    }
    pass.shades = mShades.Data();
    pass.shadeRows = mShades.RowOffsets();
    pass.multipliers = mShades.Multipliers();
    pass.redShift = state.floorLayout.redShift;
    pass.greenShift = state.floorLayout.greenShift;
    pass.blueShift = state.floorLayout.blueShift;
    pass.alphaMask = state.floorLayout.alphaMask;
    pass.byteTables = mByteTables && pass.redShift % 8 == 0 && pass.greenShift % 8 == 0 &&
                      pass.blueShift % 8 == 0;
    pass.paintPixel = &ViewPainter::PaintRowPixel;
    pass.painter = const_cast<ViewPainter*>(this);
    return pass;
}

void ViewPainter::PaintRowPixel(void* painter, int column, int row)
{
    ViewPainter& self = *static_cast<ViewPainter*>(painter);
    const ViewColumn& strips = (*self.mFrame.columns)[static_cast<std::size_t>(column)];
    // The strips in front let the pixel through: the farthest strip decides.
    self.PaintPixelFrom(column, row, strips.count - 1);
}

// --- Formats SDL has to split and map ---

void ViewPainter::PaintCeilingOrFloorThroughSdl(const Ray& ray, double factor, bool ceiling,
                                                int begin, int end, OpenRows& open) const
{
    const FrameState& state = mFrame;
    const double* rowDepth = ceiling ? mCeilingRowDepth.data() : mFloorRowDepth.data();
    const std::vector<SDL_Rect>& rects = *state.floorRects;
    for (int y = begin; y < end; ++y)
    {
        const double distance = factor / rowDepth[y];
        if (!std::isfinite(distance) || distance < 0)
        {
            QuillUtils::SetPixel(state.frame, ray.column, y, state.dark);
            continue;
        }
        const double wx = state.eyeX + ray.cos * distance;
        const double wy = state.eyeY + ray.sin * distance;
        const std::int32_t value =
            state.map->GetTile(TileOf(wx), TileOf(wy), TileType::CeilingsAndFloors);
        if (value < 0 || value >= static_cast<std::int32_t>(rects.size()))
        {
            QuillUtils::SetPixel(state.frame, ray.column, y, state.dark);
            continue;
        }
        const SDL_Rect& rect = rects[static_cast<std::size_t>(value)];
        const int u = (ceiling ? TruncToInt(wx - TILE_SIZE) : TruncToInt(wx)) & (TILE_SIZE - 1);
        const int v = (ceiling ? TruncToInt(TILE_SIZE - wy) : TruncToInt(wy)) & (TILE_SIZE - 1);
        std::uint32_t pixel = 0;
        if (!ShadeTexelThroughSdl(state.floors, rect.x + u, rect.y + v,
                                  state.tables->LightAt(distance), pixel))
        {
            open.Add(y);
            continue;
        }
        QuillUtils::SetPixel(state.frame, ray.column, y, pixel);
    }
}
void ViewPainter::PaintStripThroughSdl(const Ray& ray, const ViewSlice& slice,
                                       const SliceSource& source, double top, int begin, int end,
                                       OpenRows& open)
{
    const FrameState& state = mFrame;
    const ColumnTarget target = BlockTargetOf(ray.column);
    const double light = state.tables->LightAt(slice.distance);
    const int textureX = source.originX + TruncToInt(slice.textureColumn);
    for (int y = begin; y < end; ++y)
    {
        const double v =
            (mRowY[static_cast<std::size_t>(y)] - top) * (1 / slice.scale) - DEPTH_EPSILON;
        std::uint32_t pixel = 0;
        if (!ShadeTexelThroughSdl(source.surface, textureX, source.originY + TruncToInt(v), light,
                                  pixel))
        {
            open.Add(y);
            continue;
        }
        // Into the strip block when the column goes through it.
        if (target.pixels != nullptr)
        {
            target.Put(y, pixel);
        }
        else
        {
            QuillUtils::SetPixel(state.frame, ray.column, y, pixel);
        }
    }
}
