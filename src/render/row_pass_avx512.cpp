// Every multiply and add of the wide paths is rounded on its own, as in the
// plain renderer: the compiler must not fuse them, which it would otherwise do
// where the processor's fused multiply-add is enabled for these functions.
// (Before any include, so that every function of this file is compiled so.)
#if defined(__clang__)
#pragma clang fp contract(off)
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

#include "render/row_pass.h"
#include "render/shade_table.h"
#include "render/wide_shading_avx512.h"

#if defined(__x86_64__) || defined(__i386__)

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

// The row pass in the wide registers of AVX-512: sixteen columns go at once,
// their doubles in two registers, their 32-bit numbers and pixels in one.

namespace
{
using namespace WideShading;

constexpr double LAST_LIGHT = 4095;

// The frame's numbers, spread over every lane.
struct RowLanes
{
    __m512d eyeX;
    __m512d eyeY;
    __m512d zero;
    __m512d lastLight;
    // How far past the first column and row a point inside the map can lie:
    // limit - 64 across and down.
    __m512i insideX;
    __m512i insideY;
    __m512i pitch;
    // Where the map's width and the pitch fit in 15 bits, cell rows and
    // texture rows are multiplied by them in 16 bits (one quick instruction).
    bool shortProducts;
    __m512i mapWidth;
    Lanes shading;
};

QUILL_AVX512 RowLanes MakeRowLanes(const RowPass& pass)
{
    RowLanes lanes;
    lanes.eyeX = _mm512_set1_pd(pass.eyeX);
    lanes.eyeY = _mm512_set1_pd(pass.eyeY);
    lanes.zero = _mm512_setzero_pd();
    lanes.lastLight = _mm512_set1_pd(LAST_LIGHT);
    lanes.insideX =
        _mm512_set1_epi32(std::max(0, static_cast<int>(pass.mapLimitX) - RowPass::TEXTURE_SIZE));
    lanes.insideY =
        _mm512_set1_epi32(std::max(0, static_cast<int>(pass.mapLimitY) - RowPass::TEXTURE_SIZE));
    lanes.pitch = _mm512_set1_epi32(pass.floorPitch);
    constexpr int SHORT = 1 << 15;
    lanes.shortProducts = pass.floorPitch >= 0 && pass.floorPitch < SHORT && pass.mapWidth >= 0 &&
                          pass.mapWidth < SHORT && pass.mapLimitY < 64.0 * SHORT;
    lanes.mapWidth = _mm512_set1_epi32(pass.mapWidth);
    lanes.shading = MakeLanes({pass.redShift, pass.greenShift, pass.blueShift, pass.alphaMask});
    return lanes;
}

// Hands the wanted lanes not drawn to the full computation.
inline void PaintLeftLanes(const RowPass& pass, int c, int row, unsigned left)
{
    while (left != 0)
    {
        const int lane = __builtin_ctz(left);
        left &= left - 1;
        pass.paintPixel(pass.painter, c + lane, row);
    }
}

// A pair of rows goes in two sweeps over the columns, the groups of columns
// independent of each other within a sweep, so that the processor works on
// several at once instead of waiting for each lookup in turn: first the floor
// points with their cells' textures and their lights' multipliers, then the
// texels and pixels.
struct PairSweeps
{
    static constexpr int PAIRS = RowPass::MAX_COLUMNS / (2 * RowPass::GROUP);

