#include "wood_grain.h"

#include "random.h"

#include <cmath>

WoodGrain::WoodGrain(std::uint64_t seed, bool vertical)
    : mSeed(seed), mVertical(vertical), mStreaks(seed, 2, 6, 3), mFibres(seed + 5, 4, 48, 2)
{
}

Rgb WoodGrain::At(const Rgb& base, int x, int y, int plankId) const
{
    Random random(mSeed * 31 + static_cast<std::uint64_t>(plankId) * 977);
    const float tone = static_cast<float>(random.Uniform(0.84, 1.12));
    const float shift = static_cast<float>(random.Uniform(0.0, 1.0));
    const float along = static_cast<float>(mVertical ? y : x) / 64.0f + shift;
    const float across = static_cast<float>(mVertical ? x : y) / 64.0f + shift * 0.5f;
    const float streak = mStreaks.Sample(along, across);
    const float fibre = mFibres.Sample(along, across);
    // Growth rings show as darker bands where the streak value crosses whole steps.
    const float ring = streak * 7.0f - std::floor(streak * 7.0f);
    const float ringShade = ring < 0.22f ? 0.8f : 1.0f;
    return base * (tone * (0.8f + 0.32f * streak) * (0.9f + 0.2f * fibre) * ringShade);
}
