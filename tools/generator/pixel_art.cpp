#include "pixel_art.h"

#include <algorithm>

namespace
{
Color Lookup(char symbol, const std::vector<PaletteEntry>& palette)
{
    for (const PaletteEntry& entry : palette)
    {
        if (entry.symbol == symbol)
        {
            return entry.colour;
        }
    }
    return TRANSPARENT_PIXEL;
}
} // namespace

Canvas PixelArt(const std::vector<std::string>& rows, const std::vector<PaletteEntry>& palette)
{
    const int height = static_cast<int>(rows.size());
    int width = 0;
    for (const std::string& row : rows)
    {
        width = std::max(width, static_cast<int>(row.size()));
    }
    Canvas canvas(width, height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
        {
            canvas.Set(x, y, Lookup(rows[y][x], palette));
        }
    }
    return canvas;
}
