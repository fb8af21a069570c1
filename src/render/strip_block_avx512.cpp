// Every multiply and add of the wide paths is rounded on its own, as in the
// plain renderer: the compiler must not fuse them, which it would otherwise do
// where the processor's fused multiply-add is enabled for these functions.
// (Before any include, so that every function of this file is compiled so.)
#if defined(__clang__)
#pragma clang fp contract(off)
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

#include "render/shade_table.h"
#include "render/strip_block.h"
#include "render/wide_shading_avx512.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)

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
    const double v = (static_cast<double>(row) - strip.top) * strip.inverseScale - DEPTH_EPSILON;
    return v > -1 && v < TEXTURE_SIZE;
}

QUILL_AVX512 inline int TextureRow(const WallStrip& strip, int row)
{
    return static_cast<int>((static_cast<double>(row) - strip.top) * strip.inverseScale -
                            DEPTH_EPSILON);
}

// The texture rows of sixteen screen rows at a time, from the strip's first
// row down, by the very operations of the plain renderer, eight at a time.
// The rows themselves go as doubles (whole numbers, exact).
class RowSteps
{
public:
    QUILL_AVX512 explicit RowSteps(const WallStrip& strip)
        : mTop(_mm512_set1_pd(strip.top)), mInverse(_mm512_set1_pd(strip.inverseScale)),
          mEpsilon(_mm512_set1_pd(DEPTH_EPSILON)),
          mLow(_mm512_add_pd(_mm512_set1_pd(strip.begin), _mm512_set_pd(7, 6, 5, 4, 3, 2, 1, 0))),
          mHigh(_mm512_add_pd(mLow, _mm512_set1_pd(8)))
    {
    }

    QUILL_AVX512 __m512i TextureRows() const
    {
        return _mm512_maskz_inserti64x4(ALL_LANES, _mm512_castsi256_si512(Cut(mLow)), Cut(mHigh),
                                        1);
    }

    QUILL_AVX512 void Next()
    {
        mLow = _mm512_add_pd(mLow, _mm512_set1_pd(16));
        mHigh = _mm512_add_pd(mHigh, _mm512_set1_pd(16));
    }

private:
    QUILL_AVX512 __m256i Cut(__m512d rows) const
    {
        return CutToInts(
            _mm512_sub_pd(_mm512_mul_pd(_mm512_sub_pd(rows, mTop), mInverse), mEpsilon));
    }

    __m512d mTop;
    __m512d mInverse;
    __m512d mEpsilon;
    __m512d mLow;
    __m512d mHigh;
};

// Shades texels from to to - 1 (multiples of eight) of `texel` into `shaded`
// through the strip's table row, sixteen at a time, each byte looked up among
// the row's 256 held in four registers; transparent texels become `empty`.
QUILL_AVX512_VBMI void ShadeThroughByteTable(const WallStrip& strip, const std::uint32_t* texel,
                                             std::uint32_t* shaded, int from, int to,
                                             std::uint32_t empty)
{
    const ByteTable table = LoadByteTable(strip.shade);
    const __m512i colourMask = _mm512_set1_epi32(static_cast<int>(
        0xFFu << strip.redShift | 0xFFu << strip.greenShift | 0xFFu << strip.blueShift));
    const __m512i alphaMask = _mm512_set1_epi32(static_cast<int>(strip.alphaMask));
    const __m512i emptyPixels = _mm512_set1_epi32(static_cast<int>(empty));
    for (int texture = from; texture < to; texture += 16)
    {
        const int count = to - texture;
        const __mmask16 lanes = count >= 16 ? ALL_ROWS : static_cast<__mmask16>((1u << count) - 1);
        const __m512i texels = _mm512_maskz_loadu_epi32(lanes, texel + texture);
        const __m512i pixels =
            _mm512_ternarylogic_epi32(LookUpBytes(table, texels), colourMask, alphaMask, 0xEA);
        const __mmask16 opaque =
            strip.alphaMask == 0 ? ALL_ROWS : _mm512_test_epi32_mask(texels, alphaMask);
        _mm512_mask_storeu_epi32(shaded + texture, lanes,
                                 _mm512_mask_blend_epi32(opaque, emptyPixels, pixels));
    }
}

// Whether each of red, green and blue fills a byte of its own.
inline bool ByteChannels(const WallStrip& strip)
{
    return strip.redShift % 8 == 0 && strip.greenShift % 8 == 0 && strip.blueShift % 8 == 0;
}

