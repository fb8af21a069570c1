#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Map;

// What the rays need of the map's walls grid, and the cells they pass through
// this frame, kept in tiles of 8 x 8 cells.
//
// The map keeps its cells row by row: on a large map the cells a ray passes
// going up or down lie a whole map row apart, each on its own cache line and
// page, so a step would cost more the larger the map is. Here the cells of a
// tile share one cache line (whether each holds a wall) and one 64-bit word
// (whether each was seen), so a view costs the same on any map. A tile's walls
// are copied from the map when a ray first meets the tile in a frame (or in a
// cast of its own), so they are never older than that; the raycaster tells of
// the cells it clears and puts back while casting.
class GridTiles
{
public:
    static constexpr int SIDE = 8;
    static_assert(SIDE == 8, "tiles are found with shifts by 3");
    static constexpr int CELLS = SIDE * SIDE;

    // Sizes the tiles for a map of width x height cells: nothing seen.
    void Reset(int width, int height);
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    // A new frame: no cell seen, and the walls read from the map again.
    void NewFrame();
    // The walls read from the map again (a cast outside a frame).
    void RefreshWalls();

    // Whether walls cell (x, y), inside the map, holds anything.
    bool Solid(const Map& map, int x, int y)
    {
        const std::size_t tile = TileAt(x, y);
        if (mWallsStamps[tile] != mWallsStamp)
        {
            LoadWalls(map, tile);
        }
        return mSolid[tile * CELLS + CellBit(x, y)] != 0;
    }
    // Records a change the raycaster makes to a walls cell inside the map.
    void SetSolid(int x, int y, bool solid);
    // Marks cell (x, y), inside the map, as seen this frame.
    void MarkSeen(int x, int y)
    {
        const std::size_t tile = TileAt(x, y);
        if (mSeenStamps[tile] != mSeenStamp)
        {
            mSeenStamps[tile] = mSeenStamp;
            mSeen[tile] = 0;
        }
        mSeen[tile] |= std::uint64_t{1} << CellBit(x, y);
    }
    // Whether cell (x, y), inside the map, was seen this frame.
    bool Seen(int x, int y) const
    {
        const std::size_t tile = TileAt(x, y);
        return mSeenStamps[tile] == mSeenStamp && (mSeen[tile] >> CellBit(x, y) & 1) != 0;
    }
    // One flag per cell, row by row (1 seen).
    std::vector<std::uint8_t> SeenCells() const;

private:
    // Cells inside the map: x and y are not negative.
    std::size_t TileAt(int x, int y) const
    {
        return static_cast<std::size_t>(static_cast<unsigned>(y) >> 3) *
                   static_cast<std::size_t>(mTilesWide) +
               (static_cast<unsigned>(x) >> 3);
    }
    static unsigned CellBit(int x, int y)
    {
        return (static_cast<unsigned>(y) & 7u) << 3 | (static_cast<unsigned>(x) & 7u);
    }
    void LoadWalls(const Map& map, std::size_t tile);

    int mWidth = 0;
    int mHeight = 0;
    int mTilesWide = 0;
    // Per tile: whether each cell holds a wall (one byte each), when that was
    // read, the cells seen and for which frame.
    std::vector<std::uint8_t> mSolid;
    std::vector<std::uint32_t> mWallsStamps;
    std::vector<std::uint64_t> mSeen;
    std::vector<std::uint32_t> mSeenStamps;
    std::uint32_t mWallsStamp = 1;
    std::uint32_t mSeenStamp = 1;
};