    alignas(64) std::int32_t light[RowPass::MAX_COLUMNS];
    // Where the texels lie in the image.
    alignas(64) std::int32_t floorPlace[RowPass::MAX_COLUMNS];
    alignas(64) std::int32_t ceilingPlace[RowPass::MAX_COLUMNS];
    alignas(64) std::uint32_t multiplier[RowPass::MAX_COLUMNS];
    // Per pair of groups (sixteen columns).
    __mmask16 ceiling[PAIRS];
    __mmask16 floor[PAIRS];
    __mmask16 found[PAIRS];
};

// The points of a pair of rows go sixteen columns at a time (two groups): the
// masks, checks and stores around the arithmetic then serve twice the pixels.
constexpr int PAIR_COLUMNS = 2 * RowPass::GROUP;
static_assert(RowPass::MAX_COLUMNS % PAIR_COLUMNS == 0, "the sweeps hold whole pairs of groups");
constexpr __mmask16 ALL_COLUMNS = 0xFFFF;

// Sixteen of the per-column numbers, those of columns `inView` only (the
// second eight may lie beyond the view, and beyond the arrays). The callers
// pass constant masks: whole groups of sixteen load plainly.
QUILL_AVX512 inline __m512i LoadInts16(const std::int32_t* values, __mmask16 inView)
{
    return inView == ALL_COLUMNS ? _mm512_loadu_si512(values)
                                 : _mm512_maskz_loadu_epi32(inView, values);
}

QUILL_AVX512 inline __m512d LoadDoubles8(const double* values, __mmask8 inView)
{
    return inView == ALL_LANES ? _mm512_loadu_pd(values) : _mm512_maskz_loadu_pd(inView, values);
}

QUILL_AVX512 inline __m512i JoinInts(__m256i low, __m256i high)
{
    return _mm512_maskz_inserti64x4(ALL_LANES, _mm512_castsi256_si512(low), high, 1);
}

// The lanes of sixteen columns of a row that no strip drew.
inline __mmask16 OpenLanes16(const RowPass& pass, int c, int row, __mmask16 inView)
{
    const std::uint8_t* covered = pass.covered + row * pass.coveredPitch + (c >> 3);
    std::uint16_t bits = 0;
    if ((inView >> 8) != 0)
    {
        std::memcpy(&bits, covered, sizeof bits);
    }
    else
    {
        bits = covered[0];
    }
    return static_cast<__mmask16>(~bits & inView);
}

// The distances of a row's floor points are the columns' factors over the
// row's depth. A division takes the divider many cycles, one after another, so
// where it can they come from the correctly rounded reciprocal of the depth
// instead: factor x reciprocal lies within an ulp of the quotient, the exact
// remainder of that estimate comes from one fused multiply-add, and one more
// step with it rounds to the very quotient the division gives (Markstein's
// theorem; tests compare the two on many millions of values). That holds
// while nothing overflows or falls below the normal numbers: the frame's
// factors are checked for it once (RowDivision), else every row divides.
struct RowDivisor
{
    __m512d depth;
    __m512d reciprocal;
    bool divide;
};

QUILL_AVX512 inline RowDivisor MakeRowDivisor(double depth, bool stepsFit)
{
    return {_mm512_set1_pd(depth), _mm512_set1_pd(1 / depth),
            !stepsFit || !(std::fabs(depth) >= 0x1p-900 && std::fabs(depth) <= 0x1p900)};
}

QUILL_AVX512 inline __m512d Quotients(__m512d factors, const RowDivisor& divisor)
{
    if (divisor.divide)
    {
        return _mm512_div_pd(factors, divisor.depth);
    }
    const __m512d estimate = _mm512_mul_pd(factors, divisor.reciprocal);
    const __m512d remainder = _mm512_fnmadd_pd(estimate, divisor.depth, factors);
    return _mm512_fmadd_pd(remainder, divisor.reciprocal, estimate);
}

// Sixteen floor points at the distances factor / depth: `found` has the lanes
// on the plain path (inside the map, past its first row and column); their
// cell, light table entry and place within the texture (texture row y & 63
// for the floor, -y & 63 for the ceiling, which shows the texture turned
// over). The numbers of lanes not found mean nothing: every lookup leaves
// those lanes out.
struct FloorPoints16
{
    __mmask16 found;
    __m512i cell;
    __m512i light;
    __m512i floorPlace;
    __m512i ceilingPlace;
};

QUILL_AVX512 inline FloorPoints16 FindFloorPoints16(const RowPass& pass, const RowLanes& lanes,
                                                    int c, const __m512d (&factors)[2],
                                                    const RowDivisor (&depths)[2], __mmask16 want,
                                                    __mmask16 inView)
{
    const __mmask8 highView = static_cast<__mmask8>(inView >> 8);
    const __m512d distance[2] = {Quotients(factors[0], depths[0]),
                                 Quotients(factors[1], depths[1])};
    const __m512d cos[2] = {_mm512_loadu_pd(pass.cos + c),
                            LoadDoubles8(pass.cos + c + 8, highView)};
    const __m512d sin[2] = {_mm512_loadu_pd(pass.sin + c),
                            LoadDoubles8(pass.sin + c + 8, highView)};
    __m256i ix[2];
    __m256i iy[2];
    __m256i light[2];
    __mmask8 found[2];
    for (int half = 0; half < 2; ++half)
    {
        const __m512d x = _mm512_add_pd(lanes.eyeX, _mm512_mul_pd(cos[half], distance[half]));
        const __m512d y = _mm512_add_pd(lanes.eyeY, _mm512_mul_pd(sin[half], distance[half]));
        found[half] = _mm512_cmp_pd_mask(distance[half], lanes.zero, _CMP_GE_OQ);
        ix[half] = CutToInts(x);
        iy[half] = CutToInts(y);
        light[half] = CutToInts(_mm512_maskz_min_pd(ALL_LANES, distance[half], lanes.lastLight));
    }
    const __m512i x = JoinInts(ix[0], ix[1]);
    const __m512i y = JoinInts(iy[0], iy[1]);
    const __m512i textureMask = _mm512_set1_epi32(RowPass::TEXTURE_SIZE - 1);
    // 64 <= x < limitX and the same down the map, checked on the whole numbers:
    // truncating keeps which side of a whole number a point lies on, and turns
    // what is not a number, or is too large, into a number far outside. (A
    // distance that is not finite puts the point there too.)
    const __m512i tile = _mm512_set1_epi32(RowPass::TEXTURE_SIZE);
    FloorPoints16 points;
    // (The masks stay in mask registers: joined and narrowed there.)
    const __mmask16 lit = _mm512_kand(want, _mm512_kunpackb(found[1], found[0]));
    points.found = _mm512_mask_cmplt_epu32_mask(
        _mm512_mask_cmplt_epu32_mask(lit, _mm512_sub_epi32(x, tile), lanes.insideX),
        _mm512_sub_epi32(y, tile), lanes.insideY);
    points.light = JoinInts(light[0], light[1]);
    const __m512i cellRow = _mm512_maskz_srai_epi32(ALL_COLUMNS, y, 6);
    const __m512i u = _mm512_and_si512(x, textureMask);
    const __m512i floorV = _mm512_and_si512(y, textureMask);
    const __m512i ceilingV =
        _mm512_and_si512(_mm512_sub_epi32(_mm512_setzero_si512(), y), textureMask);
    if (lanes.shortProducts)
    {
        // A found point's cell row is below the map's height: all three
        // products are of numbers under 2^15, whose high halves are zero.
        points.cell = _mm512_add_epi32(_mm512_madd_epi16(cellRow, lanes.mapWidth),
                                       _mm512_maskz_srai_epi32(ALL_COLUMNS, x, 6));
        points.floorPlace = _mm512_add_epi32(u, _mm512_madd_epi16(floorV, lanes.pitch));
        points.ceilingPlace = _mm512_add_epi32(u, _mm512_madd_epi16(ceilingV, lanes.pitch));
    }
    else
    {
        points.cell = _mm512_add_epi32(_mm512_mullo_epi32(cellRow, lanes.mapWidth),
                                       _mm512_maskz_srai_epi32(ALL_COLUMNS, x, 6));
        points.floorPlace = _mm512_add_epi32(u, _mm512_mullo_epi32(floorV, lanes.pitch));
        points.ceilingPlace = _mm512_add_epi32(u, _mm512_mullo_epi32(ceilingV, lanes.pitch));
    }
    return points;
}

// The first of the lanes `which` of sixteen numbers.
QUILL_AVX512 inline int FirstLane(__m512i values, __mmask16 which)
{
    return _mm_cvtsi128_si32(
        _mm512_maskz_extracti32x4_epi32(0xF, _mm512_maskz_compress_epi32(which, values), 0));
}

// CellTextures for sixteen cells.
QUILL_AVX512 inline __m512i CellTextures16(const RowPass& pass, __m512i cells, __mmask16 found)
{
    const int first = FirstLane(cells, found);
    if (_mm512_mask_cmpneq_epi32_mask(found, cells, _mm512_set1_epi32(first)) == 0)
    {
        const std::int32_t value = pass.floorGrid[first];
        const bool known =
            static_cast<std::uint32_t>(value) < static_cast<std::uint32_t>(pass.floorTextureCount);
        return _mm512_set1_epi32(known ? pass.floorTextures[value] : -1);
    }
    const __m512i value =
        _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), found, cells, pass.floorGrid, 4);
    const __mmask16 known =
        found & _mm512_cmplt_epu32_mask(value, _mm512_set1_epi32(pass.floorTextureCount));
    return _mm512_mask_i32gather_epi32(_mm512_set1_epi32(-1), known, value, pass.floorTextures, 4);
}

