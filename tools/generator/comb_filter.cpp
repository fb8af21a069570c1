#include "comb_filter.h"

CombFilter::CombFilter(int delaySamples, double feedback, double damping)
    : mBuffer(static_cast<std::size_t>(delaySamples), 0.0), mFeedback(feedback), mDamping(damping)
{
}

double CombFilter::Process(double input)
{
    const double output = mBuffer[mPosition];
    mFiltered = output * (1.0 - mDamping) + mFiltered * mDamping;
    mBuffer[mPosition] = input + mFiltered * mFeedback;
    mPosition = (mPosition + 1) % mBuffer.size();
    return output;
}
