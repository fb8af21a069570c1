#pragma once

// Shading of texels in the wide registers of AVX-512, shared by the parts of
// the view drawn with them. Only for sources compiled with these functions'
// target and only called when the processor has AVX-512.

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <cstdint>

// Compiled for AVX-512 whatever the rest of the program is compiled for. Every
// double is an exactly rounded add, multiply, divide or truncation, in the
// plain renderer's order; a source using these must keep the compiler from
// fusing multiplies and adds (see the top of row_pass_avx512.cpp).
#define QUILL_AVX512 __attribute__((target("avx512f,avx512bw,avx512dq,avx512vl")))
// The same with the byte permutes of VBMI, for functions called only where the
// processor has them.
#define QUILL_AVX512_VBMI __attribute__((target("avx512f,avx512bw,avx512dq,avx512vl,avx512vbmi")))

namespace WideShading
{
// The zero-masking forms of the instructions that fill every lane anyway: the
// plain forms start from an undefined register, which the compiler's
// uninitialised-value analysis takes for a read of one.
constexpr __mmask8 ALL_LANES = 0xFF;
constexpr __mmask32 ALL_WORDS = 0xFFFFFFFFu;
// The flag of a light whose shading fits no multiplication (ShadeTable::IRREGULAR).
constexpr std::uint32_t IRREGULAR = 0x80000000u;

// A texel format: where red, green and blue sit and the alpha every shaded pixel gets.
struct Format
{
    int redShift = 0;
    int greenShift = 0;
    int blueShift = 0;
    std::uint32_t alphaMask = 0;
};

// The format and the word orders, spread over the lanes.
struct Lanes
{
    __m256i colourMask;
    __m256i alphaMask;
    bool opaqueFormat;
    // Spreads each pixel's multiplier word (and its shift word) over its four channels.
    __m512i multiplierWords;
    __m512i shiftWords;
    Format format;
};

QUILL_AVX512 inline Lanes MakeLanes(const Format& format)
{
    Lanes lanes;
    lanes.colourMask = _mm256_set1_epi32(static_cast<int>(
        0xFFu << format.redShift | 0xFFu << format.greenShift | 0xFFu << format.blueShift));
    lanes.alphaMask = _mm256_set1_epi32(static_cast<int>(format.alphaMask));
    lanes.opaqueFormat = format.alphaMask == 0;
    // Word 4p + k (channel k of pixel p) takes word 2p (m) or 2p + 1 (t) of
    // the pixels' 32-bit multipliers.
    lanes.multiplierWords = _mm512_set_epi16(14, 14, 14, 14, 12, 12, 12, 12, 10, 10, 10, 10, 8, 8,
                                             8, 8, 6, 6, 6, 6, 4, 4, 4, 4, 2, 2, 2, 2, 0, 0, 0, 0);
    lanes.shiftWords = _mm512_set_epi16(15, 15, 15, 15, 13, 13, 13, 13, 11, 11, 11, 11, 9, 9, 9, 9,
                                        7, 7, 7, 7, 5, 5, 5, 5, 3, 3, 3, 3, 1, 1, 1, 1);
    lanes.format = format;
    return lanes;
}

QUILL_AVX512 inline __m256i CutToInts(__m512d values)
{
    return _mm512_maskz_cvttpd_epi32(ALL_LANES, values);
}

// The lanes whose texel SDL would not read as transparent.
QUILL_AVX512 inline __mmask8 OpaqueLanes(const Lanes& lanes, __m256i texels)
{
    return lanes.opaqueFormat ? ALL_LANES : _mm256_test_epi32_mask(texels, lanes.alphaMask);
}

// Eight pixels' multipliers m | t << 16, each word over the pixel's four channels.
struct Multipliers
{
    __m512i m;
    __m512i t;
};

QUILL_AVX512 inline Multipliers SpreadMultipliers(const Lanes& lanes, __m256i multipliers)
{
    const __m512i packed = _mm512_castsi256_si512(multipliers);
    return {_mm512_permutexvar_epi16(lanes.multiplierWords, packed),
            _mm512_permutexvar_epi16(lanes.shiftWords, packed)};
}

// Shades eight texels: every byte v becomes ((v * 256 * m) >> 16) >> t; then
// only red, green and blue are kept and the alpha of the format is set.
QUILL_AVX512 inline __m256i MultiplyTexels(const Lanes& lanes, __m256i texels,
                                           const Multipliers& multipliers)
{
    const __m512i words = _mm512_slli_epi16(_mm512_cvtepu8_epi16(texels), 8);
    const __m512i shaded =
        _mm512_srlv_epi16(_mm512_mulhi_epu16(words, multipliers.m), multipliers.t);
    return _mm256_ternarylogic_epi32(_mm512_maskz_cvtepi16_epi8(ALL_WORDS, shaded),
                                     lanes.colourMask, lanes.alphaMask, 0xEA);
}

// One multiplier m | t << 16 for sixteen texels at a time: m and t each in
// both 16-bit halves of every lane.
struct WordMultiplier
{
    __m512i m;
    __m512i t;
};

QUILL_AVX512 inline WordMultiplier SpreadOverWords(std::uint32_t multiplier)
{
    const std::uint32_t m = multiplier & 0xFFFFu;
    const std::uint32_t t = (multiplier >> 16) & 0xFFu;
    return {_mm512_set1_epi32(static_cast<int>(m | m << 16)),
            _mm512_set1_epi32(static_cast<int>(t | t << 16))};
}

// MultiplyTexels for sixteen texels at one multiplier, without widening them:
// the bytes at even places and those at odd places each go to the top of a
// 16-bit word of their own and come out ((v * 256 * m) >> 16) >> t as there.
QUILL_AVX512 inline __m512i MultiplyTexels16(const Lanes& lanes, __m512i texels,
                                             const WordMultiplier& multiplier)
{
    constexpr __mmask16 ALL = 0xFFFF;
    constexpr __mmask32 WORDS = 0xFFFFFFFFu;
    const __m512i evenBytes =
        _mm512_maskz_slli_epi32(ALL, _mm512_and_si512(texels, _mm512_set1_epi32(0x00FF00FF)), 8);
    const __m512i oddBytes =
        _mm512_and_si512(texels, _mm512_set1_epi32(static_cast<int>(0xFF00FF00u)));
    const __m512i even = _mm512_maskz_srlv_epi16(
        WORDS, _mm512_maskz_mulhi_epu16(WORDS, evenBytes, multiplier.m), multiplier.t);
    const __m512i odd = _mm512_maskz_srlv_epi16(
        WORDS, _mm512_maskz_mulhi_epu16(WORDS, oddBytes, multiplier.m), multiplier.t);
    const __m512i colourMask = _mm512_set1_epi32(static_cast<int>(0xFFu << lanes.format.redShift |
                                                                  0xFFu << lanes.format.greenShift |
                                                                  0xFFu << lanes.format.blueShift));
    return _mm512_ternarylogic_epi32(
        _mm512_or_si512(even, _mm512_maskz_slli_epi16(WORDS, odd, 8)), colourMask,
        _mm512_set1_epi32(static_cast<int>(lanes.format.alphaMask)), 0xEA);
}

// A row of the shading table held in four registers, for byte lookups.
struct ByteTable
{
    __m512i part[4];
};

QUILL_AVX512 inline ByteTable LoadByteTable(const std::uint8_t* row)
{
    return {{_mm512_loadu_si512(row), _mm512_loadu_si512(row + 64), _mm512_loadu_si512(row + 128),
             _mm512_loadu_si512(row + 192)}};
}

// Every byte of sixteen texels looked up in a shading table row (VBMI's byte
// permutes; only where the processor has them). The alpha byte too: the
// caller keeps the colour bytes and sets the alpha of the format.
QUILL_AVX512_VBMI inline __m512i LookUpBytes(const ByteTable& table, __m512i texels)
{
    const __m512i low = _mm512_permutex2var_epi8(table.part[0], texels, table.part[1]);
    const __m512i high = _mm512_permutex2var_epi8(table.part[2], texels, table.part[3]);
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(texels), low, high);
}

} // namespace WideShading

#endif
