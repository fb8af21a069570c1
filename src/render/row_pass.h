#pragma once

#include <cstddef>
#include <cstdint>

struct BlockTarget;
struct StripBlock;
struct WallStrip;

// The row pass of the 3D view: the ceilings and floors of the farthest strips,
// drawn row by row over the pixels that the strips left open.
//
// Along a row the arithmetic of neighbouring columns is the same but for the
// column's own numbers, so wide registers take several columns at once; and
// with the eye half way up, ceiling row y and floor row (rows - y) lie as far
// from the middle and see the same floor points, which are then found once for
// both. Every pixel still gets the very operations of the plain renderer, in
// its order. A pixel off the plain path (a transparent texel, a floor point off
// the map or in its first row or column, a texture that cannot be read
// directly) is handed back through paintPixel, which works it out in full.
struct RowPass
{
    // Columns go in groups of this many; the per-column arrays hold whole groups.
    static constexpr int GROUP = 8;
    // The widest view the row pass draws, a whole number of pairs of groups.
    static constexpr int MAX_COLUMNS = 320;
    static constexpr int TEXTURE_SIZE = 64;

    // The frame: 32-bit pixels.
    std::uint8_t* frame = nullptr;
    std::ptrdiff_t framePitch = 0;
    int columns = 0;
    int rows = 0;
    double halfHeight = 0;
    // Ceiling row y and floor row rows - y share their floor points for y from
    // 1 to pairedRows - 1 (the eye half way up and every ceiling factor equal to
    // the floor factor); the other rows go one by one.
    bool paired = false;
    int pairedRows = 0;
    // No column has ceiling rows from ceilingRows down, nor floor rows above floorRows.
    int ceilingRows = 0;
    int floorRows = 0;

    // Per column, the rows of its farthest strip: ceiling rows y < ceilingEnd,
    // floor rows y >= floorBegin. A column that the row pass leaves alone has
    // none of them.
    const std::int32_t* ceilingEnd = nullptr;
    const std::int32_t* floorBegin = nullptr;
    // Per column: the ray and the ceiling and floor factors.
    const double* cos = nullptr;
    const double* sin = nullptr;
    const double* ceilingFactor = nullptr;
    const double* floorFactor = nullptr;
    // Every factor is zero or a normal number well inside the range of
    // doubles: a row's distances may then come without dividing (see the
    // AVX-512 path). Set by RowPass::FactorsFit.
    bool stepsFit = false;
    // One bit per pixel, row by row (coveredPitch bytes a row): the pixel is
    // drawn by a strip and the row pass leaves it.
    const std::uint8_t* covered = nullptr;
    std::ptrdiff_t coveredPitch = 0;

    // The ceilings-and-floors grid of the map and its extent in world units.
    const std::int32_t* floorGrid = nullptr;
    int mapWidth = 0;
    double mapLimitX = 0;
    double mapLimitY = 0;
    double eyeX = 0;
    double eyeY = 0;
    // Per ceilings-and-floors value: the index in floorTexels of its texture's
    // first texel, or -1 when the texture cannot be read directly.
    const std::int32_t* floorTextures = nullptr;
    int floorTextureCount = 0;
    const std::uint32_t* floorTexels = nullptr;
    int floorPitch = 0;

    // Shading per light table entry: the table rows and the multipliers.
    const std::uint8_t* shades = nullptr;
    const std::uint32_t* shadeRows = nullptr;
    const std::uint32_t* multipliers = nullptr;
    // The texel format: where red, green and blue sit, and the alpha mask that
    // every shaded pixel gets (0 for a format without alpha, whose texels are
    // all opaque).
    int redShift = 0;
    int greenShift = 0;
    int blueShift = 0;
    std::uint32_t alphaMask = 0;
    // Whether lights whose shading fits no multiplication may be looked up in
    // wide byte tables (the processor has them, and each channel is a byte).
    bool byteTables = false;

    // Whether factors may be divided by the reciprocal step: each zero or of
    // a magnitude from 2^-900 to 2^900.
    static bool FactorsFit(const double* factors, int count);

    // Works out pixel (column, row) in full.
    void (*paintPixel)(void* painter, int column, int row) = nullptr;
    void* painter = nullptr;
};

// The ways the row pass can go: portable code, or the wide registers of the
// processor it runs on. Every way draws the same pixels.
enum class RowPath
{
    Portable,
    Avx512,
};

namespace RowPaths
{
// Whether this processor can take the path.
bool Available(RowPath path);
// The fastest available path.
RowPath Best();
// Whether the AVX-512 path can also look bytes up in wide tables (VBMI).
bool ByteTables();
const char* Name(RowPath path);
void Paint(RowPath path, const RowPass& pass);
void ClearStripBlock(RowPath path, const StripBlock& block);
bool PaintWallStrip(RowPath path, const StripBlock& block, int column, const WallStrip& strip);
void FlushStripBlock(RowPath path, const StripBlock& block, const BlockTarget& target);
} // namespace RowPaths

// The paths themselves.
void PaintRowsPortable(const RowPass& pass);
void PaintRowsAvx512(const RowPass& pass);
// The distances factor / depth as the AVX-512 path finds them for a pair of
// rows (count a multiple of 8), for the tests to hold against the division.
void RowQuotientsAvx512(const double* factors, int count, double depth, bool stepsFit,
                        double* quotients);
