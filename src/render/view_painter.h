#pragma once

#include "render/column_major_image.h"
#include "render/row_pass.h"
#include "render/shade_table.h"
#include "render/strip_block.h"
#include "render/texture_blocks.h"
#include "render/view_column.h"
#include "render/world_view.h"
#include "world/world_types.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

class Map;
class RaycasterTables;

// Draws the columns of the 3D view with their ceilings and floors.
//
// Every pixel gets exactly the colour that drawing each column's strips from
// the farthest to the nearest would leave (each strip with the ceiling above it
// and the floor below it, a transparent texel leaving what lies behind), but
// each pixel is worked out about once:
// - A column's strips are nested: a nearer strip reaches higher and lower than
//   one behind it, and every strip of a column sees the same ceiling and floor.
//   So a pixel shows the first strip in front that has an opaque texel there,
//   and otherwise what the farthest strip, a wall, makes of it: its ceiling,
//   its own texel or its floor.
// - The strips in front of the farthest (doors, sprites, see-through cells)
//   are drawn first, column by column and nearest first, over their own rows
//   only; the rows they leave open are marked.
// - The farthest strips, with every ceiling and floor, are then drawn row by
//   row over the open pixels (RowPass): the row-major frame, the floor cells and
//   the texels of neighbouring columns stay in the cache, and the processor's
//   widest registers take several columns at once.
// - Columns that do not fit this (the farthest strip a door or sprite, strips
//   not nested with the eye above the ceiling or below the floor, pixel formats
//   that SDL has to split and map) are drawn column by column in full.
// Pixels are read and written as raw 32-bit words with the channel positions of
// their format and darkened by distance through a table (or the same table as
// a multiplication) instead of through SDL's colour functions.
class ViewPainter
{
public:
    // Builds the shading table from the light table.
    void Init(const RaycasterTables& tables);

    // Draws the strips of columns 0 to count - 1. Nothing is drawn when the
    // images are missing or a surface cannot be locked.
    void Paint(const WorldView& view, const std::vector<ViewColumn>& columns, int count,
               const std::vector<AnimationsType>& animations, const RaycasterTables& tables);

    const ShadeTable& Shades() const { return mShades; }
    // The way the row pass goes; the fastest this processor has unless set.
    RowPath Path() const { return mPath; }
    void UsePath(RowPath path) { mPath = path; }
    // Whether the AVX-512 path looks shades up in byte tables where the
    // processor can (it can be turned off, to check the other way).
    bool ByteTables() const { return mByteTables; }
    void UseByteTables(bool use) { mByteTables = use && RowPaths::ByteTables(); }

private:
    // Where the 8-bit channels of a 32-bit pixel format sit.
    struct PixelLayout
    {
        int redShift = 0;
        int greenShift = 0;
        int blueShift = 0;
        std::uint32_t alphaMask = 0;
        // 32 bits with 8-bit red, green and blue: read and shaded directly.
        bool direct = false;
    };

    // The image a slice is drawn from and where its texture starts there.
    struct SliceSource
    {
        SDL_Surface* surface = nullptr;
        int originX = 0;
        int originY = 0;
    };

    // A range of rows of one column, end excluded.
    struct RowRun
    {
        int begin = 0;
        int end = 0;
    };

    // The rows of a column still to be drawn by the strips further back, in order.
    struct OpenRows
    {
        RowRun* runs = nullptr;
        int count = 0;

        void Add(int row) { AddRange(row, row + 1); }
        void AddRange(int begin, int end)
        {
            if (count > 0 && runs[count - 1].end == begin)
            {
                runs[count - 1].end = end;
                return;
            }
            runs[count++] = {begin, end};
        }
    };

    // Everything the drawing of one frame reads, set up once per frame.
    struct FrameState
    {
        SDL_Surface* frame = nullptr;
        std::uint8_t* framePixels = nullptr;
        int framePitch = 0;
        int height = 0;
        bool directFrame = false;
        std::uint32_t dark = 0;
        SDL_Surface* floors = nullptr;
        SDL_Surface* walls = nullptr;
        PixelLayout floorLayout;
        bool directFloors = false;
        const Map* map = nullptr;
        const std::vector<SDL_Rect>* floorRects = nullptr;
        const std::int32_t* floorGrid = nullptr;
        int mapWidth = 0;
        double mapLimitX = 0;
        double mapLimitY = 0;
        double eyeX = 0;
        double eyeY = 0;
        double eyeHeight = 0;
        double halfHeight = 0;
        const RaycasterTables* tables = nullptr;
        const std::vector<ViewColumn>* columns = nullptr;
    };

