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
// page, so a step would cost more the larger the map is. Here one small record
// per tile holds whether each of its cells holds a wall and whether each was
// seen, one bit a cell, so a view costs the same on any map. A tile's walls
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
        const Tile& tile = WallsOf(map, TileAt(x, y));
        return (tile.solid >> CellBit(x, y) & 1) != 0;
    }
    // A walk's place among the tiles: the tile it is in, that tile's walls and
    // the cells it has seen there, written to the tile when it leaves it.
    struct Cursor
    {
        std::size_t index = NO_TILE;
        std::uint64_t solid = 0;
        std::uint64_t seen = 0;
    };
    static constexpr std::size_t NO_TILE = ~std::size_t{0};
    // A walk's step into cell (x, y), inside the map: true when the cell
    // holds a wall, else the cell is marked as seen (when the cursor leaves
    // its tile).
    bool Enter(const Map& map, Cursor& cursor, int x, int y)
    {
        const std::size_t index = TileAt(x, y);
        if (index != cursor.index)
        {
            MoveTo(map, cursor, index);
        }
        const std::uint64_t bit = std::uint64_t{1} << CellBit(x, y);
        if ((cursor.solid & bit) != 0)
        {
            return true;
        }
        cursor.seen |= bit;
        return false;
    }
    // Writes down what the cursor has seen.
    void Leave(Cursor& cursor)
    {
        if (cursor.index != NO_TILE && cursor.seen != 0)
        {
            MarkSeenIn(mTiles[cursor.index], cursor.seen);
        }
        cursor.seen = 0;
    }
    // Records a change the raycaster makes to a walls cell inside the map.
    void SetSolid(int x, int y, bool solid);
    // Marks cell (x, y), inside the map, as seen this frame.
    void MarkSeen(int x, int y)
    {
        MarkSeenIn(mTiles[TileAt(x, y)], std::uint64_t{1} << CellBit(x, y));
    }
    // Whether cell (x, y), inside the map, was seen this frame.
    bool Seen(int x, int y) const
    {
        const Tile& tile = mTiles[TileAt(x, y)];
        return tile.seenStamp == mSeenStamp && (tile.seen >> CellBit(x, y) & 1) != 0;
    }
    // One flag per cell, row by row (1 seen).
    std::vector<std::uint8_t> SeenCells() const;

private:
    struct Tile
    {
        // One bit per cell, bit 8 * row + column: holds a wall, seen.
        std::uint64_t solid = 0;
        std::uint64_t seen = 0;
        // The frame (or cast) the walls were read for, and the frame of the marks.
        std::uint32_t wallsStamp = 0;
        std::uint32_t seenStamp = 0;
    };

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
    Tile& WallsOf(const Map& map, std::size_t index)
    {
        Tile& tile = mTiles[index];
        if (tile.wallsStamp != mWallsStamp)
        {
            LoadWalls(map, index);
        }
        return tile;
    }
    void MarkSeenIn(Tile& tile, std::uint64_t cells) const
    {
        if (tile.seenStamp != mSeenStamp)
        {
            tile.seenStamp = mSeenStamp;
            tile.seen = 0;
        }
        tile.seen |= cells;
    }
    void LoadWalls(const Map& map, std::size_t index);
    void MoveTo(const Map& map, Cursor& cursor, std::size_t index)
    {
        Leave(cursor);
        cursor.index = index;
        cursor.solid = WallsOf(map, index).solid;
    }

    int mWidth = 0;
    int mHeight = 0;
    int mTilesWide = 0;
    std::vector<Tile> mTiles;
    std::uint32_t mWallsStamp = 1;
    std::uint32_t mSeenStamp = 1;
};