// The points of the sixteen columns from c on (only the first eight when not
// Whole: the view ends there).
template <bool Whole>
QUILL_AVX512 inline void FindGroupPoints(const RowPass& pass, const RowLanes& lanes, int c,
                                         int pair, int top, int bottom,
                                         const RowDivisor (&depths)[2], PairSweeps& sweeps)
{
    constexpr __mmask16 inView = Whole ? ALL_COLUMNS : 0x00FF;
    const __mmask16 ceiling =
        OpenLanes16(pass, c, top, inView) &
        _mm512_cmpgt_epi32_mask(LoadInts16(pass.ceilingEnd + c, inView), _mm512_set1_epi32(top));
    const __mmask16 floor = OpenLanes16(pass, c, bottom, inView) &
                            _mm512_cmpgt_epi32_mask(_mm512_set1_epi32(bottom + 1),
                                                    LoadInts16(pass.floorBegin + c, inView));
    sweeps.ceiling[pair] = ceiling;
    sweeps.floor[pair] = floor;
    sweeps.found[pair] = 0;
    if ((ceiling | floor) == 0)
    {
        return;
    }
    const __m512d factors[2] = {
        _mm512_loadu_pd(pass.floorFactor + c),
        LoadDoubles8(pass.floorFactor + c + 8, static_cast<__mmask8>(inView >> 8))};
    const FloorPoints16 points =
        FindFloorPoints16(pass, lanes, c, factors, depths, ceiling | floor, inView);
    __mmask16 found = points.found;
    if (found == 0)
    {
        return;
    }
    const __m512i texture = CellTextures16(pass, points.cell, found);
    found &= _mm512_cmpgt_epi32_mask(texture, _mm512_set1_epi32(-1));
    sweeps.found[pair] = found;
    _mm512_store_si512(sweeps.light + c, points.light);
    _mm512_store_si512(sweeps.floorPlace + c, _mm512_add_epi32(texture, points.floorPlace));
    _mm512_store_si512(sweeps.ceilingPlace + c, _mm512_add_epi32(texture, points.ceilingPlace));
    _mm512_store_si512(sweeps.multiplier + c,
                       _mm512_mask_i32gather_epi32(_mm512_set1_epi32(static_cast<int>(IRREGULAR)),
                                                   found, points.light, pass.multipliers, 4));
}

