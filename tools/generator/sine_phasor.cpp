#include "sine_phasor.h"

#include <cmath>

namespace
{
constexpr double TWO_PI = 6.283185307179586;
constexpr int RENORMALISE_INTERVAL = 4096;
} // namespace

SinePhasor::SinePhasor(double frequency, double sampleRate, double startPhaseCycles)
    : mCos(std::cos(TWO_PI * startPhaseCycles)), mSin(std::sin(TWO_PI * startPhaseCycles)),
      mStepCos(std::cos(TWO_PI * frequency / sampleRate)),
      mStepSin(std::sin(TWO_PI * frequency / sampleRate))
{
}

double SinePhasor::Next()
{
    const double value = mSin;
    const double nextCos = mCos * mStepCos - mSin * mStepSin;
    mSin = mSin * mStepCos + mCos * mStepSin;
    mCos = nextCos;
    // Rounding slowly changes the vector's length; pull it back to one now and then.
    if (++mSinceRenormalise == RENORMALISE_INTERVAL)
    {
        const double length = std::sqrt(mCos * mCos + mSin * mSin);
        mCos /= length;
        mSin /= length;
        mSinceRenormalise = 0;
    }
    return value;
}
