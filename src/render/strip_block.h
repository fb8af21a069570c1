#pragma once

#include <cstddef>
#include <cstdint>

// The shaded texels of the last wall strip drawn from its texture column's
// table: neighbouring columns near a wall mostly show the same texture column
// at the same light, and take them from here.
struct ShadedTexels
{
    static constexpr int TEXELS = 64;

    // What the texels were read and shaded for.
    const std::uint8_t* texels = nullptr;
    std::ptrdiff_t texelPitch = 0;
    int first = 0;
    int last = 0;
    std::uint32_t multiplier = 0;
    const std::uint8_t* shade = nullptr;
    std::uint32_t alphaMask = 0;
    std::uint32_t empty = 0;
    bool byteTables = false;
    bool valid = false;
    alignas(64) std::uint32_t shaded[TEXELS] = {};
};

// A group of neighbouring columns of the view whose strips are drawn column by
// column. Going down a column of the frame itself touches rows that lie a
// whole frame row apart, of which the cache keeps few; so the strips are drawn
// into the block, where a column's pixels lie side by side, and the block then
// goes into the frame row by row. Pixels not drawn keep the value `empty`,
// which no drawn pixel can have (its alpha, or its unused byte, differs), and
// leave the frame's pixels as they are.
struct StripBlock
{
    static constexpr int COLUMNS = 16;
    // Rows go in bands of this many, from and to a multiple of it.
    static constexpr int BAND = 16;

    // COLUMNS columns of `stride` pixels each (a multiple of BAND).
    std::uint32_t* pixels = nullptr;
    int stride = 0;
    // The rows that may be drawn: from firstRow up to endRow, both multiples of BAND.
    int firstRow = 0;
    int endRow = 0;
    std::uint32_t empty = 0;
    // Kept from strip to strip of the group (forgotten when the block is cleared).
    ShadedTexels* shadedTexels = nullptr;

    std::uint32_t* Column(int column) const
    {
        return pixels + static_cast<std::ptrdiff_t>(column) * stride;
    }
};

// The rows begin to end of a strip whose texture column lies inside its image.
// A transparent texel leaves the pixel as it is: for the farthest strip of a
// column, nothing lies behind it; for one in front, the strips behind it are
// drawn later, over what it left empty.
struct WallStrip
{
    // The texture column's first texel and the distance between its rows.
    const std::uint8_t* texels = nullptr;
    std::ptrdiff_t texelPitch = 0;
    double top = 0;
    double inverseScale = 0;
    int begin = 0;
    int end = 0;
    // Drawn behind strips already in the block: only over the pixels they
    // left empty.
    bool behind = false;
    // Its shading: the light's multiplier (ShadeTable) and table row.
    std::uint32_t multiplier = 0;
    const std::uint8_t* shade = nullptr;
    // The texel format.
    int redShift = 0;
    int greenShift = 0;
    int blueShift = 0;
    std::uint32_t alphaMask = 0;
    // The processor can look bytes up in a 256-byte table in its wide
    // registers (AVX-512 VBMI): the shading table row is used so.
    bool byteTables = false;
};

// Where the block goes in the frame, and the one bit per pixel, row by row,
// that marks every pixel drawn (for the row pass to leave alone).
struct BlockTarget
{
    std::uint8_t* frame = nullptr;
    std::ptrdiff_t framePitch = 0;
    int rows = 0;
    int firstColumn = 0;
    int columns = 0;
    std::uint8_t* covered = nullptr;
    std::ptrdiff_t coveredPitch = 0;
};

// Portable and AVX-512 forms; RowPaths picks one.
// Fills the block's rows with `empty`.
void ClearStripBlockPortable(const StripBlock& block);
void ClearStripBlockAvx512(const StripBlock& block);
// Draws a wall strip into a column of the block; false (nothing drawn) when
// its texture rows reach off the texture.
bool PaintWallStripPortable(const StripBlock& block, int column, const WallStrip& strip);
bool PaintWallStripAvx512(const StripBlock& block, int column, const WallStrip& strip);
// Copies the drawn pixels into the frame and marks them.
void FlushStripBlockPortable(const StripBlock& block, const BlockTarget& target);
void FlushStripBlockAvx512(const StripBlock& block, const BlockTarget& target);
