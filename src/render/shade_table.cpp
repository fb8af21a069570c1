#include "render/shade_table.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstddef>

namespace
{
// The shifts tried, largest first: the larger the shift, the finer the steps of m.
constexpr int MAX_SHIFT = 15;
constexpr std::uint32_t MAX_MULTIPLIER = 0xFFFFu;
} // namespace

void ShadeTable::Build(const std::vector<double>& light, double maxLight)
{
    mRowOffsets.assign(light.size(), 0);
    mMultipliers.assign(light.size(), IRREGULAR);
    mShades.clear();
    std::array<std::uint8_t, CHANNEL_VALUES> row{};
    std::uint32_t multiplier = IRREGULAR;
    for (std::size_t index = 0; index < light.size(); ++index)
    {
        const double level = std::min(light[index], maxLight);
        for (int channel = 0; channel < CHANNEL_VALUES; ++channel)
        {
            // The very expression of the per-pixel shading: divide, scale, truncate
            // to 16 bits and keep the low byte.
            const Uint8 value = static_cast<Uint8>(channel);
            row[static_cast<std::size_t>(channel)] =
                static_cast<Uint8>(static_cast<Uint16>(value / maxLight * level));
        }
        const bool sameAsLast =
            !mShades.empty() && std::equal(row.begin(), row.end(), mShades.end() - CHANNEL_VALUES);
        if (!sameAsLast)
        {
            mShades.insert(mShades.end(), row.begin(), row.end());
            multiplier = FindMultiplier(row.data());
        }
        mRowOffsets[index] = static_cast<std::uint32_t>(mShades.size() - CHANNEL_VALUES);
        mMultipliers[index] = multiplier;
    }
}

std::uint32_t ShadeTable::FindMultiplier(const std::uint8_t* row)
{
    // ((v * 256 * m) >> 16) >> t is floor(v * m / 2^(8 + t)): every value v > 0
    // bounds m from below by row[v] * 2^(8 + t) / v and from above by
    // (row[v] + 1) * 2^(8 + t) / v (excluded). The smallest m within all bounds
    // is checked value by value.
    for (int shift = MAX_SHIFT; shift >= 0; --shift)
    {
        const std::uint64_t scale = std::uint64_t{1} << (8 + shift);
        std::uint64_t lowest = 0;
        std::uint64_t highest = ~std::uint64_t{0};
        for (std::uint64_t v = 1; v < CHANNEL_VALUES; ++v)
        {
            const std::uint64_t shade = row[v];
            lowest = std::max(lowest, (shade * scale + v - 1) / v);
            highest = std::min(highest, ((shade + 1) * scale - 1) / v);
        }
        if (lowest > highest || lowest > MAX_MULTIPLIER)
        {
            continue;
        }
        const std::uint32_t multiplier =
            static_cast<std::uint32_t>(lowest) | static_cast<std::uint32_t>(shift) << 16;
        bool exact = row[0] == 0;
        for (int v = 1; v < CHANNEL_VALUES && exact; ++v)
        {
            exact = Multiply(multiplier, v) == row[v];
        }
        if (exact)
        {
            return multiplier;
        }
    }
    return IRREGULAR;
}
