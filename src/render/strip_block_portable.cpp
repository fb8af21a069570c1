#include "render/shade_table.h"
#include "render/strip_block.h"

#include <cstring>

namespace
{
constexpr double DEPTH_EPSILON = 1e-10;
constexpr int TEXTURE_SIZE = 64;

int TextureRow(const WallStrip& strip, int row)
{
    return static_cast<int>((static_cast<double>(row) - strip.top) * strip.inverseScale -
                            DEPTH_EPSILON);
}

// The texture row of a screen row, when it lies on the texture.
bool RowOnTexture(const WallStrip& strip, int row)
{
    const double v = (static_cast<double>(row) - strip.top) * strip.inverseScale - DEPTH_EPSILON;
    return v > -1 && v < TEXTURE_SIZE;
}

std::uint32_t ReadTexel(const WallStrip& strip, int row)
{
    std::uint32_t texel = 0;
    std::memcpy(&texel, strip.texels + row * strip.texelPitch, sizeof texel);
    return texel;
}

bool Opaque(const WallStrip& strip, std::uint32_t texel)
{
    return strip.alphaMask == 0 || (texel & strip.alphaMask) != 0;
}

std::uint32_t Shade(const WallStrip& strip, std::uint32_t texel)
{
    return ShadeTable::ShadeTexel(strip, strip.shade, texel);
}

// Whether the strip may draw over a pixel of the block.
bool Open(const StripBlock& block, const WallStrip& strip, std::uint32_t pixel)
{
    return !strip.behind || pixel == block.empty;
}
} // namespace

void ClearStripBlockPortable(const StripBlock& block)
{
    for (int column = 0; column < StripBlock::COLUMNS; ++column)
    {
        std::uint32_t* pixels = block.Column(column);
        for (int row = block.firstRow; row < block.endRow; ++row)
        {
            pixels[row] = block.empty;
        }
    }
}

bool PaintWallStripPortable(const StripBlock& block, int column, const WallStrip& strip)
{
    if (strip.begin >= strip.end)
    {
        return true;
    }
    // The texture rows never fall as the screen rows go down.
    if (!RowOnTexture(strip, strip.begin) || !RowOnTexture(strip, strip.end - 1))
    {
        return false;
    }
    std::uint32_t* pixels = block.Column(column);
    const int first = TextureRow(strip, strip.begin);
    const int last = TextureRow(strip, strip.end - 1);
    if (strip.end - strip.begin <= last - first)
    {
        // A far strip skips texels: each pixel reads and shades its own.
        for (int row = strip.begin; row < strip.end; ++row)
        {
            const std::uint32_t texel = ReadTexel(strip, TextureRow(strip, row));
            if (Opaque(strip, texel) && Open(block, strip, pixels[row]))
            {
                pixels[row] = Shade(strip, texel);
            }
        }
        return true;
    }
    // A near strip shows each texel over several rows: each is shaded once.
    std::uint32_t shaded[TEXTURE_SIZE];
    for (int texture = first; texture <= last; ++texture)
    {
        const std::uint32_t texel = ReadTexel(strip, texture);
        shaded[texture] = Opaque(strip, texel) ? Shade(strip, texel) : block.empty;
    }
    for (int row = strip.begin; row < strip.end; ++row)
    {
        const std::uint32_t pixel = shaded[TextureRow(strip, row)];
        if (pixel != block.empty && Open(block, strip, pixels[row]))
        {
            pixels[row] = pixel;
        }
    }
    return true;
}

void FlushStripBlockPortable(const StripBlock& block, const BlockTarget& target)
{
    const int end = block.endRow < target.rows ? block.endRow : target.rows;
    for (int row = block.firstRow; row < end; ++row)
    {
        std::uint32_t* frame =
            reinterpret_cast<std::uint32_t*>(target.frame + row * target.framePitch) +
            target.firstColumn;
        std::uint8_t* covered = target.covered + row * target.coveredPitch;
        for (int column = 0; column < target.columns; ++column)
        {
            const std::uint32_t pixel = block.Column(column)[row];
            if (pixel == block.empty)
            {
                continue;
            }
            frame[column] = pixel;
            const int at = target.firstColumn + column;
            covered[at >> 3] = static_cast<std::uint8_t>(covered[at >> 3] | 1u << (at & 7));
        }
    }
}