// Reads the texels of texture rows first to last of a strip's column (and as
// far around them as whole groups of eight reach, repeating the end ones) and
// shades them into `shaded`, each at its texture row; transparent ones empty.
QUILL_AVX512 void ShadeStripTexels(const StripBlock& block, const WallStrip& strip,
                                   const Lanes& lanes, const Multipliers& spread, bool irregular,
                                   int first, int last, std::uint32_t* shaded)
{
    alignas(64) std::uint32_t texel[TEXTURE_SIZE];
    const int from = first & ~7;
    const int to = (last & ~7) + 8;
    if (strip.texelPitch == 4 && !irregular)
    {
        // The texture column's texels follow one another, and one multiplier
        // shades them all: the whole column, sixteen at a time.
        const WordMultiplier multiplier = SpreadOverWords(strip.multiplier);
        const __m512i empty = _mm512_set1_epi32(static_cast<int>(block.empty));
        for (int texture = 0; texture < TEXTURE_SIZE; texture += 16)
        {
            const __m512i texels = _mm512_loadu_si512(strip.texels + texture * 4);
            const __mmask16 opaque =
                strip.alphaMask == 0
                    ? ALL_ROWS
                    : _mm512_test_epi32_mask(texels,
                                             _mm512_set1_epi32(static_cast<int>(strip.alphaMask)));
            _mm512_store_si512(shaded + texture,
                               _mm512_mask_blend_epi32(
                                   opaque, empty, MultiplyTexels16(lanes, texels, multiplier)));
        }
        return;
    }
    if (strip.texelPitch == 4)
    {
        // The texture column's texels follow one another: the whole groups
        // of eight around first to last all lie on the texture.
        for (int texture = from; texture < to; texture += 8)
        {
            _mm256_store_si256(reinterpret_cast<__m256i*>(texel + texture),
                               _mm256_loadu_si256(reinterpret_cast<const __m256i*>(
                                   strip.texels + static_cast<std::ptrdiff_t>(texture) * 4)));
        }
    }
    else
    {
        // Gathered sixteen at a time, each texture row clamped to first to last.
        const __m512i offsets =
            _mm512_set_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
        const __m512i low = _mm512_set1_epi32(first);
        const __m512i high = _mm512_set1_epi32(last);
        const __m512i pitch = _mm512_set1_epi32(static_cast<int>(strip.texelPitch));
        for (int texture = from; texture < to; texture += 16)
        {
            const int count = to - texture;
            const __mmask16 wanted =
                count >= 16 ? ALL_ROWS : static_cast<__mmask16>((1u << count) - 1);
            const __m512i rows = _mm512_maskz_min_epi32(
                ALL_ROWS,
                _mm512_maskz_max_epi32(ALL_ROWS,
                                       _mm512_add_epi32(_mm512_set1_epi32(texture), offsets), low),
                high);
            const __m512i texels = _mm512_mask_i32gather_epi32(
                _mm512_setzero_si512(), wanted, _mm512_mullo_epi32(rows, pitch), strip.texels, 1);
            _mm512_mask_storeu_epi32(texel + texture, wanted, texels);
        }
    }
    const bool byteTable = irregular && strip.byteTables && ByteChannels(strip);
    if (byteTable)
    {
        ShadeThroughByteTable(strip, texel, shaded, from, to, block.empty);
    }
    const __m256i empty8 = _mm256_set1_epi32(static_cast<int>(block.empty));
    for (int texture = from; texture < to && !byteTable; texture += 8)
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
                one[lane] = ShadeTable::ShadeTexel(lanes.format, strip.shade, one[lane]);
            }
            pixels = _mm256_load_si256(reinterpret_cast<const __m256i*>(one));
        }
        pixels = _mm256_mask_blend_epi32(OpaqueLanes(lanes, texels), empty8, pixels);
        _mm256_store_si256(reinterpret_cast<__m256i*>(shaded + texture), pixels);
    }
}

// Whether the kept texels are those of this strip.
inline bool Keeps(const ShadedTexels* kept, const StripBlock& block, const WallStrip& strip,
                  int first, int last)
{
    return kept != nullptr && kept->valid && kept->texels == strip.texels &&
           kept->texelPitch == strip.texelPitch && kept->first == first && kept->last == last &&
           kept->multiplier == strip.multiplier && kept->shade == strip.shade &&
           kept->alphaMask == strip.alphaMask && kept->empty == block.empty &&
           kept->byteTables == strip.byteTables;
}

