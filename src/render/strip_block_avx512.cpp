// Every multiply and add of the wide paths is rounded on its own, as in the
// plain renderer: the compiler must not fuse them, which it would otherwise do
// where the processor's fused multiply-add is enabled for these functions.
// (Before any include, so that every function of this file is compiled so.)
#if defined(__clang__)
#pragma clang fp contract(off)
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

#include "render/strip_block.h"
#include "render/wide_shading_avx512.h"

#if defined(__x86_64__) || defined(__i386__)

#include <cstring>

// The strip block in the wide registers of AVX-512: sixteen rows of a column at
// once, their texels looked up in registers, and sixteen by sixteen pixels
// turned from columns into rows in registers.

namespace
{
using namespace WideShading;

constexpr double DEPTH_EPSILON = 1e-10;
constexpr int TEXTURE_SIZE = 64;
constexpr __mmask16 ALL_ROWS = 0xFFFF;

QUILL_AVX512 inline bool RowOnTexture(const WallStrip& strip, int row)
{
    const double v =
        (static_cast<double>(row) - strip.top) * strip.inverseScale - DEPTH_EPSILON;
    return v > -1 && v < TEXTURE_SIZE;
}

QUILL_AVX512 inline int TextureRow(const WallStrip& strip, int row)
{
    return static_cast<int>((static_cast<double>(row) - strip.top) * strip.inverseScale -
                            DEPTH_EPSILON);
}

// The texture rows of screen rows row to row + 15, by the very operations of
// the plain renderer, eight at a time.
QUILL_AVX512 inline __m512i TextureRows(const WallStrip& strip, int row, __m512d steps)
{
    const __m512d top = _mm512_set1_pd(strip.top);
    const __m512d inverse = _mm512_set1_pd(strip.inverseScale);
    const __m512d epsilon = _mm512_set1_pd(DEPTH_EPSILON);
    const __m512d low = _mm512_add_pd(_mm512_set1_pd(row), steps);
    const __m512d high = _mm512_add_pd(_mm512_set1_pd(row + 8), steps);
    const __m256i lowRows =
        CutToInts(_mm512_sub_pd(_mm512_mul_pd(_mm512_sub_pd(low, top), inverse), epsilon));
    const __m256i highRows =
        CutToInts(_mm512_sub_pd(_mm512_mul_pd(_mm512_sub_pd(high, top), inverse), epsilon));
    return _mm512_maskz_inserti64x4(ALL_LANES, _mm512_castsi256_si512(lowRows), highRows, 1);
}

// The rows from `row` up to `end` (at most sixteen) that lie in the strip.
inline __mmask16 RowsUpTo(int row, int end)
{
    const int count = end - row;
    return count >= 16 ? ALL_ROWS : static_cast<__mmask16>((1u << count) - 1);
}
} // namespace

QUILL_AVX512 void ClearStripBlockAvx512(const StripBlock& block)
{
    const __m512i empty = _mm512_set1_epi32(static_cast<int>(block.empty));
    for (int column = 0; column < StripBlock::COLUMNS; ++column)
    {
        std::uint32_t* pixels = block.Column(column);
        for (int row = block.firstRow; row < block.endRow; row += StripBlock::BAND)
        {
            _mm512_storeu_si512(pixels + row, empty);
        }
    }
}

