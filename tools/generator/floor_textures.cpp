#include "floor_textures.h"

#include "fractal_noise.h"
#include "masonry.h"
#include "random.h"
#include "texture_atlas.h"
#include "wood_grain.h"

#include <vector>

namespace
{
constexpr int SIZE = 64;
// Four boards to a tile: wide enough to stay calm in the distance, on floors and ceilings.
constexpr int PLANK_HEIGHT = 16;
const Rgb FLOOR_WOOD{134, 90, 56};

struct PlankRow
{
    std::vector<int> lengths;
    int offset;
};

std::vector<PlankRow> LayPlankRows()
{
    const std::vector<std::vector<int>> patterns = {{64}, {40, 24}, {64}, {28, 36}};
    Random random(1103);
    std::vector<PlankRow> rows;
    for (int row = 0; row < SIZE / PLANK_HEIGHT; ++row)
    {
        rows.push_back({patterns[row], random.Range(0, SIZE - 1)});
    }
    return rows;
}

// Which plank a pixel belongs to and how far it is from that plank's ends.
struct PlankSpot
{
    int id;
    int fromStart;
    int fromEnd;
};

PlankSpot LocatePlank(const PlankRow& row, int rowIndex, int x)
{
    const int shifted = ((x - row.offset) % SIZE + SIZE) % SIZE;
    int start = 0;
    for (std::size_t plank = 0; plank < row.lengths.size(); ++plank)
    {
        const int length = row.lengths[plank];
        if (shifted < start + length)
        {
            return {rowIndex * 4 + static_cast<int>(plank), shifted - start,
                    start + length - 1 - shifted};
        }
        start += length;
    }
    return {rowIndex * 4, 0, 0};
}

Canvas MakeLaminate()
{
    const std::vector<PlankRow> rows = LayPlankRows();
    const WoodGrain grain(1109, false);
    const FractalNoise wear(1117, 4, 4, 3);
    Canvas canvas(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y)
    {
        const int rowIndex = y / PLANK_HEIGHT;
        const int inRow = y % PLANK_HEIGHT;
        for (int x = 0; x < SIZE; ++x)
        {
            const PlankSpot spot = LocatePlank(rows[rowIndex], rowIndex, x);
            Rgb colour = grain.At(FLOOR_WOOD, x, y, spot.id);
            // Foot traffic has polished some patches lighter.
            colour = colour * (0.9f + 0.2f * wear.Sample(x / 64.0f, y / 64.0f));
            if (inRow == 0 || spot.fromStart == 0)
            {
                colour = colour * 0.5f; // the seams between planks
            }
            else if (inRow == 1 || spot.fromStart == 1)
            {
                colour = colour * 1.08f;
            }
            else if (inRow == PLANK_HEIGHT - 1 || spot.fromEnd == 0)
            {
                colour = colour * 0.84f;
            }
            else if ((spot.fromStart == 3 || spot.fromEnd == 2) && (inRow == 4 || inRow == 11))
            {
                colour = Rgb{58, 44, 36}; // the nails at a board's ends
            }
            canvas.Set(x, y, ToColor(colour));
        }
    }
    return canvas;
}

// A stone sill across the cell under a doorway, running along x unless vertical is set.
void PaintThreshold(Canvas& canvas, bool vertical)
{
    constexpr int first = 25;
    constexpr int last = 38;
    const FractalNoise grain(1201, 16, 16, 3);
    for (int along = 0; along < SIZE; ++along)
    {
        for (int across = first; across <= last; ++across)
        {
            const int x = vertical ? across : along;
            const int y = vertical ? along : across;
            Rgb colour = Rgb{132, 128, 128} * (0.82f + 0.3f * grain.Sample(x / 64.0f, y / 64.0f));
            if (across == first || across == last || along == 0)
            {
                colour = Rgb{34, 30, 30}; // the gap around the sill and between its two slabs
            }
            else if (across == first + 1 || along == 1 || along == 32)
            {
                colour = colour * 1.25f;
            }
            else if (across == last - 1 || along == SIZE - 1 || along == 31)
            {
                colour = colour * 0.7f;
            }
            if (along == 31 || along == 32)
            {
                colour = along == 31 ? Rgb{34, 30, 30} : colour;
            }
            canvas.Set(x, y, ToColor(colour));
        }
    }
}

Canvas MakeDoorFrameFloor(bool vertical)
{
    Canvas canvas = MakeLaminate();
    PaintThreshold(canvas, vertical);
    return canvas;
}

Canvas MakeFlagstones()
{
    MasonryStyle style;
    style.stone = Rgb{92, 90, 94};
    style.mortar = Rgb{38, 36, 38};
    style.bevel = 0.2f;
    style.seed = 1301;
    return PaintMasonry({{32, {32, 32}, 0}, {32, {32, 32}, 16}}, style);
}
} // namespace

Canvas MakeCeilingFloorAtlas()
{
    Canvas atlas = MakeFilledAtlas(MakeFlagstones());
    PlaceTile(atlas, MakeLaminate(), FloorTextures::LAMINATE);
    PlaceTile(atlas, MakeDoorFrameFloor(false), FloorTextures::HORIZONTAL_DOOR_FRAME);
    PlaceTile(atlas, MakeDoorFrameFloor(true), FloorTextures::VERTICAL_DOOR_FRAME);
    return atlas;
}