void Keep(ShadedTexels& kept, const StripBlock& block, const WallStrip& strip, int first, int last)
{
    kept.texels = strip.texels;
    kept.texelPitch = strip.texelPitch;
    kept.first = first;
    kept.last = last;
    kept.multiplier = strip.multiplier;
    kept.shade = strip.shade;
    kept.alphaMask = strip.alphaMask;
    kept.empty = block.empty;
    kept.byteTables = strip.byteTables;
    kept.valid = true;
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
    if (block.shadedTexels != nullptr)
    {
        block.shadedTexels->valid = false;
    }
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

QUILL_AVX512 bool PaintWallStripAvx512(const StripBlock& block, int column, const WallStrip& strip)
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
    const Lanes lanes =
        MakeLanes({strip.redShift, strip.greenShift, strip.blueShift, strip.alphaMask});
    const __m256i multiplier = _mm256_set1_epi32(static_cast<int>(strip.multiplier));
    const Multipliers spread = SpreadMultipliers(lanes, multiplier);
    const bool irregular = (strip.multiplier & IRREGULAR) != 0;
    std::uint32_t* pixels = block.Column(column);
    if (strip.end - strip.begin <= last - first && !irregular && strip.texelPitch != 4)
    {
        // A far strip skips texels: each row reads and shades its own (unless
        // the texels follow one another, when all are read and shaded at once).
        const __m512d steps = _mm512_set_pd(7, 6, 5, 4, 3, 2, 1, 0);
        const __m512d top = _mm512_set1_pd(strip.top);
        const __m512d inverse = _mm512_set1_pd(strip.inverseScale);
        const __m512d epsilon = _mm512_set1_pd(DEPTH_EPSILON);
        const __m256i pitch = _mm256_set1_epi32(static_cast<int>(strip.texelPitch));
        for (int row = strip.begin; row < strip.end; row += 8)
        {
            const __m512d y = _mm512_add_pd(_mm512_set1_pd(row), steps);
            const __m256i rows =
                CutToInts(_mm512_sub_pd(_mm512_mul_pd(_mm512_sub_pd(y, top), inverse), epsilon));
            const int count = strip.end - row;
            const __mmask8 inStrip =
                count >= 8 ? ALL_LANES : static_cast<__mmask8>((1u << count) - 1);
            const __m256i texels = _mm256_mmask_i32gather_epi32(
                _mm256_setzero_si256(), inStrip, _mm256_mullo_epi32(rows, pitch), strip.texels, 1);
            const __mmask8 open =
                strip.behind
                    ? _mm256_mask_cmpeq_epi32_mask(inStrip,
                                                   _mm256_maskz_loadu_epi32(inStrip, pixels + row),
                                                   _mm256_set1_epi32(static_cast<int>(block.empty)))
                    : inStrip;
            _mm256_mask_storeu_epi32(pixels + row, open & OpaqueLanes(lanes, texels),
                                     MultiplyTexels(lanes, texels, spread));
        }
        return true;
    }
    // The strip's texels, shaded, each texture row at its own place (rows
    // outside first to last are never looked up); transparent ones empty.
    // Rows outside are loaded with the rest but never used.
    ShadedTexels* kept = block.shadedTexels;
    alignas(64) std::uint32_t ownShaded[TEXTURE_SIZE] = {};
    std::uint32_t* shaded = kept != nullptr ? kept->shaded : ownShaded;
    if (!Keeps(kept, block, strip, first, last))
    {
        ShadeStripTexels(block, strip, lanes, spread, irregular, first, last, shaded);
        if (kept != nullptr)
        {
            Keep(*kept, block, strip, first, last);
        }
    }
    // Sixteen rows at a time: their texture rows, looked up among the shaded
    // texels held in registers (32 of them in two when the strip's rows lie
    // among those, else all 64 in four).
    const __m512i empty = _mm512_set1_epi32(static_cast<int>(block.empty));
    const int base = std::min(first & ~15, TEXTURE_SIZE - 32);
    const bool oneWindow = last - base < 32;
    const __m512i window0 = _mm512_load_si512(shaded + (oneWindow ? base : 0));
    const __m512i window1 = _mm512_load_si512(shaded + (oneWindow ? base : 0) + 16);
    const __m512i window2 = _mm512_load_si512(shaded + 32);
    const __m512i window3 = _mm512_load_si512(shaded + 48);
    const __m512i baseRows = _mm512_set1_epi32(base);
    const __m512i half = _mm512_set1_epi32(32);
    RowSteps rows(strip);
    for (int row = strip.begin; row < strip.end; row += 16, rows.Next())
    {
        const __m512i texture = rows.TextureRows();
        __m512i values;
        if (oneWindow)
        {
            values =
                _mm512_permutex2var_epi32(window0, _mm512_sub_epi32(texture, baseRows), window1);
        }
        else
        {
            const __m512i low = _mm512_permutex2var_epi32(window0, texture, window1);
            const __m512i high = _mm512_permutex2var_epi32(window2, texture, window3);
            values = _mm512_mask_blend_epi32(_mm512_cmpge_epi32_mask(texture, half), low, high);
        }
        const __mmask16 rowsIn = RowsUpTo(row, strip.end);
        const __mmask16 open =
            strip.behind ? _mm512_mask_cmpeq_epi32_mask(
                               rowsIn, _mm512_maskz_loadu_epi32(rowsIn, pixels + row), empty)
                         : rowsIn;
        const __mmask16 drawn = open & _mm512_cmpneq_epi32_mask(values, empty);
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