// The floor points of the ceiling lanes of row `top` and the floor lanes of
// row `bottom`, as far below the middle, with their textures and shading.
QUILL_AVX512 void FindPairPoints(const RowPass& shared, const RowLanes& lanes, int top, int bottom,
                                 PairSweeps& sweeps)
{
    // A copy of its own: the stores into the sweeps could otherwise be to the
    // pass's numbers, for all the compiler knows, which it would read again
    // after each one.
    const RowPass pass = shared;
    const RowDivisor depth = MakeRowDivisor(pass.halfHeight - top, pass.stepsFit);
    const RowDivisor depths[2] = {depth, depth};
    int c = 0;
    int pair = 0;
    // The per-column arrays hold whole groups of eight.
    for (; pass.columns - c > RowPass::GROUP; c += PAIR_COLUMNS, ++pair)
    {
        FindGroupPoints<true>(pass, lanes, c, pair, top, bottom, depths, sweeps);
    }
    if (c < pass.columns)
    {
        FindGroupPoints<false>(pass, lanes, c, pair, top, bottom, depths, sweeps);
    }
}

// The multipliers of sixteen columns, m and t each spread over both 16-bit
// halves of its lane.
struct Spread16
{
    WordMultiplier words;
    // The lanes whose light goes through the table instead.
    __mmask16 irregular;
};

