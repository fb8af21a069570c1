// The row pass finds a row's distances without dividing where it can: the
// reciprocal of the row's depth, a product and one correcting step. Those
// must be the very quotients the division gives, to the last bit.

#include "render/row_pass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace
{
std::uint64_t Bits(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Doubles of every mantissa at magnitudes from about 2^-60 to 2^60, either sign.
double RandomFactor(std::mt19937_64& random)
{
    const std::uint64_t mantissa = random() & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t exponent = 1023 - 60 + random() % 121;
    const std::uint64_t sign = (random() & 1) << 63;
    const std::uint64_t bits = sign | exponent << 52 | mantissa;
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int Mismatches(const std::vector<double>& factors, double depth)
{
    std::vector<double> quotients(factors.size());
    RowQuotientsAvx512(factors.data(), static_cast<int>(factors.size()), depth, true,
                       quotients.data());
    int mismatches = 0;
    for (std::size_t i = 0; i < factors.size(); ++i)
    {
        if (Bits(quotients[i]) != Bits(factors[i] / depth))
        {
            ADD_FAILURE() << factors[i] << " / " << depth << " gave " << quotients[i];
            if (++mismatches > 10)
            {
                break;
            }
        }
    }
    return mismatches;
}
} // namespace

TEST(RowQuotients, AreTheDivisionsQuotientsToTheLastBit)
{
    if (!RowPaths::Available(RowPath::Avx512))
    {
        GTEST_SKIP() << "this processor has no AVX-512";
    }
    std::mt19937_64 random(20261207);
    std::vector<double> factors(1 << 14);
    // Every depth of a pair of rows of views up to 2048 rows high (whole and
    // half rows), and random depths besides.
    std::vector<double> depths;
    for (int twice = 1; twice <= 2048; ++twice)
    {
        depths.push_back(twice * 0.5);
    }
    for (int i = 0; i < 200; ++i)
    {
        depths.push_back(RandomFactor(random));
    }
    for (const double depth : depths)
    {
        for (double& factor : factors)
        {
            factor = RandomFactor(random);
        }
        // Quotients that are whole, halves and their neighbours.
        for (int i = 0; i < 64; ++i)
        {
            factors[static_cast<std::size_t>(i)] = depth * (i + 1);
            factors[static_cast<std::size_t>(64 + i)] = std::nextafter(depth * (i + 1), 0.0);
            factors[static_cast<std::size_t>(128 + i)] = std::nextafter(depth * (i + 1), 1e300);
            factors[static_cast<std::size_t>(192 + i)] = depth * (i + 0.5);
        }
        factors[256] = 0;
        ASSERT_EQ(Mismatches(factors, depth), 0) << "depth " << depth;
    }
}

TEST(RowQuotients, FactorsOutsideTheSafeRangeAreDivided)
{
    const double fine[] = {0, -0.0, 1, -277.128, 0x1p-900, 0x1p900, -0x1p900};
    EXPECT_TRUE(RowPass::FactorsFit(fine, 7));
    for (const double wild : {0x1p-901, 0x1p901, 1e-310, std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::quiet_NaN()})
    {
        const double factors[] = {1, wild, 2};
        EXPECT_FALSE(RowPass::FactorsFit(factors, 3)) << wild;
    }
    if (!RowPaths::Available(RowPath::Avx512))
    {
        return;
    }
    // Told the factors do not fit, the pass divides: tiny and huge quotients
    // come out exact as well.
    std::vector<double> factors = {1e-310, 0x1p-1000, 1e308, -1e308, 3, 5, 7, 11};
    std::vector<double> quotients(factors.size());
    for (const double depth : {3.0, 0.5, 1e-5})
    {
        RowQuotientsAvx512(factors.data(), 8, depth, false, quotients.data());
        for (std::size_t i = 0; i < factors.size(); ++i)
        {
            EXPECT_EQ(Bits(quotients[i]), Bits(factors[i] / depth)) << factors[i] << " / " << depth;
        }
    }
}
