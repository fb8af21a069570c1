#include "state_variable_filter.h"

#include <algorithm>
#include <cmath>

StateVariableFilter::StateVariableFilter(double sampleRate, double cutoffHz, double resonance)
    : mSampleRate(sampleRate)
{
    SetCutoff(cutoffHz);
    SetResonance(resonance);
}

void StateVariableFilter::SetCutoff(double cutoffHz)
{
    // Oversampled by two, so the factor uses twice the sample rate.
    const double limited = std::min(cutoffHz, mSampleRate * 0.24);
    mFrequencyFactor = 2.0 * std::sin(3.141592653589793 * limited / (2.0 * mSampleRate));
}

void StateVariableFilter::SetResonance(double resonance)
{
    mDamping = 1.0 / std::max(0.5, resonance);
}

StateVariableFilter::Outputs StateVariableFilter::Process(double input)
{
    double high = 0.0;
    for (int pass = 0; pass < 2; ++pass)
    {
        mLow += mFrequencyFactor * mBand;
        high = input - mLow - mDamping * mBand;
        mBand += mFrequencyFactor * high;
    }
    return {mLow, mBand, high};
}
