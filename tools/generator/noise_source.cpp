#include "noise_source.h"

NoiseSource::NoiseSource(std::uint64_t seed) : mRandom(seed) {}

double NoiseSource::White()
{
    return mRandom.Uniform(-1.0, 1.0);
}

double NoiseSource::Brown()
{
    // A leaky integrator keeps the walk from drifting off.
    mBrownLevel = mBrownLevel * 0.995 + White() * 0.06;
    if (mBrownLevel > 1.0)
    {
        mBrownLevel = 1.0;
    }
    if (mBrownLevel < -1.0)
    {
        mBrownLevel = -1.0;
    }
    return mBrownLevel;
}
