#include "render/grid_tiles.h"

#include "world/map.h"

#include <algorithm>

void GridTiles::Reset(int width, int height)
{
    mWidth = width > 0 && height > 0 ? width : 0;
    mHeight = width > 0 && height > 0 ? height : 0;
    mTilesWide = (mWidth + SIDE - 1) / SIDE;
    const std::size_t tiles =
        static_cast<std::size_t>(mTilesWide) * static_cast<std::size_t>((mHeight + SIDE - 1) / SIDE);
    mSolid.assign(tiles * CELLS, 0);
    mWallsStamps.assign(tiles, 0);
    mSeen.assign(tiles, 0);
    mSeenStamps.assign(tiles, 0);
    mWallsStamp = 1;
    mSeenStamp = 1;
}

void GridTiles::NewFrame()
{
    RefreshWalls();
    if (++mSeenStamp == 0)
    {
        // After four billion frames the stamps start again.
        std::fill(mSeenStamps.begin(), mSeenStamps.end(), 0);
        mSeenStamp = 1;
    }
}

void GridTiles::RefreshWalls()
{
    if (++mWallsStamp == 0)
    {
        std::fill(mWallsStamps.begin(), mWallsStamps.end(), 0);
        mWallsStamp = 1;
    }
}

void GridTiles::SetSolid(int x, int y, bool solid)
{
    const std::size_t tile = TileAt(x, y);
    // A tile not read in this frame is read from the map when it is met.
    if (mWallsStamps[tile] == mWallsStamp)
    {
        mSolid[tile * CELLS + CellBit(x, y)] = solid ? 1 : 0;
    }
}

void GridTiles::LoadWalls(const Map& map, std::size_t tile)
{
    const int left = static_cast<int>(tile % static_cast<std::size_t>(mTilesWide)) * SIDE;
    const int top = static_cast<int>(tile / static_cast<std::size_t>(mTilesWide)) * SIDE;
    std::uint8_t* solid = mSolid.data() + tile * CELLS;
    const bool grids = map.HasGrids() && map.mWidth == mWidth && map.mHeight == mHeight;
    for (int y = 0; y < SIDE; ++y)
    {
        for (int x = 0; x < SIDE; ++x)
        {
            const int cellX = left + x;
            const int cellY = top + y;
            // Cells past the map's edge are never asked for; they count as walls.
            const bool inside = grids && cellX < mWidth && cellY < mHeight;
            solid[y * SIDE + x] =
                !inside || map.mWalls[static_cast<std::size_t>(cellY) *
                                          static_cast<std::size_t>(mWidth) +
                                      static_cast<std::size_t>(cellX)] != 0
                    ? 1
                    : 0;
        }
    }
    mWallsStamps[tile] = mWallsStamp;
}

std::vector<std::uint8_t> GridTiles::SeenCells() const
{
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(mWidth) *
                                    static_cast<std::size_t>(mHeight));
    for (int y = 0; y < mHeight; ++y)
    {
        for (int x = 0; x < mWidth; ++x)
        {
            cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth) +
                  static_cast<std::size_t>(x)] = Seen(x, y) ? 1 : 0;
        }
    }
    return cells;
}
