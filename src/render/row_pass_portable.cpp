#include "render/row_pass.h"
#include "render/shade_table.h"

#include <limits>

namespace
{
constexpr double INFINITE = std::numeric_limits<double>::infinity();
constexpr double TILE = 64;
constexpr int TEXTURE_MASK = 63;
// The last entry of the light table serves every distance beyond it.
constexpr double LAST_LIGHT = 4095;

std::uint32_t ShadeTexel(const RowPass& pass, std::uint32_t texel, int light)
{
    return ShadeTable::ShadeTexel(pass, pass.shades + pass.shadeRows[light], texel);
}

bool Opaque(const RowPass& pass, std::uint32_t texel)
{
    return pass.alphaMask == 0 || (texel & pass.alphaMask) != 0;
}

// Where the ray of a ceiling or floor pixel meets the floor, on the plain path:
// inside the map past its first row and column, with a texture read directly.
struct FloorPoint
{
    int ix = 0;
    int iy = 0;
    int light = 0;
    std::int32_t texture = 0;
};

bool FindFloorPoint(const RowPass& pass, int column, double factor, double depth, FloorPoint& point)
{
    const double distance = factor / depth;
    const double x = pass.eyeX + pass.cos[column] * distance;
    const double y = pass.eyeY + pass.sin[column] * distance;
    if (!(distance >= 0 && distance < INFINITE && x >= TILE && y >= TILE && x < pass.mapLimitX &&
          y < pass.mapLimitY))
    {
        return false;
    }
    point.ix = static_cast<int>(x);
    point.iy = static_cast<int>(y);
    const std::int32_t value = pass.floorGrid[static_cast<std::size_t>(point.iy >> 6) *
                                                  static_cast<std::size_t>(pass.mapWidth) +
                                              static_cast<std::size_t>(point.ix >> 6)];
    if (static_cast<std::uint32_t>(value) >= static_cast<std::uint32_t>(pass.floorTextureCount))
    {
        return false;
    }
    point.texture = pass.floorTextures[value];
    point.light = static_cast<int>(distance < LAST_LIGHT ? distance : LAST_LIGHT);
    return point.texture >= 0;
}

// The texel of a floor point: the floor's own, or for the ceiling the texture
// turned over (past the first cell row and column wx - 64 and 64 - wy are exact,
// so that is column ix & 63, row -iy & 63).
std::uint32_t FloorTexel(const RowPass& pass, const FloorPoint& point, bool ceiling)
{
    const int row = (ceiling ? -point.iy : point.iy) & TEXTURE_MASK;
    return pass.floorTexels[point.texture + row * pass.floorPitch + (point.ix & TEXTURE_MASK)];
}

// One ceiling or floor pixel from a found point; false when it is off the plain path.
bool PutFloorPixel(const RowPass& pass, const FloorPoint& point, bool ceiling, std::uint32_t* pixel)
{
    const std::uint32_t texel = FloorTexel(pass, point, ceiling);
    if (!Opaque(pass, texel))
    {
        return false;
    }
    *pixel = ShadeTexel(pass, texel, point.light);
    return true;
}

bool Covered(const RowPass& pass, int column, int row)
{
    return (pass.covered[row * pass.coveredPitch + (column >> 3)] >> (column & 7) & 1) != 0;
}

std::uint32_t* RowPixels(const RowPass& pass, int row)
{
    return reinterpret_cast<std::uint32_t*>(pass.frame + row * pass.framePitch);
}

// A row on its own: ceiling and floor pixels, each with its own floor point.
void PaintRow(const RowPass& pass, int row)
{
    std::uint32_t* pixels = RowPixels(pass, row);
    const double ceilingDepth = pass.halfHeight - row;
    const double floorDepth = row - pass.halfHeight;
    for (int c = 0; c < pass.columns; ++c)
    {
        const bool ceiling = row < pass.ceilingEnd[c];
        if ((!ceiling && row < pass.floorBegin[c]) || Covered(pass, c, row))
        {
            continue;
        }
        FloorPoint point;
        if (!(FindFloorPoint(pass, c, ceiling ? pass.ceilingFactor[c] : pass.floorFactor[c],
                             ceiling ? ceilingDepth : floorDepth, point) &&
              PutFloorPixel(pass, point, ceiling, pixels + c)))
        {
            pass.paintPixel(pass.painter, c, row);
        }
    }
}

// Ceiling row `top` and floor row `bottom`, as far from the middle: one floor
// point for both.
void PaintPair(const RowPass& pass, int top, int bottom)
{
    std::uint32_t* above = RowPixels(pass, top);
    std::uint32_t* below = RowPixels(pass, bottom);
    const double depth = pass.halfHeight - top;
    for (int c = 0; c < pass.columns; ++c)
    {
        const bool ceiling = top < pass.ceilingEnd[c] && !Covered(pass, c, top);
        const bool floor = bottom >= pass.floorBegin[c] && !Covered(pass, c, bottom);
        if (!ceiling && !floor)
        {
            continue;
        }
        FloorPoint point;
        const bool found = FindFloorPoint(pass, c, pass.floorFactor[c], depth, point);
        if (ceiling && !(found && PutFloorPixel(pass, point, true, above + c)))
        {
            pass.paintPixel(pass.painter, c, top);
        }
        if (floor && !(found && PutFloorPixel(pass, point, false, below + c)))
        {
            pass.paintPixel(pass.painter, c, bottom);
        }
    }
}
} // namespace

void PaintRowsPortable(const RowPass& pass)
{
    for (int row = 0; row < pass.rows; ++row)
    {
        // Rows with neither ceiling nor floor in any column are left out.
        const bool single = !pass.paired || row == 0 ||
                            (row >= pass.pairedRows && row <= pass.rows - pass.pairedRows);
        if (single && (row < pass.ceilingRows || row >= pass.floorRows))
        {
            PaintRow(pass, row);
        }
        else if (!single && row < pass.pairedRows &&
                 (row < pass.ceilingRows || pass.rows - row >= pass.floorRows))
        {
            PaintPair(pass, row, pass.rows - row);
        }
    }
}