QUILL_AVX512 inline Spread16 SpreadMultipliers16(__m512i multipliers)
{
    // Bytes 0 and 1 of a lane (m) into both halves, and byte 2 (t) into the
    // low byte of both.
    const __m512i mBytes = _mm512_set4_epi32(0x0D0C0D0C, 0x09080908, 0x05040504, 0x01000100);
    const __m512i tBytes =
        _mm512_set4_epi32(static_cast<int>(0x800E800Eu), static_cast<int>(0x800A800Au),
                          static_cast<int>(0x80068006u), static_cast<int>(0x80028002u));
    return {{_mm512_shuffle_epi8(multipliers, mBytes), _mm512_shuffle_epi8(multipliers, tBytes)},
            _mm512_test_epi32_mask(multipliers, _mm512_set1_epi32(static_cast<int>(IRREGULAR)))};
}

// Shades the lanes `which` of sixteen texels through the shading table, each
// with the table row of its own light. Few lanes go so (only a few lights fit
// no multiplication), and out of line: the loops around keep their registers.
// Lanes of one light go together, every byte looked up among the row's 256 held
// in four registers.
QUILL_AVX512_VBMI __attribute__((noinline)) __m512i
ShadeLanesThroughByteTables(const RowPass& pass, const Lanes& shading, __m512i texels,
                            __m512i pixels, __m512i light, __mmask16 which)
{
    const __m512i colourMask = _mm512_set1_epi32(static_cast<int>(
        0xFFu << pass.redShift | 0xFFu << pass.greenShift | 0xFFu << pass.blueShift));
    const __m512i alphaMask = _mm512_set1_epi32(static_cast<int>(shading.format.alphaMask));
    while (which != 0)
    {
        const int index = FirstLane(light, which);
        const __mmask16 same = _mm512_mask_cmpeq_epi32_mask(which, light, _mm512_set1_epi32(index));
        which &= static_cast<__mmask16>(~same);
        const __m512i bytes =
            LookUpBytes(LoadByteTable(pass.shades + pass.shadeRows[index]), texels);
        pixels = _mm512_mask_mov_epi32(
            pixels, same, _mm512_ternarylogic_epi32(bytes, colourMask, alphaMask, 0xEA));
    }
    return pixels;
}

// The same a lane at a time.
QUILL_AVX512 __attribute__((noinline)) __m512i
ShadeLanesThroughTable(const RowPass& pass, const Lanes& shading, __m512i texels, __m512i pixels,
                       __m512i light, __mmask16 which)
{
    const Format& format = shading.format;
    while (which != 0)
    {
        const __mmask16 lane = static_cast<__mmask16>(which & -which);
        which &= static_cast<__mmask16>(which - 1);
        const std::uint8_t* row = pass.shades + pass.shadeRows[FirstLane(light, lane)];
        const std::uint32_t texel = static_cast<std::uint32_t>(FirstLane(texels, lane));
        pixels = _mm512_mask_set1_epi32(
            pixels, lane, static_cast<int>(ShadeTable::ShadeTexel(format, row, texel)));
    }
    return pixels;
}