    // The per-column quantities of one ray.
    struct Ray
    {
        int column = 0;
        double cos = 0;
        double sin = 0;
    };

    // Where a strip's rows begin and end in its column: ceiling rows above
    // ceilingEnd, floor rows from floorBegin on, the strip between.
    struct SliceRows
    {
        double top = 0;
        int ceilingEnd = 0;
        int floorBegin = 0;
    };

    // Where the ray of a ceiling or floor pixel meets the map.
    struct FloorPoint
    {
        double wx = 0;
        double wy = 0;
        int ix = 0;
        int iy = 0;
        std::int32_t value = 0;
        // The texture's first texel, or null when it reaches out of the image.
        const std::uint8_t* texture = nullptr;
        const std::uint8_t* shade = nullptr;
    };

    // Where a column's 32-bit pixels go: the frame, or the strip block.
    struct ColumnTarget
    {
        std::uint8_t* pixels = nullptr;
        std::ptrdiff_t pitch = 0;

        void Put(int row, std::uint32_t pixel) const
        {
            *reinterpret_cast<std::uint32_t*>(pixels + row * pitch) = pixel;
        }
    };

    // The per-column numbers of the row pass, one entry per column of the
    // view rounded up to whole groups; columns it leaves alone draw nothing.
    struct RowColumns
    {
        std::vector<std::int32_t> ceilingEnd;
        std::vector<std::int32_t> floorBegin;
        std::vector<double> cos;
        std::vector<double> sin;
        std::vector<double> ceilingFactor;
        std::vector<double> floorFactor;
        // One bit per pixel, row by row: drawn by a strip in front.
        std::vector<std::uint8_t> covered;
        int coveredPitch = 0;
    };

    static PixelLayout LayoutOf(const SDL_PixelFormat* format);
    void PrepareRows(int height);
    void PrepareFloors(const WorldView& view);
    // Finds every slice's image in the order the columns are drawn back to
    // front, so that a missing image fails exactly as it would there.
    void ResolveSources(const WorldView& view, SDL_Surface* walls,
                        const std::vector<ViewColumn>& columns, int count,
                        const std::vector<AnimationsType>& animations);
    SDL_Surface* DoorSurface(const Map& map, int tileX, int tileY);
    // Locks a door or sprite image for the frame where it needs it; false when
    // there is no image or it cannot be locked.
    bool LockSource(SDL_Surface* source);
    void UnlockSources();
    const SliceSource& SourceOf(int column, int slice) const
    {
        return mSources[static_cast<std::size_t>(column) * ViewColumn::MAX_SLICES +
                        static_cast<std::size_t>(slice)];
    }
    SliceRows RowsOf(const ViewSlice& slice) const;

    // --- Columns ---
    // The strip block's column while the column's group goes through it, else the frame's.
    ColumnTarget TargetOf(int column);
    // The strip block's column, or none.
    ColumnTarget BlockTargetOf(int column);
    // Draws a column's strips nearest first, each with its ceiling and floor,
    // each over the rows the ones in front left open.
    void PaintColumn(const ViewColumn& column, const Ray& ray);
    // One pixel, worked out on its own from strip `slice` on.
    void PaintPixelFrom(int column, int row, int slice);
    void PaintStrip(const Ray& ray, const ViewSlice& slice, const SliceSource& source, double top,
                    int begin, int end, OpenRows& open);
    template <typename Layout>
    void PaintStripRows(const Layout& layout, const Ray& ray, const ViewSlice& slice,
                        const SliceSource& source, double top, int begin, int end, OpenRows& open);
    // The texture row of each screen row of a strip, into mStripRows.
    void FindStripRows(const ViewSlice& slice, double top, int begin, int end);
    void PaintCeilingOrFloor(const Ray& ray, double factor, bool ceiling, int begin, int end,
                             OpenRows& open) const;
    // Finds the floor point of a ceiling or floor pixel at that distance along
    // the ray; false when the pixel is dark (no distance, or beyond the map).
    bool FindFloorPoint(double distance, double cos, double sin, FloorPoint& point) const;
    template <bool Ceiling> std::uint32_t FloorTexel(const FloorPoint& point) const;

