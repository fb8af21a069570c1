#include "render/grid_tiles.h"

#include "world/map.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// The wall bits of eight cells side by side in a map row, bit k for cell k.
std::uint64_t RowBits(const std::int32_t* cells)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i left =
        _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cells)), zero);
    const __m128i right =
        _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + 4)), zero);
    const int empty = _mm_movemask_ps(_mm_castsi128_ps(left)) |
                      _mm_movemask_ps(_mm_castsi128_ps(right)) << 4;
    return static_cast<std::uint64_t>(~empty & 0xFF);
#else
    std::uint64_t bits = 0;
    for (int x = 0; x < GridTiles::SIDE; ++x)
    {
        bits |= static_cast<std::uint64_t>(cells[x] != 0 ? 1 : 0) << x;
    }
    return bits;
#endif
}
} // namespace

void GridTiles::Reset(int width, int height)
{
    mWidth = width > 0 && height > 0 ? width : 0;
    mHeight = width > 0 && height > 0 ? height : 0;
    mTilesWide = (mWidth + SIDE - 1) / SIDE;
    const std::size_t tiles =
        static_cast<std::size_t>(mTilesWide) * static_cast<std::size_t>((mHeight + SIDE - 1) / SIDE);
    mTiles.assign(tiles, Tile{});
    mWallsStamp = 1;
    mSeenStamp = 1;
}

void GridTiles::NewFrame()
{
    RefreshWalls();
    if (++mSeenStamp == 0)
    {
        // After four billion frames the stamps start again.
        for (Tile& tile : mTiles)
        {
            tile.seenStamp = 0;
        }
        mSeenStamp = 1;
    }
}

void GridTiles::RefreshWalls()
{
    if (++mWallsStamp == 0)
    {
        for (Tile& tile : mTiles)
        {
            tile.wallsStamp = 0;
        }
        mWallsStamp = 1;
    }
}

void GridTiles::SetSolid(int x, int y, bool solid)
{
    Tile& tile = mTiles[TileAt(x, y)];
    // A tile not read in this frame is read from the map when it is met.
    if (tile.wallsStamp == mWallsStamp)
    {
        const std::uint64_t bit = std::uint64_t{1} << CellBit(x, y);
        tile.solid = solid ? tile.solid | bit : tile.solid & ~bit;
    }
}

void GridTiles::LoadWalls(const Map& map, std::size_t index)
{
    const int left = static_cast<int>(index % static_cast<std::size_t>(mTilesWide)) * SIDE;
    const int top = static_cast<int>(index / static_cast<std::size_t>(mTilesWide)) * SIDE;
    const bool grids = map.HasGrids() && map.mWidth == mWidth && map.mHeight == mHeight;
    // Cells past the map's edge are never asked for; they count as walls.
    std::uint64_t solid = ~std::uint64_t{0};
    if (grids)
    {
        const int columns = std::min(SIDE, mWidth - left);
        const int rows = std::min(SIDE, mHeight - top);
        for (int y = 0; y < rows; ++y)
        {
            const std::int32_t* cells = map.mWalls.data() +
                                        static_cast<std::size_t>(top + y) *
                                            static_cast<std::size_t>(mWidth) +
                                        static_cast<std::size_t>(left);
            std::uint64_t bits = 0xFF;
            if (columns == SIDE)
            {
                bits = RowBits(cells);
            }
            else
            {
                for (int x = 0; x < columns; ++x)
                {
                    bits &= ~(static_cast<std::uint64_t>(cells[x] == 0 ? 1 : 0) << x);
                }
            }
            solid &= ~(std::uint64_t{0xFF} << (y * SIDE)) | bits << (y * SIDE);
        }
    }
    Tile& tile = mTiles[index];
    tile.solid = solid;
    tile.wallsStamp = mWallsStamp;
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