// Shades sixteen gathered texels, each at its own light, and drops from `ok`
// the transparent ones.
QUILL_AVX512 inline __m512i ShadeTexels16(const RowPass& pass, const RowLanes& lanes,
                                          __m512i texels, const Spread16& spread, __m512i light,
                                          __mmask16& ok)
{
    const Lanes& shading = lanes.shading;
    if (!shading.opaqueFormat)
    {
        ok &= _mm512_test_epi32_mask(texels,
                                     _mm512_set1_epi32(static_cast<int>(shading.format.alphaMask)));
    }
    const __m512i pixels = MultiplyTexels16(shading, texels, spread.words);
    const __mmask16 irregular = ok & spread.irregular;
    if (irregular == 0)
    {
        return pixels;
    }
    return pass.byteTables
               ? ShadeLanesThroughByteTables(pass, shading, texels, pixels, light, irregular)
               : ShadeLanesThroughTable(pass, shading, texels, pixels, light, irregular);
}

QUILL_AVX512 void PaintPair(const RowPass& shared, const RowLanes& lanes, int top, int bottom)
{
    const RowPass pass = shared;
    PairSweeps sweeps;
    FindPairPoints(pass, lanes, top, bottom, sweeps);
    std::uint32_t* above = reinterpret_cast<std::uint32_t*>(pass.frame + top * pass.framePitch);
    std::uint32_t* below = reinterpret_cast<std::uint32_t*>(pass.frame + bottom * pass.framePitch);
    for (int c = 0, pair = 0; c < pass.columns; c += PAIR_COLUMNS, ++pair)
    {
        const __mmask16 ceiling = sweeps.ceiling[pair];
        const __mmask16 floor = sweeps.floor[pair];
        const __mmask16 found = sweeps.found[pair];
        __mmask16 ceilingOk = found & ceiling;
        __mmask16 floorOk = found & floor;
        if ((ceilingOk | floorOk) != 0)
        {
            // The ceiling's point is the floor's: one light for both.
            const Spread16 spread = SpreadMultipliers16(_mm512_load_si512(sweeps.multiplier + c));
            const __m512i light = _mm512_load_si512(sweeps.light + c);
            const __m512i ceilingTexels = _mm512_mask_i32gather_epi32(
                _mm512_setzero_si512(), ceilingOk, _mm512_load_si512(sweeps.ceilingPlace + c),
                pass.floorTexels, 4);
            const __m512i floorTexels = _mm512_mask_i32gather_epi32(
                _mm512_setzero_si512(), floorOk, _mm512_load_si512(sweeps.floorPlace + c),
                pass.floorTexels, 4);
            if (ceilingOk != 0)
            {
                const __m512i pixels =
                    ShadeTexels16(pass, lanes, ceilingTexels, spread, light, ceilingOk);
                _mm512_mask_storeu_epi32(above + c, ceilingOk, pixels);
            }
            if (floorOk != 0)
            {
                const __m512i pixels =
                    ShadeTexels16(pass, lanes, floorTexels, spread, light, floorOk);
                _mm512_mask_storeu_epi32(below + c, floorOk, pixels);
            }
        }
        PaintLeftLanes(pass, c, top, static_cast<unsigned>(ceiling & ~ceilingOk) & 0xFFFFu);
        PaintLeftLanes(pass, c, bottom, static_cast<unsigned>(floor & ~floorOk) & 0xFFFFu);
    }
}

