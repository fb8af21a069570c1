#pragma once

#include "random.h"

#include <cstdint>

// White noise from the seeded generator, plus a "brown" (integrated) variant for rumbles.
class NoiseSource
{
public:
    explicit NoiseSource(std::uint64_t seed);

    // Uniform white noise in -1..1.
    double White();
    // Random-walk noise, heavy in low frequencies, kept within -1..1.
    double Brown();

private:
    Random mRandom;
    double mBrownLevel = 0.0;
};