    // --- Rows ---
    // Whether the farthest strips, the ceilings and the floors can go row by row.
    bool RowPassFits(SDL_Surface* walls) const;
    void ResetRowColumns(int count);
    // Draws a group of columns for the row pass: their strips go through the
    // strip block, columns that do not fit are drawn in full.
    void PaintRowPassGroup(int first, int last);
    // Whether an image's texels are read and shaded as the walls' are (the
    // walls image itself, or a door image of the same 32-bit format).
    bool ReadsLikeWalls(const SDL_Surface* image) const;
    // Whether the row pass can take the column: its farthest strip's rows,
    // and the rows its strips may draw widen firstRow to endRow.
    bool FitsRowPass(const ViewColumn& column, int index, SliceRows& farRows, int& firstRow,
                     int& endRow) const;
    // Draws the strips of a column and sets its row pass numbers.
    void PaintRowPassColumn(const ViewColumn& column, const Ray& ray, const SliceRows& rows);
    void LeaveColumnToOthers(int column);
    // Draws strip `index` of a column into the strip block over its own rows,
    // behind the strips in front of it (drawn already): a transparent texel
    // leaves what lies behind to the strips further back.
    void PaintBlockStrip(const ViewSlice& slice, const SliceSource& source, const SliceRows& rows,
                         const Ray& ray, int index);
    // The same pixel by pixel, each pixel still empty worked out in full.
    void PaintBlockStripPixels(int column, int begin, int end, int index);
    RowPass MakeRowPass(int count) const;
    static void PaintRowPixel(void* painter, int column, int row);

    // --- Formats SDL has to split and map ---
    void PaintCeilingOrFloorThroughSdl(const Ray& ray, double factor, bool ceiling, int begin,
                                       int end, OpenRows& open) const;
    void PaintStripThroughSdl(const Ray& ray, const ViewSlice& slice, const SliceSource& source,
                              double top, int begin, int end, OpenRows& open);

    ShadeTable mShades;
    FrameState mFrame;
    // The walls image column by column, for the strips drawn in the block,
    // and the ceiling and floor textures each in a block of its own, for the
    // row pass.
    ColumnMajorImage mWallColumns;
    TextureBlocks mFloorBlocks;
    RowPath mPath = RowPaths::Best();
    bool mByteTables = RowPaths::ByteTables();
    // Per frame height: each row as a double, and its distance below and above
    // the middle row (halfHeight - y for the ceiling, y - halfHeight for the floor).
    std::vector<double> mRowY;
    std::vector<double> mCeilingRowDepth;
    std::vector<double> mFloorRowDepth;
    int mRowsFor = -1;
    double mHalfHeightFor = 0;
    // Ceiling row y and floor row height - y lie as far from the middle for y
    // from 1 to mPairedRows - 1.
    int mPairedRows = 0;
    // Per ceiling/floor texture: its first texel, when all of it lies inside
    // the image (and its index among the image's pixels, else -1).
    std::vector<const std::uint8_t*> mFloorTexture;
    std::vector<std::int32_t> mFloorTextureIndex;
    std::vector<SliceSource> mSources;
    std::vector<SDL_Surface*> mLockedSources;
    std::vector<std::int32_t> mStripRows;
    // The group of columns whose strips are being drawn, and its first column (or -1).
    StripBlock mBlock;
    ShadedTexels mShadedTexels;
    std::vector<std::uint32_t> mBlockPixels;
    int mBlockFirst = -1;
    std::vector<RowRun> mRunsA;
    std::vector<RowRun> mRunsB;
    RowColumns mRowColumns;
    // Every column the row pass draws has equal ceiling and floor factors.
    bool mSameFactors = true;
    int mLowestFloorBegin = 0;
    int mHighestCeilingEnd = 0;
    // Door images met this frame, by cell: neighbouring columns mostly see the same door.
    struct DoorEntry
    {
        int tileX = 0;
        int tileY = 0;
        SDL_Surface* surface = nullptr;
        bool used = false;
    };
    static constexpr int DOOR_CACHE_SIZE = 64;
    std::vector<DoorEntry> mDoorCache = std::vector<DoorEntry>(DOOR_CACHE_SIZE);
};