QUILL_AVX512 bool PaintWallStripAvx512(const StripBlock& block, int column,
                                       const WallStrip& strip)
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
    const int first = TextureRow(strip, strip.begin);
    const int last = TextureRow(strip, strip.end - 1);
    const Lanes lanes = MakeLanes({strip.redShift, strip.greenShift, strip.blueShift, strip.alphaMask});
    const __m256i multiplier = _mm256_set1_epi32(static_cast<int>(strip.multiplier));
    const Multipliers spread = SpreadMultipliers(lanes, multiplier);
    const bool irregular = (strip.multiplier & IRREGULAR) != 0;
    std::uint32_t* pixels = block.Column(column);
    if (strip.end - strip.begin <= last - first && !irregular)
    {
        // A far strip skips texels: each row reads and shades its own.
        const __m512d steps = _mm512_set_pd(7, 6, 5, 4, 3, 2, 1, 0);
        const __m512d top = _mm512_set1_pd(strip.top);
        const __m512d inverse = _mm512_set1_pd(strip.inverseScale);
        const __m512d epsilon = _mm512_set1_pd(DEPTH_EPSILON);
        const __m256i pitch = _mm256_set1_epi32(static_cast<int>(strip.texelPitch));
        for (int row = strip.begin; row < strip.end; row += 8)
        {
            const __m512d y = _mm512_add_pd(_mm512_set1_pd(row), steps);
            const __m256i rows = CutToInts(
                _mm512_sub_pd(_mm512_mul_pd(_mm512_sub_pd(y, top), inverse), epsilon));
            const int count = strip.end - row;
            const __mmask8 inStrip =
                count >= 8 ? ALL_LANES : static_cast<__mmask8>((1u << count) - 1);
            const __m256i texels = _mm256_mmask_i32gather_epi32(
                _mm256_setzero_si256(), inStrip, _mm256_mullo_epi32(rows, pitch), strip.texels, 1);
            _mm256_mask_storeu_epi32(pixels + row, inStrip & OpaqueLanes(lanes, texels),
                                     MultiplyTexels(lanes, texels, spread));
        }
        return true;
    }
    // The strip's texels, shaded, each texture row at its own place (rows
    // outside first to last are never looked up); transparent ones empty.
    alignas(64) std::uint32_t texel[TEXTURE_SIZE];
    alignas(64) std::uint32_t shaded[TEXTURE_SIZE];
    const int from = first & ~7;
    const int to = (last & ~7) + 8;
    for (int texture = from; texture < to; ++texture)
    {
        const int inside = texture < first ? first : (texture > last ? last : texture);
        std::memcpy(texel + texture, strip.texels + inside * strip.texelPitch, sizeof(std::uint32_t));
    }
    const __m256i empty8 = _mm256_set1_epi32(static_cast<int>(block.empty));
    for (int texture = from; texture < to; texture += 8)
    {
        const __m256i texels = _mm256_load_si256(reinterpret_cast<const __m256i*>(texel + texture));
        __m256i pixels = MultiplyTexels(lanes, texels, spread);
        if (irregular)
        {
            // One table row for the whole strip.
            alignas(32) std::uint32_t one[8];
            _mm256_store_si256(reinterpret_cast<__m256i*>(one), texels);
            for (int lane = 0; lane < 8; ++lane)
            {
                const std::uint32_t value = one[lane];
                one[lane] = static_cast<std::uint32_t>(strip.shade[(value >> strip.redShift) & 0xFFu])
                                << strip.redShift |
                            static_cast<std::uint32_t>(strip.shade[(value >> strip.greenShift) & 0xFFu])
                                << strip.greenShift |
                            static_cast<std::uint32_t>(strip.shade[(value >> strip.blueShift) & 0xFFu])
                                << strip.blueShift |
                            strip.alphaMask;
            }
            pixels = _mm256_load_si256(reinterpret_cast<const __m256i*>(one));
        }
        pixels = _mm256_mask_blend_epi32(OpaqueLanes(lanes, texels), empty8, pixels);
        _mm256_store_si256(reinterpret_cast<__m256i*>(shaded + texture), pixels);
    }
    // Sixteen rows at a time: their texture rows, looked up among the 64
    // shaded texels held in four registers.
    const __m512i table0 = _mm512_load_si512(shaded);
    const __m512i table1 = _mm512_load_si512(shaded + 16);
    const __m512i table2 = _mm512_load_si512(shaded + 32);
    const __m512i table3 = _mm512_load_si512(shaded + 48);
    const __m512i half = _mm512_set1_epi32(32);
    const __m512i empty = _mm512_set1_epi32(static_cast<int>(block.empty));
    const __m512d steps = _mm512_set_pd(7, 6, 5, 4, 3, 2, 1, 0);
    for (int row = strip.begin; row < strip.end; row += 16)
    {
        const __m512i rows = TextureRows(strip, row, steps);
        const __m512i low = _mm512_permutex2var_epi32(table0, rows, table1);
        const __m512i high = _mm512_permutex2var_epi32(table2, rows, table3);
        const __m512i values =
            _mm512_mask_blend_epi32(_mm512_cmpge_epi32_mask(rows, half), low, high);
        const __mmask16 drawn = RowsUpTo(row, strip.end) & _mm512_cmpneq_epi32_mask(values, empty);
        _mm512_mask_storeu_epi32(pixels + row, drawn, values);
    }
    return true;
}