// A row on its own: ceiling and floor lanes, each with its own factor and
// depth, all divided. Few rows go so: the top row, and the middle rows when
// the eye is not half way up.
QUILL_AVX512 void PaintRow(const RowPass& shared, const RowLanes& lanes, int row)
{
    const RowPass pass = shared;
    const __m512d ceilingDepth = _mm512_set1_pd(pass.halfHeight - row);
    const __m512d floorDepth = _mm512_set1_pd(row - pass.halfHeight);
    const __m512i rowNumber = _mm512_set1_epi32(row);
    const __m512i nextRow = _mm512_set1_epi32(row + 1);
    std::uint32_t* pixels = reinterpret_cast<std::uint32_t*>(pass.frame + row * pass.framePitch);
    for (int c = 0; c < pass.columns; c += PAIR_COLUMNS)
    {
        const __mmask16 inView = pass.columns - c > RowPass::GROUP ? ALL_COLUMNS : 0x00FF;
        const __mmask16 open = OpenLanes16(pass, c, row, inView);
        const __mmask16 ceiling =
            open & _mm512_cmpgt_epi32_mask(LoadInts16(pass.ceilingEnd + c, inView), rowNumber);
        const __mmask16 floor =
            open & _mm512_cmpgt_epi32_mask(nextRow, LoadInts16(pass.floorBegin + c, inView));
        const __mmask16 want = ceiling | floor;
        if (want == 0)
        {
            continue;
        }
        __m512d factors[2];
        RowDivisor depths[2];
        for (int half = 0; half < 2; ++half)
        {
            const __mmask8 halfView = static_cast<__mmask8>(inView >> (8 * half));
            const __mmask8 halfCeiling = static_cast<__mmask8>(ceiling >> (8 * half));
            const int at = c + RowPass::GROUP * half;
            factors[half] =
                _mm512_mask_blend_pd(halfCeiling, LoadDoubles8(pass.floorFactor + at, halfView),
                                     LoadDoubles8(pass.ceilingFactor + at, halfView));
            depths[half] = {_mm512_mask_blend_pd(halfCeiling, floorDepth, ceilingDepth),
                            _mm512_setzero_pd(), true};
        }
        const FloorPoints16 points =
            FindFloorPoints16(pass, lanes, c, factors, depths, want, inView);
        __mmask16 ok = points.found;
        if (ok != 0)
        {
            const __m512i texture = CellTextures16(pass, points.cell, ok);
            ok &= _mm512_cmpgt_epi32_mask(texture, _mm512_set1_epi32(-1));
            const Spread16 spread = SpreadMultipliers16(
                _mm512_mask_i32gather_epi32(_mm512_set1_epi32(static_cast<int>(IRREGULAR)), ok,
                                            points.light, pass.multipliers, 4));
            const __m512i place = _mm512_add_epi32(
                texture, _mm512_mask_blend_epi32(ceiling, points.floorPlace, points.ceilingPlace));
            const __m512i texels =
                _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), ok, place, pass.floorTexels, 4);
            const __m512i shaded = ShadeTexels16(pass, lanes, texels, spread, points.light, ok);
            _mm512_mask_storeu_epi32(pixels + c, ok, shaded);
        }
        PaintLeftLanes(pass, c, row, static_cast<unsigned>(want & ~ok) & 0xFFFFu);
    }
}
} // namespace

QUILL_AVX512 void PaintRowsAvx512(const RowPass& pass)
{
    const RowLanes lanes = MakeRowLanes(pass);
    for (int row = 0; row < pass.rows; ++row)
    {
        // Rows with neither ceiling nor floor in any column are left out.
        const bool single = !pass.paired || row == 0 ||
                            (row >= pass.pairedRows && row <= pass.rows - pass.pairedRows);
        if (single && (row < pass.ceilingRows || row >= pass.floorRows))
        {
            PaintRow(pass, lanes, row);
        }
        else if (!single && row < pass.pairedRows &&
                 (row < pass.ceilingRows || pass.rows - row >= pass.floorRows))
        {
            PaintPair(pass, lanes, row, pass.rows - row);
        }
    }
}

QUILL_AVX512 void RowQuotientsAvx512(const double* factors, int count, double depth, bool stepsFit,
                                     double* quotients)
{
    const RowDivisor divisor = MakeRowDivisor(depth, stepsFit);
    for (int i = 0; i + RowPass::GROUP <= count; i += RowPass::GROUP)
    {
        _mm512_storeu_pd(quotients + i, Quotients(_mm512_loadu_pd(factors + i), divisor));
    }
}

#else

void PaintRowsAvx512(const RowPass& pass)
{
    PaintRowsPortable(pass);
}

void RowQuotientsAvx512(const double* factors, int count, double depth, bool, double* quotients)
{
    for (int i = 0; i < count; ++i)
    {
        quotients[i] = factors[i] / depth;
    }
}

#endif