QUILL_AVX512 void FlushStripBlockAvx512(const StripBlock& block, const BlockTarget& target)
{
    const __m512i empty = _mm512_set1_epi32(static_cast<int>(block.empty));
    const __mmask16 columns = static_cast<__mmask16>((1u << target.columns) - 1);
    const int stride = block.stride;
    for (int band = block.firstRow; band < block.endRow && band < target.rows;
         band += StripBlock::BAND)
    {
        // Sixteen columns of sixteen rows, turned into sixteen rows (the
        // zero-masking forms, for the reason given with ALL_LANES).
        __m512i r[16];
        for (int column = 0; column < 16; ++column)
        {
            r[column] = _mm512_loadu_si512(block.pixels + column * stride + band);
        }
        __m512i t[16];
        for (int i = 0; i < 16; i += 2)
        {
            t[i] = _mm512_maskz_unpacklo_epi32(ALL_ROWS, r[i], r[i + 1]);
            t[i + 1] = _mm512_maskz_unpackhi_epi32(ALL_ROWS, r[i], r[i + 1]);
        }
        for (int i = 0; i < 16; i += 4)
        {
            r[i] = _mm512_maskz_unpacklo_epi64(ALL_LANES, t[i], t[i + 2]);
            r[i + 1] = _mm512_maskz_unpackhi_epi64(ALL_LANES, t[i], t[i + 2]);
            r[i + 2] = _mm512_maskz_unpacklo_epi64(ALL_LANES, t[i + 1], t[i + 3]);
            r[i + 3] = _mm512_maskz_unpackhi_epi64(ALL_LANES, t[i + 1], t[i + 3]);
        }
        for (int i = 0; i < 4; ++i)
        {
            t[i] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, r[i], r[i + 4], 0x88);
            t[i + 4] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, r[i + 8], r[i + 12], 0x88);
            t[i + 8] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, r[i], r[i + 4], 0xDD);
            t[i + 12] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, r[i + 8], r[i + 12], 0xDD);
        }
        for (int i = 0; i < 4; ++i)
        {
            r[i] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, t[i], t[i + 4], 0x88);
            r[i + 8] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, t[i], t[i + 4], 0xDD);
            r[i + 4] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, t[i + 8], t[i + 12], 0x88);
            r[i + 12] = _mm512_maskz_shuffle_i32x4(ALL_ROWS, t[i + 8], t[i + 12], 0xDD);
        }
        const int rows = target.rows - band < 16 ? target.rows - band : 16;
        for (int i = 0; i < rows; ++i)
        {
            const int row = band + i;
            const __mmask16 drawn = columns & _mm512_cmpneq_epi32_mask(r[i], empty);
            if (drawn == 0)
            {
                continue;
            }
            std::uint32_t* frame =
                reinterpret_cast<std::uint32_t*>(target.frame + row * target.framePitch) +
                target.firstColumn;
            _mm512_mask_storeu_epi32(frame, drawn, r[i]);
            std::uint8_t* covered =
                target.covered + row * target.coveredPitch + (target.firstColumn >> 3);
            covered[0] = static_cast<std::uint8_t>(covered[0] | (drawn & 0xFFu));
            covered[1] = static_cast<std::uint8_t>(covered[1] | (drawn >> 8));
        }
    }
}

#else

void ClearStripBlockAvx512(const StripBlock& block)
{
    ClearStripBlockPortable(block);
}

bool PaintWallStripAvx512(const StripBlock& block, int column, const WallStrip& strip)
{
    return PaintWallStripPortable(block, column, strip);
}

void FlushStripBlockAvx512(const StripBlock& block, const BlockTarget& target)
{
    FlushStripBlockPortable(block, target);
}

#endif
